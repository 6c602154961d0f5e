// What the temperature input windows (thermocouple, RTD, thermistor) add to the analog frame:
// per channel a sensor type list and a temperature unit list, the sensor type text the unit
// reports, the span of the chosen type in the chosen unit beside the Zero temp and Full temp
// boxes, the module's burnout direction, and per channel a status box coloured from the
// module status bits while monitoring.
//
// The three windows run the same procedures; a TemperatureDesign holds the points in which
// they differ.
#pragma once

#include <string>
#include <vector>

#include "core/tables.h"
#include "modules/analog_frame.h"
#include "platform/control.h"

namespace dunax::modules {

struct TemperatureDesign {
    int modelNum = 0;
    std::string formName;                          // "frmBJ4"
    std::vector<std::string> typeRows;             // list index = sensor type code
    std::string typeListHeading;                   // Label12, above the type lists
    std::string typeLabelName;                     // "lblTcType" or "lblRtdType"
    std::string typeLabelHeading;                  // Label6, above the type labels
    std::string unitHeading;                       // Label5, above the unit lists
    const core::TempRangeTable* ranges = nullptr;  // spans by unit index and type code
    bool page2DuringUpload = false;  // the Setting 2 button stays usable while uploading
    bool reselectListReads = false;  // items 04, 09, 03 each with the channel group again
    bool typeAndUnitFirst = false;   // download writes 09 and 04 before the six parameters
};

class TemperatureWindow : public AnalogWindow {
  public:
    explicit TemperatureWindow(TemperatureDesign design);

    const TemperatureDesign& temperatureDesign() const { return temp_; }

    void ReadingData() override;
    // The six boxes of each channel numeric, the scales, bias and gain within their bounds
    // (scales rewritten as whole numbers), a type and a unit chosen.
    bool CheckData() override;
    void txt_able(bool flag) override;

    // Colours the status box of each channel from the module status bits (item 04 of group
    // 00): red where the channel's bit is set, the info background where it is clear.
    void ShowChannelStatusLamps();

    // The span text of a sensor type in a unit ("-272 to 1472"); "" for a type the table has
    // no entry for.
    static std::string SpanText(const core::TempRangeTable& table, int unitIndex, int type);

    // --- Controls beyond the analog frame ---
    platform::ControlArray cmbUserUnit;         // "C", "F", "K" at indexes 0, 1, 2
    platform::ControlArray lblType;             // sensor type text; design name per window
    platform::ControlArray lblZTemp, lblFTemp;  // span of the type beside Zero/Full temp
    platform::ControlArray Text1;               // channel status boxes in the "Value" frame
    platform::ControlArray txtUserBout;         // burnout direction, element 0 only
    platform::Control* Label5 = nullptr;        // heading of the unit lists
    platform::Control* Label6 = nullptr;        // heading of the type labels
    platform::Control* Frame3 = nullptr;        // "Burnout Direction "

  protected:
    void UploadTemperature();
    void DownloadTemperature();

  private:
    void buildStatusBoxes();
    void buildSpanAndTypeLabels();
    void buildUnitListsAndBurnout();

    // Item 04, 09 or 03 of channel ch in the group the parameter reads left selected, or
    // with the group selected again when the design says so.
    std::string ReadListItem(int ch, const std::string& item);
    // The write of a channel's item; the first write of a channel selects its group.
    void WriteChannelItem(int ch, const platform::Control& from, const std::string& item,
                          const std::string& data, bool& selected);

    TemperatureDesign temp_;
};

}  // namespace dunax::modules
