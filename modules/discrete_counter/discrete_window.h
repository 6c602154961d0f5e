// What the discrete module windows share: the bit-image lamps with their point-number header,
// the extension module's points, the module code, the Output Hold/Clear choice, the DI/DO state
// rows of the read-back windows, and the exchanges that fill them. Each window lays out its own
// design from these pieces and runs its own sequence of steps in its own file.
#pragma once

#include <string>

#include "core/ext_display.h"
#include "modules/discrete_counter/bit_image.h"
#include "modules/window_parts.h"
#include "platform/color.h"
#include "platform/control.h"

namespace dunax::modules {

// Point-number headers above lamp rows: those of the extension points.
inline constexpr const char* kPointHeader16 = core::kExtHeader16;
inline constexpr const char* kPointHeader8 = core::kExtHeader8;

class DiscreteWindow : public ModuleWindowParts {
  public:
    // formName "frmMX16"; the window is titled with the model code.
    DiscreteWindow(std::string formName, std::string title);

    // --- Controls shared by the discrete windows (by their design names) ---
    platform::ControlArray txtCData;     // bit-image lamps
    platform::ControlArray lblExtIndex;  // (0) extension header, (1) bit-image header
    platform::ControlArray txtChData;    // extension points
    platform::ControlArray lblDataTitle, lblChNo, txtDICh, txtDOCh;  // state rows, from 1
    platform::Control* lblV_Unit = nullptr;
    platform::Control* lblV_Ext = nullptr;
    platform::Control* Line1 = nullptr;
    platform::Control* frmSet1 = nullptr;
    platform::Control* optKeepOn = nullptr;
    platform::Control* optKeepOff = nullptr;

  protected:
    // --- Building the design (twips; containers are frames of the window or the form) ---
    platform::Control& addFrame(const std::string& name, const std::string& caption,
                                platform::Control* container, int left, int top, int width,
                                int height);
    void addLine(platform::Control* container, int left, int top, int width, int height);
    // lblExtIndex(1) with its header and the lamps txtCData of the window's bit-image variant,
    // boxes past the variant's visible ones hidden.
    void addBitImage(platform::Control* container, int left, int top, const std::string& header);
    // The "Value" frame of the lamp windows, Frame1 (returned): the module code, a line, and
    // the bit image under header.
    platform::Control& addLampValueFrame(const std::string& header);
    // lblV_Ext at captionLeft, lblExtIndex(0) and txtChData(0..15) at left; all hidden until
    // an upload prepares them for the extension module.
    void addExtension(platform::Control* container, int captionLeft, int left, int top);
    // The frame of the Output Hold/Clear choice with optKeepOn and optKeepOff (clearFirst:
    // "Output Clear" is the upper button).
    platform::Control& addHold(const std::string& frameName, platform::Control* container, int left,
                               int top, bool clearFirst = false) {
        return addHoldFrame(frameName, container, left, top, optKeepOn, optKeepOff, clearFirst);
    }
    // lblDataTitle(0) "DI" and (1) "DO" over rows 1..8: lblChNo(i) (chPrefix and i - 1),
    // txtDICh(i), txtDOCh(i).
    void addStateRows(platform::Control* container, const std::string& chPrefix, int left, int top);

    // --- Steps of the operations; every exchange is retried three times ---
    // lblV_Unit shows the module code of ModelName.
    void ShowModuleCode();
    // Output Hold/Clear from and to item 14 of group 00 (ReadHoldChoice, WriteHoldChoice).
    bool ReadHold() { return ReadHoldChoice(*optKeepOn, *optKeepOff); }
    std::string WriteHold() { return WriteHoldChoice(*optKeepOn); }
    // The lamps from a hex text, per the window's bit-image variant.
    void CDataDisplay(const std::string& hex);
    // Item 21 of group 00 onto the lamps; a reply without a bit image changes nothing.
    void ReadBitImage();
    // Item 12 of group 00 onto the extension points when an extension module is fitted; a
    // reply without a bit image changes nothing.
    void RefreshExtension() { RefreshExtensionPoints(*this); }
    // A state word: "ON" in onColour or "OFF" in offColour (colour first, then the word).
    static void ShowState(platform::Control& box, bool on, platform::Color onColour,
                          platform::Color offColour);

    static constexpr int kStateRows = 8;

  private:
    const BitImageVariant* variant_ = nullptr;
};

}  // namespace dunax::modules
