// Connecting to the unit and finding out what it is.
#pragma once

#include <string>

namespace dunax::core {

// Opens the port and probes the unit; sets Connected or shows "Connection Error".
void Connect();
// Closes the link and clears Connected, Monitoring and ExtSelected.
void Disconnect();

// What to check when a port opens but the unit on it does not answer.
inline constexpr const char* kCheckTheLine = "check the cable, the unit's power and the port";
// Shows a failure of the link (critical icon, OK), unless the line has vanished and that has
// been reported already: what failed then failed because of it, and one message says so.
void ReportLinkFailure(const std::string& text, const std::string& title);
// Identifies the connected unit and uploads its module window.
void UploadUnit();
// Whether the last UploadUnit got every identification answer (model, version, extension
// module, channel count) and went on to the module window; false after "Upload Error".
bool UploadIdentified();
// Model number and variant from the module code (the text after "-" of the model name).
void SetModelNum(const std::string& code);
// Network type from the full model name; labels and shows the main window's network button.
void SetNetType(const std::string& name);

// The same answers without touching the globals or the main window (for reading a
// configuration file before anything is changed).
struct ModelIdentity {
    int modelNum;
    int subModelNum;
};
// From the full model name: the two names matched whole ("J6XN-SD2", "J6U-FE8"), otherwise the
// module code after the first "-".
ModelIdentity ModelOfName(const std::string& fullName);
ModelIdentity ModelOfCode(const std::string& code);
int NetTypeOfName(const std::string& name);
// Whether the firmware version text (the value of item 06) is later than 1.03.
bool IsNewFirmware(const std::string& version);

}  // namespace dunax::core
