// File > Save and File > Open of the main window: the settings that the module window of the
// identified model and the network window of its field network show, with the unit's identity,
// written to and read from a configuration file.
#pragma once

#include <string>

namespace dunax::config_file {

// The file types the dialogs offer, ".uJx" first.
inline constexpr const char* kFileFilter =
    "uJx Files (*.uJx)|*.uJx|Text Files (*.txt)|*.txt|All Files (*.*)|*.*";

// Asks for a file name and saves. "No Config Data" while no module window has been shown;
// Cancel does nothing. An existing file that the user may not write is refused under "Save
// Error" and left as it was. Any other failure (a box that does not hold the number it must, a
// control missing from a window, a file that cannot be written) is shown under "Open Error"
// with what became of the file: as a rule an existing file is left as it was; only one that
// had to be written in place can be left incomplete.
void SaveConfigFile();

// Asks for a file and opens it into the globals, the main window's labels, the module window
// of the file's model (then shown) and the network window of its network. The whole file is
// read and checked before anything changes: a file that is short, malformed, not text, too
// large, that goes on after the last record of its model and network, or that names a list
// row or unit that does not exist changes nothing and is reported in a message box with the
// line and item where the fault stands. A UTF-8 byte-order mark at its start is skipped. Cancel
// does nothing. Nothing is sent to the unit.
void OpenConfigFile();

// The text SaveConfigFile writes for the current globals and windows; throws ConfigError
// where saving would fail.
std::string ComposeConfigText();

// Makes the main window's File > Open and File > Save use the routines above.
void InstallConfigFileRoutines();

}  // namespace dunax::config_file
