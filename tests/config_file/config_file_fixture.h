// What the configuration-file tests share: the scripted host and a simulated unit, every
// window registered, the real File > Open and File > Save installed, a scratch folder, and
// ways to fill and read the controls that a file's records belong to.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "config_file/config_file.h"
#include "config_file/layout.h"
#include "core/config_stub.h"
#include "core/connection.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/main_window.h"
#include "core/module_window.h"
#include "core/network_window.h"
#include "core/text.h"
#include "modules/analog_in/frm_kw4.h"
#include "modules/register.h"
#include "network/frm_cclink.h"
#include "network/register.h"
#include "support/unit_fixture.h"

namespace dunax::testing {

namespace cf = config_file;

// A KW4 unit on CC-Link as an upload leaves it, with a state of the boxes worth saving.
inline void kw4State() {
    auto& w = modules::frmKW4();
    const int ranges[] = {0, 9, 3, 11};
    const char* texts[4][6] = {{"0", "10000", "0.00", "1.0000", "-10.000", "10.000"},
                               {"-32000", "32000", "1,5", "", "4.000", "20.000"},
                               {" 12 ", "x", "-320.00", "3.2000", "0", "5"},
                               {"1", "2", "3", "4", "5", "6"}};
    for (int c = 0; c < 4; ++c) {
        w.cmbUserRange(c).setListIndex(ranges[c]);
        for (int p = 1; p <= 6; ++p) w.param(p)(c).setText(texts[c][p - 1]);
    }
    w.optKeepOff->setValue(true);
    network::frmCCLINK().txtTimeout.setText("25");
}

inline const std::string kKW4File =
    "\"J6P-KW4\",0,\"Version :  1.05\",4,0\r\n"
    "0,9,3,11\r\n"
    "#FALSE#,#TRUE#\r\n"
    "\"0\",\"10000\",\"0.00\",\"1.0000\",\"-10.000\",\"10.000\"\r\n"
    "\"-32000\",\"32000\",\"1,5\",\"\",\"4.000\",\"20.000\"\r\n"
    "\" 12 \",\"x\",\"-320.00\",\"3.2000\",\"0\",\"5\"\r\n"
    "\"1\",\"2\",\"3\",\"4\",\"5\",\"6\"\r\n"
    "25\r\n";

class ConfigFileTest : public UnitFixture {
  protected:
    void SetUp() override {
        UnitFixture::SetUp();
        modules::RegisterModuleWindows();
        network::RegisterNetworkWindows();
        cf::InstallConfigFileRoutines();
        std::string tmpl = (std::filesystem::temp_directory_path() / "dunax-cfg-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
    }

    void TearDown() override {
        modules::frmKW4.reset();
        network::frmCCLINK.reset();
        core::SetConfigFileRoutines(nullptr, nullptr);
        UnitFixture::TearDown();
        // A test may leave folders it made read-only; they must not keep the scratch folder.
        namespace fs = std::filesystem;
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end;
             it.increment(ec)) {
            std::error_code ignored;
            if (it->symlink_status(ignored).type() == fs::file_type::directory) {
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
            }
        }
        fs::remove_all(dir, ec);
    }

    std::string path(const std::string& name) const { return (dir / name).string(); }

    static void writeFile(const std::string& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    static std::string readFile(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<std::string> filesInDir() const {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(dir)) {
            out.push_back(e.path().filename().string());
        }
        return out;
    }

    // The globals as an upload of a unit of this name and version leaves them.
    void identify(const std::string& name, const std::string& version = " 2.00", int channels = 4) {
        core::g.ModelName = name;
        if (name == "J6XN-SD2") {
            core::g.ModelNum = 22;
            core::g.SubModelNum = 0;
        } else if (name == "J6U-FE8") {
            core::g.ModelNum = 23;
            core::g.SubModelNum = 0;
        } else {
            core::SetModelNum(core::AfterHyphen(name));
        }
        core::SetNetType(name);
        core::g.VersionCaption = "Version : " + version;
        core::g.NewFirmware = version != " 1.02";
        core::g.ChCount = channels;
        core::g.UploadModelNum = core::g.ModelNum;
        core::g.ModuleFormShown = true;
    }

    void save(const std::string& p) {
        host.files.push_back(p);
        core::frmDunax().mnuFilesSave_Click();
    }
    void open(const std::string& p) {
        host.files.push_back(p);
        core::frmDunax().mnuFilesOpen_Click();
    }

    // --- The controls of a window's records ---

    // The record steps of the current module and network sections, with their windows.
    struct Section {
        platform::Form* window;
        std::vector<cf::Step> steps;
    };
    std::vector<Section> sections() const {
        std::vector<Section> out;
        const auto& g = core::g;
        if (auto* m = core::ModuleWindowFor(g.ModelNum)) {
            out.push_back({m, cf::ModuleSteps(g.ModelNum, g.ModelName, g.NewFirmware)});
        }
        if (auto* n = core::NetworkWindowFor(g.NetType)) {
            out.push_back({n, cf::NetworkSteps(g.NetType, g.VersionCaption)});
        }
        return out;
    }

    static platform::Control& control(platform::Form& w, const cf::Field& f) {
        platform::Control* c = w.find(f.control, f.index);
        if (!c) throw std::runtime_error(w.name() + " lacks " + f.control);
        return *c;
    }

    // The rows a list has once a file has been opened into it.
    static int rowsAfterOpen(const std::vector<cf::Step>& steps, const cf::Field& f,
                             const platform::Control& c) {
        for (const cf::Step& s : steps) {
            if (s.kind == cf::StepKind::FillList && s.control == f.control && s.index == f.index)
                return static_cast<int>(s.rows->size());
        }
        return c.listCount();
    }

    // Puts a value derived from seed into every control of the sections' records.
    void fill(int seed) {
        for (Section& sec : sections()) {
            int k = seed;
            for (const cf::Step& s : sec.steps) {
                if (s.kind != cf::StepKind::Record) continue;
                int option = 0;
                std::vector<std::pair<platform::Control*, bool>> options;
                for (const cf::Field& f : s.fields) {
                    ++k;
                    if (f.source == cf::Source::SubModelNum) continue;
                    platform::Control& c = control(*sec.window, f);
                    switch (f.source) {
                        case cf::Source::Text:
                            c.setText("t" + std::to_string(k) + ",x");
                            break;
                        case cf::Source::TextInteger:
                        case cf::Source::TextIntegerOr0:
                            c.setText(std::to_string(k % 90 + 1));
                            break;
                        case cf::Source::ListIndex: {
                            const int rows = rowsAfterOpen(sec.steps, f, c);
                            const int v = rows > 0 ? k % rows : -1;
                            while (c.listCount() <= v) c.addItem("row");
                            c.setListIndex(v);
                            break;
                        }
                        case cf::Source::OptionValue:
                            options.push_back({&c, (k + option++) % 2 == 0});
                            break;
                        default:
                            break;
                    }
                }
                for (auto& [c, v] : options) {
                    if (!v) c->setValue(false);
                }
                for (auto& [c, v] : options) {
                    if (v) c->setValue(true);
                }
            }
        }
    }

    // What every control of the sections' records holds, in record order.
    std::vector<std::string> snapshot() const {
        std::vector<std::string> out;
        for (const Section& sec : sections()) {
            for (const cf::Step& s : sec.steps) {
                if (s.kind != cf::StepKind::Record) continue;
                for (const cf::Field& f : s.fields) {
                    if (f.source == cf::Source::SubModelNum) {
                        out.push_back("sub=" + std::to_string(core::g.SubModelNum));
                        continue;
                    }
                    const platform::Control& c = control(*sec.window, f);
                    const std::string name = sec.window->name() + "." + c.designName() + "=";
                    switch (f.source) {
                        case cf::Source::ListIndex:
                            out.push_back(name + std::to_string(c.listIndex()));
                            break;
                        case cf::Source::OptionValue:
                            out.push_back(name + (c.value() ? "T" : "F"));
                            break;
                        default:
                            out.push_back(name + c.text());
                    }
                }
            }
        }
        return out;
    }

    std::filesystem::path dir;
};

}  // namespace dunax::testing
