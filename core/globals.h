// The connection globals of the program and the per-channel item records. They are program-wide
// state that no single window owns; InitData (tables.h) gives them their start values.
#pragma once

#include <array>
#include <string>

namespace dunax::core {

// The item numbers and last read values of one channel's six parameters. Item fields hold the
// item number as sent after "I" in decimal text ("20", or "-1" where the model lacks the
// parameter); value fields hold the text the last upload read (the part after the first ":").
struct ChItemRecord {
    std::string Value1, Item1;
    std::string Value2, Item2;
    std::string Value3, Item3;
    std::string Value4, Item4;
    std::string Value5, Item5;
    std::string Value6, Item6;

    // Parameter k (1..6) by number, for loops over the parameters; throws std::out_of_range
    // for any other k.
    std::string& value(int k);
    std::string& item(int k);
    const std::string& value(int k) const;
    const std::string& item(int k) const;
};

// Channels are addressed ChItem[1]..ChItem[16]; index 0 is unused.
inline constexpr int kChItemFirst = 1;
inline constexpr int kChItemLast = 16;

struct Globals {
    std::string ModelName = "NONE";  // full model name of the unit (item 02)
    int ModelNum = -1;               // 0..27 module window, 99 unrecognised, -1 none yet
    int UploadModelNum = -1;         // model number of the module window on show
    int SubModelNum = 0;             // variant: 1 KW4, 2 BJ4, 3 QN4, 4 KWH4, otherwise 0
    int NetType = -1;                // 0..7 field network, 99 none, -1 none yet
    std::string VersionCaption;      // "Version : " and the firmware version
    bool NewFirmware = false;        // firmware later than 1.03
    int ChCount = 0;                 // channel count of the module
    std::string ExtName;             // extension module kind: "DI", "DO" or "NONE"
    std::string ExtCaption;          // extension module name shown on the windows
    int ExtChCount = 0;              // extension points shown: 16, 8 or 0
    bool ExtSelected = false;        // extension choice answered in this connection
    int ComPortNo = 1;               // serial port number 1..8
    std::string BaudRate = "9600";   // speed part of the port settings
    bool Connected = false;          // the unit answered the probe
    bool Monitoring = false;         // the monitoring loop runs
    bool ModuleFormShown = false;    // a module window has been shown
    int FE2DisplayMode = 0;          // encoder counter window: 0 position data, 1 speed data
    int DataErrorNo = 0;             // number of the failed data check, 0 for none

    std::array<ChItemRecord, kChItemLast + 1> ChItem;
};

extern Globals g;

}  // namespace dunax::core
