// File > Save and File > Open against the real windows: the exact text of a known state, round
// trips for every window and network that exists, cancel, bad files, and failed saves.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <tuple>
#include <vector>

#include "config_file_fixture.h"
#include "core/tables.h"

namespace dunax {
namespace {

using core::g;
using modules::frmKW4;
using network::frmCCLINK;
using platform::Icon;
namespace cf = config_file;

using testing::kKW4File;
using testing::kw4State;

class SaveOpenTest : public testing::ConfigFileTest {
  protected:
    std::vector<std::string> kw4Look() {
        auto& w = frmKW4();
        std::vector<std::string> out{g.ModelName,
                                     std::to_string(g.ModelNum),
                                     std::to_string(g.UploadModelNum),
                                     std::to_string(g.NetType),
                                     g.VersionCaption,
                                     std::to_string(g.ChCount),
                                     core::frmDunax().lblMastertype.caption(),
                                     core::frmDunax().lblVersionNo.caption(),
                                     w.lblV_Unit->caption(),
                                     std::to_string(w.cmbUserRange(0).listCount())};
        for (const auto& s : snapshot()) out.push_back(s);
        return out;
    }
};

TEST_F(SaveOpenTest, SaveWritesTheExactTextOfTheWindows) {
    identify("J6P-KW4", " 1.05");
    kw4State();
    save(path("unit.uJx"));

    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].flags, 2);
    EXPECT_EQ(host.dialogs[0].filter,
              "uJx Files (*.uJx)|*.uJx|Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
    EXPECT_EQ(host.dialogs[0].filterIndex, 1);
    EXPECT_EQ(readFile(path("unit.uJx")), kKW4File);
    EXPECT_EQ(filesInDir(), std::vector<std::string>{"unit.uJx"});  // no temporary left
}

// A name typed without an extension gets that of the file type selected; one with an
// extension keeps it.
TEST_F(SaveOpenTest, ANameTypedWithoutAnExtensionGetsThatOfTheSelectedFileType) {
    identify("J6P-KW4", " 1.05");
    kw4State();
    const std::tuple<const char*, int, const char*> rows[] = {{"conf1", 1, "conf1.uJx"},
                                                              {"conf1", 2, "conf1.txt"},
                                                              {"conf1", 3, "conf1"},
                                                              {"conf1.txt", 1, "conf1.txt"}};
    for (const auto& [typed, fileType, saved] : rows) {
        host.fileTypes.push_back(fileType);
        save(path(typed));
        EXPECT_EQ(filesInDir(), std::vector<std::string>{saved}) << typed << " as " << fileType;
        std::filesystem::remove(path(saved));
    }
}

TEST_F(SaveOpenTest, OpenFillsTheWindowsAndShowsTheModuleWindowWithoutTalkingToTheUnit) {
    connect();
    g.ModelName = "J6S-MX16";
    g.ExtChCount = 16;
    core::frmDunax().Frame6.setVisible(true);
    core::frmDunax().btnDownload.setEnabled(false);
    writeFile(path("unit.uJx"), kKW4File);

    open(path("unit.uJx"));

    EXPECT_TRUE(host.messages.empty()) << host.messages[0].text;
    EXPECT_EQ(host.dialogs.at(0).filter,
              "uJx Files (*.uJx)|*.uJx|Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
    EXPECT_TRUE(unit->commands().empty());
    EXPECT_EQ(g.ModelName, "J6P-KW4");
    EXPECT_EQ(g.ModelNum, 0);
    EXPECT_EQ(g.SubModelNum, 1);
    EXPECT_EQ(g.UploadModelNum, 0);
    EXPECT_EQ(g.NetType, 0);
    EXPECT_EQ(g.VersionCaption, "Version :  1.05");
    EXPECT_TRUE(g.NewFirmware);
    EXPECT_EQ(g.ExtChCount, 0);
    EXPECT_FALSE(core::frmDunax().Frame6.visible());
    EXPECT_EQ(core::frmDunax().lblMastertype.caption(), "J6P-KW4");
    EXPECT_TRUE(core::frmDunax().btnDownload.enabled());
    EXPECT_TRUE(g.ModuleFormShown);
    EXPECT_EQ(logCount("show frmKW4"), 1);

    auto& w = frmKW4();
    EXPECT_EQ(w.cmbUserRange(1).listIndex(), 9);
    EXPECT_EQ(w.cmbUserRange(3).list(), cf::kListL12);
    EXPECT_EQ(w.txtBias(1).text(), "1,5");
    EXPECT_EQ(w.txtZScale(2).text(), " 12 ");
    EXPECT_TRUE(w.optKeepOff->value());
    EXPECT_FALSE(w.optKeepOn->value());
    EXPECT_EQ(w.lblV_Unit->caption(), "KW4");
    EXPECT_FALSE(w.cmdSet1->enabled());
    EXPECT_TRUE(w.frmSet1->visible());
    EXPECT_FALSE(w.frmSet2->visible());
    EXPECT_EQ(frmCCLINK().txtTimeout.text(), "25");

    // Saved again, the file is the same.
    save(path("again.uJx"));
    EXPECT_EQ(readFile(path("again.uJx")), kKW4File);
}

TEST_F(SaveOpenTest, KeepRecordOfTwoEqualValues) {
    struct Row {
        const char* keep;
        bool on, off;
    };
    for (const Row& row :
         {Row{"#TRUE#,#TRUE#", false, true}, Row{"#FALSE#,#FALSE#", false, false}}) {
        SCOPED_TRACE(row.keep);
        std::string file = kKW4File;
        file.replace(file.find("#FALSE#,#TRUE#"), 14, row.keep);
        writeFile(path("k.uJx"), file);
        open(path("k.uJx"));
        EXPECT_EQ(frmKW4().optKeepOn->value(), row.on);
        EXPECT_EQ(frmKW4().optKeepOff->value(), row.off);
    }
}

// Every module window and every network window that exists, through a save and an open.
TEST_F(SaveOpenTest, RoundTripOfEveryWindowThatExists) {
    const char* codes[28] = {
        "J6P-KW4", "J6P-BJ4",   "J6P-QN4",  "J6P-LQ2",  "J6P-WZ2",  "J6S-MX16H", "J6P-JR16",
        "J6P-UX4", "J6P-GF4E",  "J6P-JR8U", "J6P-FE16", "J6P-ZP4",  "J6P-LQ4",   "J6P-WZ4",
        "J6P-FE8", "J6P-TLQH2", "J6P-BV8",  "J6P-FE2",  "J6P-KWH8", "J6P-LQ4L",  "J6P-MXJ16",
        "J6P-SD2", "J6XN-SD2",  "J6U-FE8",  "J6P-VH4N", "J6P-JR4T", "J6P-WZ4L",  "J6P-JR8Y"};
    std::vector<std::pair<std::string, std::string>> units;  // name, version
    for (const char* c : codes) units.push_back({c, " 2.00"});
    units.push_back({"J6S-MX16", " 2.00"});
    for (const char* n :
         {"J6Q-KW4", "J6S-KW4", "J6SK-KW4", "J6U-KW4", "J6WB-KW4", "J6XN-KW4", "J6YR-KW4"}) {
        units.push_back({n, " 2.00"});
    }
    units.push_back({"J6U-KW4", "1.10"});    // Ethernet without the gateway record
    units.push_back({"J6P-XYZ9", " 2.00"});  // a model without a window of its own

    int covered = 0;
    for (const auto& [name, version] : units) {
        SCOPED_TRACE(name + version);
        restart();
        identify(name, version);
        const int model = g.ModelNum;
        if (model >= 0 && model < 28 && !core::HasModuleWindow(model)) continue;
        if (!core::NetworkWindowFor(g.NetType)) continue;
        ++covered;
        fill(0);
        const std::vector<std::string> want = snapshot();
        save(path("rt.uJx"));
        ASSERT_TRUE(host.messages.empty()) << host.messages[0].text;
        const std::string file = readFile(path("rt.uJx"));

        fill(1);
        g.SubModelNum = 99;
        ASSERT_NE(snapshot(), want);
        g.ModelName = "NONE";
        open(path("rt.uJx"));
        ASSERT_TRUE(host.messages.empty()) << host.messages[0].text;
        EXPECT_EQ(g.ModelNum, model);
        EXPECT_EQ(g.UploadModelNum, model);
        EXPECT_EQ(snapshot(), want);
        if (auto* w = core::ModuleWindowFor(model)) {
            EXPECT_EQ(logCount("show " + w->name()), 1);
        } else {
            EXPECT_EQ(std::count_if(host.log.begin(), host.log.end(),
                                    [](const std::string& e) { return e.rfind("show", 0) == 0; }),
                      0);
        }
        save(path("rt2.uJx"));
        EXPECT_EQ(readFile(path("rt2.uJx")), file);
    }
    EXPECT_GE(covered, 30);
}

TEST_F(SaveOpenTest, LayoutFollowsTheModelNameAndTheVersion) {
    struct Row {
        const char* name;
        const char* version;
        int lines;
    };
    const Row rows[] = {
        {"J6S-MX16H", " 2.00", 1 + 2 + 1},  // reply delay record
        {"J6S-MX16", " 2.00", 1 + 1 + 1},
        {"J6U-KW4", "1.10", 1 + 6 + 5},  // Ethernet: no gateway
        {"J6U-KW4", "0.90", 1 + 6 + 5},
        {"J6U-KW4", "2.00", 1 + 6 + 6},
        {"J6U-KW4", " 1.10", 1 + 6 + 6},  // a blank before the version
        {"J6P-JR8U", " 2.00", 1 + 0 + 1},
        {"J6P-XYZ9", " 2.00", 1 + 0 + 1},  // model 99: header and network only
        {"X6P-KW4", " 2.00", 1 + 6 + 0},   // no known network
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + row.version);
        restart();
        identify(row.name, row.version);
        if (!core::ModuleWindowFor(g.ModelNum) && g.ModelNum != 99) continue;
        fill(0);
        const std::string text = cf::ComposeConfigText();
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), row.lines) << text;
    }
}

TEST_F(SaveOpenTest, OpenTakesTheModelFromTheNameNotFromTheNumberItem) {
    std::string file = kKW4File;
    file.replace(file.find(",0,"), 3, ",5,");
    writeFile(path("x.uJx"), file);
    open(path("x.uJx"));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(g.ModelNum, 0);
    EXPECT_EQ(logCount("show frmKW4"), 1);
}

TEST_F(SaveOpenTest, CancelAndNothingToSave) {
    // Nothing shown yet: no dialog.
    g.ModuleFormShown = false;
    core::frmDunax().mnuFilesSave_Click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "No Config Data");
    EXPECT_EQ(host.messages[0].title, "Save Error");
    EXPECT_TRUE(host.dialogs.empty());

    identify("J6P-KW4", " 1.05");
    kw4State();
    const auto before = kw4Look();
    host.messages.clear();
    host.files.push_back(std::nullopt);
    core::frmDunax().mnuFilesSave_Click();
    host.files.push_back(std::nullopt);
    core::frmDunax().mnuFilesOpen_Click();
    EXPECT_EQ(host.dialogs.size(), 2u);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(filesInDir().empty());
    EXPECT_EQ(kw4Look(), before);
    EXPECT_EQ(logCount("show frmKW4"), 0);
}

TEST_F(SaveOpenTest, ABadFileChangesNothing) {
    const std::string big(2 << 20, '1');
    struct Row {
        const char* name;
        std::string bytes;
        std::string message;
    };
    auto leftOver = [](const std::string& where) {
        return "the file holds more than the records of its model and network (" + where + ")";
    };
    auto edit = [](const std::string& from, const std::string& to) {
        std::string f = kKW4File;
        f.replace(f.find(from), from.size(), to);
        return f;
    };
    const Row rows[] = {
        {"empty", "", "Input past end of file"},
        {"header only", "\"J6P-KW4\",0,\"Version :  1.05\",4,0\r\n", "Input past end of file"},
        {"cut after a comma", kKW4File.substr(0, kKW4File.find("\"1\",\"2\"") + 8),
         "Input past end of file"},
        {"network record missing", kKW4File.substr(0, kKW4File.size() - 4),
         "Input past end of file"},
        {"letters for a range", edit("0,9,3,11", "0,x,3,11"), "Type mismatch"},
        {"range beyond the list", edit("0,9,3,11", "0,12,3,11"), "Invalid property value"},
        {"range below -1", edit("0,9,3,11", "-2,9,3,11"), "Invalid property value"},
        {"range above 16 bits", edit("0,9,3,11", "0,40000,3,11"), "Overflow"},
        {"truth value misspelt", edit("#FALSE#", "#FALSCH#"), "Type mismatch"},
        {"header number not a number", edit(",4,0", ",four,0"), "Type mismatch"},
        {"time-out above 16 bits", edit("25\r\n", "32768\r\n"), "Overflow"},
        {"binary bytes", edit("\"x\"", std::string("\"\x01\x02\0\"", 5)), "not text"},
        {"quote not closed", edit("\"6\"\r\n", "\"6\r\n"), "past the end of its line"},
        {"garbage after a quote", edit("\"x\",", "\"x\"y,"), "after a quoted text"},
        {"too large", big, "too large"},
        // Data after the last record the model and network hold, reported where it begins. An
        // unknown model reads no module records: the range record's first item is taken as
        // the CC-Link time-out.
        {"model unknown to the program", edit("J6P-KW4", "J6P-XYZ9"), leftOver("line 2, item 2")},
        {"a record more", kKW4File + "26\r\n", leftOver("line 9, item 1")},
        {"an item more on the last line", edit("25\r\n", "25,26\r\n"), leftOver("line 8, item 2")},
        {"a comma after the last item", edit("25\r\n", "25,\r\n"), leftOver("line 8, item 2")},
        {"a comma as the last byte", edit("25\r\n", "25,"), leftOver("line 8, item 2")},
        {"an item after blank lines", kKW4File + "\r\n  \r\n\"x\"", leftOver("line 11, item 1")},
        {"an end-of-file mark before more lines", kKW4File + "\x1A\r\n",
         leftOver("line 9, item 1")},
    };
    connect();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        restart();
        connect();
        identify("J6P-KW4", " 0.99", 2);
        fill(3);
        const auto before = kw4Look();
        writeFile(path("bad.uJx"), row.bytes);
        open(path("bad.uJx"));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_NE(host.messages[0].text.find(row.message), std::string::npos)
            << host.messages[0].text;
        EXPECT_NE(host.messages[0].text.find("nothing was changed"), std::string::npos);
        EXPECT_EQ(host.messages[0].icon, Icon::None);
        EXPECT_EQ(kw4Look(), before);
        EXPECT_EQ(logCount("show frmKW4"), 0);
        EXPECT_TRUE(unit->commands().empty());
    }
}

TEST_F(SaveOpenTest, AByteOrderMarkAtTheStartIsSkipped) {
    std::vector<std::string> withoutMark;
    for (const bool mark : {false, true}) {
        SCOPED_TRACE(mark ? "with the mark" : "without the mark");
        restart();
        writeFile(path("unit.uJx"), (mark ? "\xEF\xBB\xBF" : "") + kKW4File);
        open(path("unit.uJx"));
        ASSERT_TRUE(host.messages.empty()) << host.messages[0].text;
        EXPECT_EQ(g.ModelName, "J6P-KW4");
        EXPECT_EQ(g.NetType, 0);
        EXPECT_TRUE(core::frmDunax().btnComNet.visible());
        EXPECT_EQ(frmCCLINK().txtTimeout.text(), "25");
        std::vector<std::string> look = kw4Look();
        look.push_back(core::frmDunax().btnComNet.caption());
        if (!mark) withoutMark = look;
        EXPECT_EQ(look, withoutMark);
        save(path("again.uJx"));
        EXPECT_TRUE(host.messages.empty()) << host.messages[0].text;
        EXPECT_EQ(readFile(path("again.uJx")), kKW4File);
    }
}

// A bad item of a record that takes effect after later records is reported where it stands.
TEST_F(SaveOpenTest, ABadRangeIsReportedAtItsOwnLineAndItem) {
    struct Row {
        const char* ranges;
        const char* where;
    };
    const Row rows[] = {{"12,9,3,11", "line 2, item 1"},
                        {"0,12,3,11", "line 2, item 2"},
                        {"0,9,3,-2", "line 2, item 4"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.ranges);
        host.messages.clear();
        std::string file = kKW4File;
        file.replace(file.find("0,9,3,11"), 8, row.ranges);
        writeFile(path("bad.uJx"), file);
        open(path("bad.uJx"));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_NE(host.messages[0].text.find("Invalid property value"), std::string::npos);
        EXPECT_NE(host.messages[0].text.find(row.where), std::string::npos)
            << host.messages[0].text;
    }
}

// What editors leave after the last line: blank lines, blanks, line ends of any kind, a DOS
// end-of-file mark.
TEST_F(SaveOpenTest, BlankLinesAfterTheLastRecordAreHarmless) {
    std::string lfOnly;
    for (char c : kKW4File) {
        if (c != '\r') lfOnly += c;
    }
    const std::string noLastLineEnd = kKW4File.substr(0, kKW4File.size() - 2);
    const std::string files[] = {
        kKW4File + "\r\n",
        kKW4File + "\r\n\r\n\r\n",
        kKW4File + "   ",
        kKW4File + " \t\r\n\t \r\n",
        lfOnly + "\n\n",
        kKW4File + "\r\r",
        kKW4File + "\x1A",
        kKW4File + "\r\n\x1A",
        noLastLineEnd,
        noLastLineEnd + "  \r\n",
        lfOnly,
    };
    for (const std::string& file : files) {
        SCOPED_TRACE(::testing::PrintToString(file.substr(file.size() - 8)));
        restart();
        frmCCLINK().txtTimeout.setText("7");
        writeFile(path("unit.uJx"), file);
        open(path("unit.uJx"));
        EXPECT_TRUE(host.messages.empty()) << host.messages[0].text;
        EXPECT_EQ(frmCCLINK().txtTimeout.text(), "25");
        EXPECT_EQ(logCount("show frmKW4"), 1);
    }
}

TEST_F(SaveOpenTest, WhatIsNotAFileIsNotOpened) {
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    for (const std::string& p : {path("pipe"), dir.string(), path("missing.uJx")}) {
        SCOPED_TRACE(p);
        host.messages.clear();
        open(p);  // a pipe without a writer must not hang the program
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_NE(host.messages[0].text.find(p), std::string::npos) << host.messages[0].text;
    }
}

TEST_F(SaveOpenTest, TemperatureUnitsOutsideTheTable) {
    restart();
    identify("J6P-BJ4");
    if (!core::ModuleWindowFor(1)) GTEST_SKIP() << "no thermocouple window";
    fill(0);
    save(path("bj4.uJx"));
    const std::string good = readFile(path("bj4.uJx"));
    const std::size_t unitLine = good.find("\r\n", good.find("\r\n") + 2) + 2;
    struct Row {
        const char* units;
        const char* where;  // the unit record is line 3
    };
    for (const Row& row : {Row{"-1,0,0,0", "line 3, item 1"}, Row{"0,3,0,0", "line 3, item 2"},
                           Row{"0,0,0,-1", "line 3, item 4"}}) {
        SCOPED_TRACE(row.units);
        std::string bad = good;
        bad.replace(unitLine, good.find("\r\n", unitLine) - unitLine, row.units);
        writeFile(path("bad.uJx"), bad);
        host.messages.clear();
        const auto before = snapshot();
        open(path("bad.uJx"));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_NE(host.messages[0].text.find(row.where), std::string::npos)
            << host.messages[0].text;
        EXPECT_EQ(snapshot(), before);
    }
    // The good file sets the labels from the unit table.
    open(path("bj4.uJx"));
    auto* w = core::ModuleWindowFor(1);
    const int tempUnit = w->find("cmbUserUnit", 2)->listIndex();
    ASSERT_GE(tempUnit, 0);
    EXPECT_EQ(w->find("lblFBase_Unit", 2)->caption(),
              core::TcRange[static_cast<std::size_t>(tempUnit)].Unit);
}

TEST_F(SaveOpenTest, IntegerBoxesAreConvertedOrTheSaveFails) {
    struct Row {
        const char* timeout;
        const char* written;  // nullptr: the save fails with this message
        const char* message;
    };
    const Row rows[] = {
        {"", "0", nullptr},
        {"12.5", "12", nullptr},
        {"13.5", "14", nullptr},
        {" 7 ", "7", nullptr},
        {"-5", "-5", nullptr},
        {"1e2", "100", nullptr},
        {"abc", nullptr, "Type mismatch"},
        {"   ", nullptr, "Type mismatch"},
        {"32768", nullptr, "Overflow"},
    };
    identify("J6P-KW4", " 1.05");
    kw4State();
    writeFile(path("old.uJx"), "OLD");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.timeout);
        host.messages.clear();
        frmCCLINK().txtTimeout.setText(row.timeout);
        host.messages.clear();  // the window's own check of the entry
        save(path("old.uJx"));
        const std::string file = readFile(path("old.uJx"));
        if (row.written) {
            EXPECT_TRUE(host.messages.empty());
            EXPECT_EQ(file.substr(file.rfind("\r\n", file.size() - 3) + 2),
                      std::string(row.written) + "\r\n");
            writeFile(path("old.uJx"), "OLD");
        } else {
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].title, "Open Error");
            EXPECT_NE(host.messages[0].text.find(row.message), std::string::npos);
            EXPECT_NE(host.messages[0].text.find("txtTimeout"), std::string::npos);
            EXPECT_EQ(file, "OLD");
        }
    }
    EXPECT_EQ(filesInDir(), std::vector<std::string>{"old.uJx"});
}

// A save that fails before the file is touched says a file was left as it was only where one
// was there.
TEST_F(SaveOpenTest, AFailedSaveTellsWhetherAFileWasThere) {
    identify("J6P-KW4", " 1.05");
    kw4State();
    frmCCLINK().txtTimeout.setText("abc");
    for (const bool exists : {false, true}) {
        SCOPED_TRACE(exists ? "file there" : "no file");
        if (exists) writeFile(path("f.uJx"), "OLD");
        host.messages.clear();
        save(path("f.uJx"));
        ASSERT_EQ(host.messages.size(), 1u);
        const std::string& text = host.messages[0].text;
        EXPECT_EQ(host.messages[0].title, "Open Error");
        EXPECT_NE(text.find("The file was not written"), std::string::npos) << text;
        EXPECT_EQ(text.find("a file of that name was left as it was") != std::string::npos, exists)
            << text;
        EXPECT_EQ(std::filesystem::exists(path("f.uJx")), exists);
    }
}

TEST_F(SaveOpenTest, EmptyTimeOutOfOtherNetworksFailsTheSave) {
    identify("J6S-KW4");
    fill(0);
    auto* modbus = core::NetworkWindowFor(2);
    ASSERT_NE(modbus, nullptr);
    modbus->find("txtTimeout")->setText("");
    host.messages.clear();
    save(path("m.uJx"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("Type mismatch"), std::string::npos);
    EXPECT_TRUE(filesInDir().empty());
}

TEST_F(SaveOpenTest, ATextThatCouldNotBeReadBackIsNotSaved) {
    identify("J6P-KW4", " 1.05");
    kw4State();
    writeFile(path("old.uJx"), "OLD");
    frmKW4().txtBias(2).setText("1\"2");
    save(path("old.uJx"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("txtBias(2)"), std::string::npos);
    EXPECT_EQ(readFile(path("old.uJx")), "OLD");
}

// What cannot be written is refused and the old file left whole, whatever its folder allows.
// The superuser may write any file, so the rows of files it may not write are for other users.
TEST_F(SaveOpenTest, AFileThatCannotBeWrittenLeavesTheOldOneAlone) {
    identify("J6P-KW4", " 1.05");
    kw4State();
    namespace fs = std::filesystem;
    fs::create_directory(dir / "ro");
    fs::create_directory(dir / "rw");
    writeFile(path("ro/unit.uJx"), "OLD");
    writeFile(path("rw/unit.uJx"), "OLD");
    fs::permissions(path("ro/unit.uJx"), fs::perms::owner_read);
    fs::permissions(path("rw/unit.uJx"), fs::perms::owner_read);
    fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    struct Row {
        std::string target;
        const char* reason;
        bool readOnlyFile;
    };
    const Row rows[] = {{path("no such folder/unit.uJx"), "No such file or directory", false},
                        {path("ro"), "is a folder", false},
                        {path("ro/unit.uJx"), "Permission denied", true},
                        {path("rw/unit.uJx"), "Permission denied", true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.target);
        if (row.readOnlyFile && ::access(row.target.c_str(), W_OK) == 0) continue;  // superuser
        host.messages.clear();
        save(row.target);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].title, "Open Error");
        EXPECT_NE(host.messages[0].text.find(row.reason), std::string::npos)
            << host.messages[0].text;
    }
    for (const char* folder : {"ro", "rw"}) {
        SCOPED_TRACE(folder);
        EXPECT_EQ(readFile(path(std::string(folder) + "/unit.uJx")), "OLD");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir / folder), {}), 1);  // no temporary
    }
}

// A link is followed link by link, a relative one from its own folder, and the file it ends
// at is written, created when it is not there yet; the link stays. A loop of links is a
// failure that changes nothing.
TEST_F(SaveOpenTest, SavingThroughALinkWritesWhereItEndsAndKeepsTheLink) {
    identify("J6P-KW4", " 1.05");
    kw4State();
    namespace fs = std::filesystem;
    fs::create_directory(dir / "sub");
    fs::create_symlink("new.uJx", dir / "to-new.uJx");
    fs::create_symlink("sub/next", dir / "chain.uJx");
    fs::create_symlink("../chained.uJx", dir / "sub" / "next");
    fs::create_symlink("loop-b.uJx", dir / "loop-a.uJx");
    fs::create_symlink("loop-a.uJx", dir / "loop-b.uJx");
    struct Row {
        const char* link;
        const char* linkTarget;
        const char* written;  // nullptr: the save fails
    };
    const Row rows[] = {
        {"to-new.uJx", "new.uJx", "new.uJx"},
        {"chain.uJx", "sub/next", "chained.uJx"},
        {"loop-a.uJx", "loop-b.uJx", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.link);
        host.messages.clear();
        save(path(row.link));
        ASSERT_TRUE(fs::is_symlink(dir / row.link));
        EXPECT_EQ(fs::read_symlink(dir / row.link), row.linkTarget);
        if (row.written) {
            EXPECT_TRUE(host.messages.empty()) << host.messages[0].text;
            EXPECT_EQ(readFile(path(row.written)), kKW4File);
            continue;
        }
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].title, "Open Error");
        EXPECT_NE(host.messages[0].text.find("Too many levels of symbolic links"),
                  std::string::npos)
            << host.messages[0].text;
    }
    EXPECT_TRUE(fs::is_symlink(dir / "sub" / "next"));
    EXPECT_TRUE(fs::is_symlink(dir / "loop-b.uJx"));
    EXPECT_EQ(filesInDir().size(), 7u);  // no temporary left
}

TEST_F(SaveOpenTest, SavingReplacesAnExistingFileKeepingItsPermissions) {
    identify("J6P-KW4", " 1.05");
    kw4State();
    writeFile(path("unit.uJx"), "OLD");
    ::chmod(path("unit.uJx").c_str(), 0640);
    save(path("unit.uJx"));
    EXPECT_EQ(readFile(path("unit.uJx")), kKW4File);
    struct stat st {};
    ASSERT_EQ(::stat(path("unit.uJx").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// A window that lacks a control the file needs: a clear message, no file, nothing opened.
class BareWindow : public core::ModuleWindow {
  public:
    BareWindow() : ModuleWindow("frmKW4") {}
    void Init() override {}
    void Download() override {}
    void ReadingData() override {}
    void txt_able(bool) override {}
};

TEST_F(SaveOpenTest, AControlMissingFromAWindowIsReported) {
    writeFile(path("unit.uJx"), kKW4File);
    BareWindow bare;
    core::RegisterModuleWindow(0, [&bare]() -> core::ModuleWindow& { return bare; });
    identify("J6P-KW4", " 1.05");
    frmCCLINK().txtTimeout.setText("25");

    save(path("unit.uJx"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("frmKW4 has no list box cmbUserRange(0)"),
              std::string::npos)
        << host.messages[0].text;
    EXPECT_EQ(readFile(path("unit.uJx")), kKW4File);

    host.messages.clear();
    g.ModelName = "NONE";
    frmCCLINK().txtTimeout.setText("7");
    open(path("unit.uJx"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("frmKW4 has no control cmdSet1"), std::string::npos)
        << host.messages[0].text;
    EXPECT_EQ(g.ModelName, "NONE");
    EXPECT_EQ(frmCCLINK().txtTimeout.text(), "7");
    EXPECT_FALSE(bare.shown());
    modules::RegisterModuleWindows();
}

}  // namespace
}  // namespace dunax
