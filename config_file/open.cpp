#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config_file/config_file.h"
#include "config_file/control_access.h"
#include "config_file/file_io.h"
#include "config_file/layout.h"
#include "config_file/record_io.h"
#include "core/connection.h"
#include "core/dispatch.h"
#include "core/globals.h"
#include "core/main_window.h"
#include "core/module_window.h"
#include "core/network_window.h"
#include "core/tables.h"
#include "core/text.h"
#include "platform/host.h"

namespace dunax::config_file {

namespace {

using core::g;
using platform::Control;
using platform::Kind;

// The unit's identity as the file's header gives it, with the numbers an identification of a
// unit of that name would find.
struct Identity {
    std::string modelName;
    std::string versionCaption;
    int chCount = 0;
    int modelNum = 99;
    int subModelNum = 0;
    int netType = 99;
    bool newFirmware = true;
};

Identity readHeader(RecordReader& r) {
    Identity id;
    id.modelName = r.readText();
    r.readIntegerText();  // the saved model number: worked out again from the name
    id.versionCaption = r.readText();
    id.chCount = r.readIntegerText();
    r.readIntegerText();  // the saved network type: worked out again from the name

    const core::ModelIdentity model = core::ModelOfName(id.modelName);
    id.modelNum = model.modelNum;
    id.subModelNum = model.subModelNum;
    id.netType = core::NetTypeOfName(id.modelName);
    // The caption is "Version : " and the version as the unit sent it, which may itself begin
    // with a blank: drop the caption's own blank so that a file says what the unit said.
    std::string version = core::AfterColon(id.versionCaption);
    if (!version.empty() && version.front() == ' ') version.erase(0, 1);
    id.newFirmware = core::IsNewFirmware(version);
    return id;
}

// Reads the records of one window's section and turns each into the change it makes, checking
// every value against the control it goes to. Nothing is changed while planning.
class Planner {
  public:
    using Action = std::function<void()>;

    Planner(RecordReader& r, std::vector<Action>& actions) : r_(r), actions_(actions) {}

    void plan(platform::Form& w, const std::vector<Step>& steps, int modelNum, const Identity& id) {
        for (const Step& s : steps) planStep(w, s, modelNum, id);
    }

  private:
    // A change of control c; skipped when c has gone meanwhile (a window closed by a handler
    // that an earlier change ran).
    void onControl(Control& c, std::function<void(Control&)> change) {
        Control* p = &c;
        actions_.push_back([p, change = std::move(change)] {
            if (platform::controlAlive(p)) change(*p);
        });
    }

    // The module window of modelNum as it is when the change runs.
    void onModule(int modelNum, std::function<void(core::ModuleWindow&)> op) {
        actions_.push_back([modelNum, op = std::move(op)] {
            if (core::ModuleWindow* w = core::ModuleWindowFor(modelNum)) op(*w);
        });
    }

    int rowsOf(Control& c) const {
        auto it = rows_.find(&c);
        return it != rows_.end() ? it->second : c.listCount();
    }

    // where: the item's place in the file, for the message.
    void listIndex(platform::Form& w, Control& c, const Field& f, int v, const std::string& where) {
        if (v < -1 || v >= rowsOf(c)) {
            throw ConfigError("Invalid property value: the file selects row " + std::to_string(v) +
                              " of " + FieldName(f.control, f.index) + " of " + w.name() +
                              ", which has " + std::to_string(rowsOf(c)) + " rows (" + where +
                              ").");
        }
        onControl(c, [v](Control& x) { x.setListIndex(v); });
    }

    void planRecord(platform::Form& w, const Step& s) {
        std::vector<HeldItem> held;
        for (const Field& f : s.fields) {
            switch (f.source) {
                case Source::Text: {
                    std::string text = r_.readText();
                    Control& c = ControlOf(w, f.control, f.index, Kind::TextBox);
                    onControl(c, [text = std::move(text)](Control& x) { x.setText(text); });
                    break;
                }
                case Source::TextInteger:
                case Source::TextIntegerOr0: {
                    const int v = r_.readInteger();
                    Control& c = ControlOf(w, f.control, f.index, Kind::TextBox);
                    if (s.held >= 0) {
                        held.push_back({v, r_.position()});
                    } else {
                        onControl(c, [v](Control& x) { x.setText(std::to_string(v)); });
                    }
                    break;
                }
                case Source::ListIndex: {
                    const int v = r_.readInteger();
                    Control& c = ControlOf(w, f.control, f.index, Kind::ComboBox);
                    if (s.held >= 0) {
                        held.push_back({v, r_.position()});
                    } else {
                        listIndex(w, c, f, v, r_.position());
                    }
                    break;
                }
                case Source::OptionValue: {
                    const bool v = r_.readBoolean();
                    Control& c = ControlOf(w, f.control, f.index, Kind::OptionButton);
                    onControl(c, [v](Control& x) { x.setValue(v); });
                    break;
                }
                case Source::SubModelNum: {
                    const int v = r_.readIntegerText();
                    actions_.push_back([v] { g.SubModelNum = v; });
                    break;
                }
            }
        }
        if (s.held >= 0) held_[static_cast<std::size_t>(s.held)] = std::move(held);
    }

    void planStep(platform::Form& w, const Step& s, int modelNum, const Identity& id) {
        switch (s.kind) {
            case StepKind::Record:
                return planRecord(w, s);
            case StepKind::Pages:
                onControl(AnyControlOf(w, "cmdSet1"), [](Control& c) { c.setEnabled(false); });
                onControl(AnyControlOf(w, "frmSet1"), [](Control& c) { c.setVisible(true); });
                onControl(AnyControlOf(w, "cmdSet2"), [](Control& c) { c.setEnabled(true); });
                onControl(AnyControlOf(w, "frmSet2"), [](Control& c) { c.setVisible(false); });
                return;
            case StepKind::FirstPage:
                onControl(AnyControlOf(w, "frmSet1"), [](Control& c) { c.setVisible(true); });
                return;
            case StepKind::FillList: {
                Control& c = ControlOf(w, s.control, s.index, Kind::ComboBox);
                rows_[&c] = static_cast<int>(s.rows->size());
                const std::vector<std::string>* rows = s.rows;
                onControl(c, [rows](Control& x) {
                    x.clear();
                    for (const std::string& row : *rows) x.addItem(row);
                });
                return;
            }
            case StepKind::Caption: {
                std::string text = s.text;
                onControl(AnyControlOf(w, s.control, s.index),
                          [text = std::move(text)](Control& x) { x.setCaption(text); });
                return;
            }
            case StepKind::ApplyHeld: {
                const std::vector<HeldItem>& values = held_[static_cast<std::size_t>(s.held)];
                for (std::size_t i = 0; i < s.fields.size() && i < values.size(); ++i) {
                    const Field& f = s.fields[i];
                    const int v = values[i].value;
                    Control& c = ControlOf(w, f.control, f.index, KindOf(f.source));
                    if (f.source == Source::ListIndex) {
                        listIndex(w, c, f, v, values[i].where);
                    } else {
                        onControl(c, [v](Control& x) { x.setText(std::to_string(v)); });
                    }
                }
                return;
            }
            case StepKind::UnitLabels: {
                const std::vector<HeldItem>& units = held_[static_cast<std::size_t>(s.held)];
                for (std::size_t c = 0; c < units.size(); ++c) {
                    const int pos = units[c].value;
                    if (pos < 0 || pos >= static_cast<int>(s.table->size())) {
                        throw ConfigError("Subscript out of range: the file gives CH " +
                                          std::to_string(c) + " the temperature unit " +
                                          std::to_string(pos) + ", which does not exist (" +
                                          units[c].where + ").");
                    }
                    const std::string unit = (*s.table)[static_cast<std::size_t>(pos)].Unit;
                    const int i = static_cast<int>(c);
                    onControl(AnyControlOf(w, "lblZBase_Unit", i),
                              [unit](Control& x) { x.setCaption(unit); });
                    onControl(AnyControlOf(w, "lblFBase_Unit", i),
                              [unit](Control& x) { x.setCaption(unit); });
                }
                return;
            }
            case StepKind::Code: {
                const std::string code = core::AfterHyphen(id.modelName);
                onControl(AnyControlOf(w, "lblV_Unit"), [code](Control& x) { x.setCaption(code); });
                return;
            }
            case StepKind::ReplyDelayFrame: {
                const bool flag = s.flag;
                onControl(AnyControlOf(w, "Frame3"), [flag](Control& x) { x.setVisible(flag); });
                return;
            }
            case StepKind::Visible2: {
                const bool flag = s.flag;
                onModule(modelNum, [flag](core::ModuleWindow& m) { m.txt_visible2(flag); });
                return;
            }
            case StepKind::DisplayType:
                onModule(modelNum, [](core::ModuleWindow& m) { m.dtype_change(); });
                return;
            case StepKind::Show:
                onModule(modelNum, [](core::ModuleWindow& m) { core::ShowModuleForm(m); });
                return;
        }
    }

    // A value of a record that is applied after later records have been read, with the place
    // it stands in the file.
    struct HeldItem {
        int value;
        std::string where;
    };

    RecordReader& r_;
    std::vector<Action>& actions_;
    std::map<const Control*, int> rows_;  // rows a list will have once it has been refilled
    std::array<std::vector<HeldItem>, kHeldSlots> held_;
};

struct OpenPlan {
    Identity id;
    std::vector<Planner::Action> actions;
};

OpenPlan planOpen(std::string bytes) {
    RecordReader r(std::move(bytes));
    OpenPlan p;
    p.id = readHeader(r);
    Planner planner(r, p.actions);

    const std::vector<Step> module = ModuleSteps(p.id.modelNum, p.id.modelName, p.id.newFirmware);
    if (!module.empty()) {
        core::ModuleWindow* w = core::ModuleWindowFor(p.id.modelNum);
        if (!w) {
            throw ConfigError("This program has no window for the model " + p.id.modelName +
                              " of the file.");
        }
        planner.plan(*w, module, p.id.modelNum, p.id);
    }
    const std::vector<Step> network = NetworkSteps(p.id.netType, p.id.versionCaption);
    if (!network.empty()) {
        core::NetworkWindow* w = core::NetworkWindowFor(p.id.netType);
        if (!w) {
            throw ConfigError("This program has no network window for the network of " +
                              p.id.modelName + ".");
        }
        planner.plan(*w, network, p.id.modelNum, p.id);
    }
    r.expectEnd();
    return p;
}

// The identity into the globals and the main window's labels, as an identification sets them.
void takeIdentity(const Identity& id) {
    core::MainWindow& main = core::frmDunax();
    g.ModelName = id.modelName;
    g.VersionCaption = id.versionCaption;
    g.ChCount = id.chCount;
    main.lblMastertype.setCaption(g.ModelName);
    g.ModelNum = id.modelNum;
    g.SubModelNum = id.subModelNum;
    core::SetNetType(g.ModelName);
    main.lblVersionNo.setCaption(g.VersionCaption);
    g.NewFirmware = id.newFirmware;
    g.ExtChCount = 0;
    g.ExtCaption.clear();
    main.lblExtName.setCaption("");
    main.Frame6.setVisible(false);
    g.UploadModelNum = g.ModelNum;
}

void tell(const std::string& text) {
    platform::host().messageBox(text, platform::Icon::None, platform::Buttons::OK, "");
}

}  // namespace

void OpenConfigFile() {
    platform::FileDialog& d = core::frmDunax().Dialog1;
    d.filter = kFileFilter;
    d.filterIndex = 1;
    if (!platform::host().fileDialog(d, false)) return;  // Cancel

    OpenPlan plan;
    try {
        plan = planOpen(ReadConfigBytes(d.fileName));
    } catch (const platform::ProgramEnded&) {
        throw;
    } catch (const std::exception& e) {
        tell(std::string(e.what()) + "\r\nThe file was not opened; nothing was changed.");
        return;
    }
    try {
        takeIdentity(plan.id);
        for (const auto& action : plan.actions) action();
    } catch (const platform::ProgramEnded&) {
        throw;
    } catch (const std::exception& e) {
        tell(e.what());
    }
}

}  // namespace dunax::config_file
