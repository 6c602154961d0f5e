#include <sys/stat.h>

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "config_file/config_file.h"
#include "config_file/control_access.h"
#include "config_file/file_io.h"
#include "config_file/layout.h"
#include "config_file/record_io.h"
#include "core/config_stub.h"
#include "core/globals.h"
#include "core/main_window.h"
#include "core/module_window.h"
#include "core/network_window.h"
#include "core/text.h"
#include "platform/host.h"

namespace dunax::config_file {

namespace {

using core::g;

constexpr int kOverwritePrompt = 2;

bool HasRecords(const std::vector<Step>& steps) {
    for (const Step& s : steps) {
        if (s.kind == StepKind::Record) return true;
    }
    return false;
}

// Whether something of that name is there (a link, followed, to what it points to).
bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

std::string shownText(const std::string& s) {
    return s.size() > 40 ? s.substr(0, 40) + "..." : s;
}

void addText(RecordWriter& w, const std::string& text, const std::string& where) {
    if (!FitsQuotedItem(text)) {
        throw ConfigError("The text in " + where +
                          " cannot be kept in a configuration file: it holds a double quote, "
                          "a line break or a character outside the Western European code page.");
    }
    w.addString(text);
}

std::int16_t global16(int v, const char* name) {
    const std::optional<std::int16_t> n = core::RoundHalfEven16(v);
    if (!n) throw ConfigError(std::string("Overflow: ") + name + " is " + std::to_string(v) + ".");
    return *n;
}

// A box's text as a 16-bit whole number: blanks around it ignored, a fraction rounded half to
// even.
std::int16_t boxInteger(const platform::Control& box, const std::string& where) {
    const std::string& t = box.text();
    const std::optional<double> v = core::ToDouble(t);
    if (!v) {
        throw ConfigError("Type mismatch: " + where + " holds \"" + shownText(t) +
                          "\", which is not a number.");
    }
    const std::optional<std::int16_t> n = core::RoundHalfEven16(*v);
    if (!n) {
        throw ConfigError("Overflow: " + where + " holds " + shownText(t) +
                          ", which is outside -32768 to 32767.");
    }
    return *n;
}

void writeSteps(RecordWriter& w, platform::Form& window, const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        if (step.kind != StepKind::Record) continue;
        for (const Field& f : step.fields) {
            if (f.source == Source::SubModelNum) {
                w.addInteger(global16(g.SubModelNum, "SubModelNum"));
                continue;
            }
            platform::Control& c = ControlOf(window, f.control, f.index, KindOf(f.source));
            const std::string where = FieldName(f.control, f.index) + " of " + window.name();
            switch (f.source) {
                case Source::Text:
                    addText(w, c.text(), where);
                    break;
                case Source::TextIntegerOr0:
                    if (c.text().empty()) {
                        w.addInteger(0);
                        break;
                    }
                    w.addInteger(boxInteger(c, where));
                    break;
                case Source::TextInteger:
                    w.addInteger(boxInteger(c, where));
                    break;
                case Source::ListIndex:
                    w.addInteger(global16(c.listIndex(), "a list position"));
                    break;
                case Source::OptionValue:
                    w.addBoolean(c.value());
                    break;
                case Source::SubModelNum:
                    break;
            }
        }
        w.endRecord();
    }
}

}  // namespace

std::string ComposeConfigText() {
    RecordWriter w;
    addText(w, g.ModelName, "the model name");
    w.addInteger(global16(g.ModelNum, "ModelNum"));
    addText(w, g.VersionCaption, "the version");
    w.addInteger(global16(g.ChCount, "ChCount"));
    w.addInteger(global16(g.NetType, "NetType"));
    w.endRecord();

    const std::vector<Step> module = ModuleSteps(g.ModelNum, g.ModelName, g.NewFirmware);
    if (HasRecords(module)) {
        core::ModuleWindow* window = core::ModuleWindowFor(g.ModelNum);
        if (!window) {
            throw ConfigError("This program has no window for the model " + g.ModelName +
                              " (model number " + std::to_string(g.ModelNum) + ").");
        }
        writeSteps(w, *window, module);
    }
    const std::vector<Step> network = NetworkSteps(g.NetType, g.VersionCaption);
    if (HasRecords(network)) {
        core::NetworkWindow* window = core::NetworkWindowFor(g.NetType);
        if (!window) {
            throw ConfigError("This program has no network window for network type " +
                              std::to_string(g.NetType) + ".");
        }
        writeSteps(w, *window, network);
    }
    return w.text();
}

void SaveConfigFile() {
    platform::Host& host = platform::host();
    if (!g.ModuleFormShown) {
        host.messageBox("No Config Data", platform::Icon::None, platform::Buttons::OK,
                        "Save Error");
        return;
    }
    platform::FileDialog& d = core::frmDunax().Dialog1;
    d.flags = kOverwritePrompt;
    d.filter = kFileFilter;
    d.filterIndex = 1;
    if (!host.fileDialog(d, true)) return;  // Cancel

    std::string failure;
    WriteOutcome outcome = WriteOutcome::NotWritten;
    try {
        // Everything is read and converted first; the file is touched only when all of it
        // could be.
        WriteConfigBytes(d.fileName, ComposeConfigText());
        return;
    } catch (const platform::ProgramEnded&) {
        throw;
    } catch (const WriteError& e) {
        failure = e.what();
        outcome = e.outcome;
    } catch (const std::exception& e) {
        failure = e.what();
    }
    switch (outcome) {
        case WriteOutcome::Refused:
            failure +=
                "\r\nYou may not write this file: nothing was saved and it was left as it was.";
            break;
        case WriteOutcome::NotWritten:
            failure += fileExists(d.fileName)
                           ? "\r\nThe file was not written; a file of that name was left as it was."
                           : "\r\nThe file was not written.";
            break;
        case WriteOutcome::PartlyWritten:
            failure +=
                "\r\nThe file was being written in place and may now be incomplete: save it "
                "again.";
            break;
    }
    host.messageBox(failure, platform::Icon::None, platform::Buttons::OK, "Open Error");
}

void InstallConfigFileRoutines() {
    core::SetConfigFileRoutines(&OpenConfigFile, &SaveConfigFile);
}

}  // namespace dunax::config_file
