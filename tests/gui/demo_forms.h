// Windows built in code for the GUI tests: one of every control kind, a main window with
// menus and status strips, a module-sized child window and small modal dialogs.
#pragma once

#include <string>

#include "platform/control.h"

namespace dunax::gui::test {

using platform::Control;
using platform::ControlArray;
using platform::Kind;

inline const std::string kHeader16 =
    "0  1  2  3                4  5  6  7               8  9  A  B              C  D  E  F";

// A top-level window holding every kind of control.
class AllControlsForm : public platform::Form {
  public:
    AllControlsForm() : Form("frmAll") {
        setCaption("All controls");
        setGeometry(0, 0, 9000, 6600);
        fraCh = &add(Kind::Frame, "fraCh");
        fraCh->setCaption("Scaling").setGeometry(120, 120, 4200, 1500);
        for (int i = 0; i < 2; ++i) {
            Control& l = add(Kind::Label, "lblCh", i, fraCh, lblCh);
            l.setCaption("CH " + std::to_string(i)).setGeometry(1200 + i * 1300, 240, 1000, 255);
        }
        lblBias = &add(Kind::Label, "lblBias", fraCh);
        lblBias->setCaption("Bias").setGeometry(120, 600, 1000, 255);
        lblGain = &add(Kind::Label, "lblGain", fraCh);
        lblGain->setCaption("Gain").setGeometry(120, 1000, 1000, 255);
        for (int i = 0; i < 2; ++i) {
            add(Kind::TextBox, "txtBias", i, fraCh, txtBias)
                .setGeometry(1200 + i * 1300, 560, 1000, 285);
            add(Kind::TextBox, "txtGain", i, fraCh, txtGain)
                .setGeometry(1200 + i * 1300, 960, 1000, 285);
        }
        txtGain(1).setAccessibleName("CH 1 Gain (named)");

        fraUnit = &add(Kind::Frame, "fraUnit");
        fraUnit->setCaption("Unit").setGeometry(4440, 120, 2000, 1500);
        const char* units[] = {"deg C", "deg F", "K"};
        for (int i = 0; i < 3; ++i) {
            add(Kind::OptionButton, "optUnit", i, fraUnit, optUnit)
                .setCaption(units[i])
                .setGeometry(240, 300 + i * 360, 1500, 255);
        }
        chkHold = &add(Kind::CheckBox, "chkHold");
        chkHold->setCaption("Output hold").setGeometry(6600, 240, 1800, 255);
        cmbRange = &add(Kind::ComboBox, "cmbRange");
        cmbRange->setGeometry(6600, 600, 1800, 315);
        for (const char* r : {"-10 to 10 V", "0 to 10 V", "1 to 5 V", "4 to 20 mA"}) {
            cmbRange->addItem(r);
        }
        lblRange = &add(Kind::Label, "lblRange");
        lblRange->setCaption("Range").setGeometry(6600, 960, 1800, 255);

        lblExtIndex = &add(Kind::Label, "lblExtIndex", 0, nullptr, lblExtIndexArr);
        lblExtIndex->setCaption(kHeader16).setGeometry(240, 1800, 8000, 255);
        for (int i = 0; i < 16; ++i) {
            Control& box = add(Kind::TextBox, "txtChData", i, nullptr, txtChData);
            box.setGeometry(240 + i * 500, 2100, 255, 255)
                .setLocked(true)
                .setBackColor(i % 3 == 0 ? platform::color::Green : platform::color::Red);
        }
        lblV_Ext = &add(Kind::Label, "lblV_Ext");
        lblV_Ext->setCaption("PY16").setGeometry(8300, 2100, 600, 255);

        lblInfo = &add(Kind::Label, "lblInfo");
        lblInfo->setCaption("Display only").setGeometry(240, 2640, 1400, 255).setAlignment(1);
        txtInfo = &add(Kind::TextBox, "txtInfo");
        txtInfo->setGeometry(1700, 2600, 1400, 285)
            .setLocked(true)
            .setBackColor(platform::color::InfoBackground)
            .setAlignment(1)
            .setText("12.34");
        shpLamp = &add(Kind::Shape, "shpLamp");
        shpLamp->setGeometry(3400, 2580, 330, 330).setFillColor(platform::color::LampGreen);
        line = &add(Kind::Line, "Line1");
        line->setGeometry(240, 3100, 8400, 0);
        pgBar = &add(Kind::ProgressBar, "pgBar");
        pgBar->setGeometry(240, 3300, 8400, 300);
        pgBar->setMax(5).setProgress(2);
        lblBig = &add(Kind::Label, "lblBig");
        lblBig->setCaption("Large caption").setGeometry(240, 3800, 4000, 500).setFontSize(14);
        lblBig->setFontBold(true);
        lblWrap = &add(Kind::Label, "lblWrap");
        lblWrap->setCaption("A long explanation that needs more than one line in its label.")
            .setGeometry(4400, 3800, 2400, 600);
        tmrTick = &add(Kind::Timer, "tmrTick");
        cmdOK = &add(Kind::CommandButton, "cmdOK");
        cmdOK->setCaption("OK").setGeometry(5400, 4800, 1500, 450);
        cmdStop = &add(Kind::CommandButton, "cmdStop");
        cmdStop->setCaption("Stop").setGeometry(7080, 4800, 1500, 450).setUrgent(true);
        txtNoName = &add(Kind::TextBox, "txtNoName");
        txtNoName->setGeometry(240, 4800, 1200, 285);
    }

    Control* fraCh;
    Control* fraUnit;
    ControlArray lblCh, txtBias, txtGain, optUnit, txtChData, lblExtIndexArr;
    Control *lblBias, *lblGain, *chkHold, *cmbRange, *lblRange, *lblExtIndex, *lblV_Ext;
    Control *lblInfo, *txtInfo, *shpLamp, *line, *pgBar, *lblBig, *lblWrap, *tmrTick;
    Control *cmdOK, *cmdStop, *txtNoName;
};

// A main window: status and button strips along the left edge, File and Help menus.
class MainForm : public platform::Form {
  public:
    MainForm() : Form("frmMain", platform::WindowKind::MdiParent) {
        setCaption("DUNAX");
        setGeometry(0, 0, 12300, 9000);
        Control& status = add(Kind::Frame, "Frame4");
        status.setGeometry(60, 0, 2220, 1200);
        shpLamp = &add(Kind::Shape, "shpLamp", &status);
        shpLamp->setGeometry(120, 240, 375, 375).setFillColor(platform::color::LampNavy);
        add(Kind::Label, "lblComPortNo", &status)
            .setCaption("COM1")
            .setGeometry(600, 240, 1500, 255);
        add(Kind::Label, "lblConStatus", &status)
            .setCaption("Disconnected")
            .setGeometry(600, 600, 1500, 255);
        Control& io = add(Kind::Frame, "Frame1");
        io.setCaption("I/O").setGeometry(60, 1300, 2220, 1300);
        add(Kind::CommandButton, "btnDownload", &io)
            .setCaption("Download")
            .setGeometry(120, 300, 1980, 400);
        add(Kind::CommandButton, "btnUpload", &io)
            .setCaption("Upload")
            .setGeometry(120, 780, 1980, 400);
        Control& com = add(Kind::Frame, "Frame3");
        com.setCaption("Com").setGeometry(60, 2700, 2220, 1300);
        btnConnect = &add(Kind::CommandButton, "btnConnect", &com);
        btnConnect->setCaption("Connect").setGeometry(120, 300, 1980, 400);
        add(Kind::CommandButton, "btnSetting", &com)
            .setCaption("Setting")
            .setGeometry(120, 780, 1980, 400)
            .setEnabled(false);

        mnuFiles = &add(Kind::Menu, "mnuFiles");
        mnuFiles->setCaption("File");
        mnuFilesOpen = &add(Kind::Menu, "mnuFilesOpen", mnuFiles);
        mnuFilesOpen->setCaption("Open");
        mnuFilesSave = &add(Kind::Menu, "mnuFilesSave", mnuFiles);
        mnuFilesSave->setCaption("Save");
        mnuFilesVar = &add(Kind::Menu, "mnuFilesVar", mnuFiles);
        mnuFilesVar->setCaption("-");
        mnuFilesEnd = &add(Kind::Menu, "mnuFilesEnd", mnuFiles);
        mnuFilesEnd->setCaption("Exit");
        mnuHelp = &add(Kind::Menu, "mnuHelp");
        mnuHelp->setCaption("Help");
        mnuHelpVersion = &add(Kind::Menu, "mnuHelpVersion", mnuHelp);
        mnuHelpVersion->setCaption("Version");
    }
    Control *shpLamp, *btnConnect;
    Control *mnuFiles, *mnuFilesOpen, *mnuFilesSave, *mnuFilesVar, *mnuFilesEnd, *mnuHelp,
        *mnuHelpVersion;
};

// A module window: a child of the main window's document area.
class ChildForm : public platform::Form {
  public:
    ChildForm() : Form("frmChild", platform::WindowKind::MdiChild) {
        setCaption("KW4");
        Control& fra = add(Kind::Frame, "Frame1");
        fra.setCaption("Value").setGeometry(120, 120, 9200, 1300);
        for (int i = 0; i < 4; ++i) {
            add(Kind::Label, "lblCh", i, &fra, lblCh)
                .setCaption("CH " + std::to_string(i))
                .setGeometry(1300 + i * 1900, 300, 1600, 255)
                .setAlignment(2);
            add(Kind::TextBox, "txtParData", i, &fra, txtParData)
                .setGeometry(1300 + i * 1900, 700, 1600, 285)
                .setLocked(true)
                .setBackColor(platform::color::InfoBackground)
                .setText(std::to_string(i * 1000));
        }
        add(Kind::Label, "lblExtIndex", 0, nullptr, lblExtIndex)
            .setCaption("0  1  2  3                4  5  6  7")
            .setGeometry(240, 1700, 4000, 255);
        for (int i = 0; i < 8; ++i) {
            add(Kind::TextBox, "txtChData", i, nullptr, txtChData)
                .setGeometry(240 + i * 480, 2000, 255, 255)
                .setLocked(true)
                .setBackColor(i < 4 ? platform::color::Green : platform::color::Red);
        }
    }
    ControlArray lblCh, txtParData, lblExtIndex, txtChData;
};

// A small dialog; its OK button runs onOK (hide or unload, as a test wants).
class SmallDialog : public platform::Form {
  public:
    SmallDialog() : Form("frmSmall") {
        setCaption("Notice");
        setGeometry(0, 0, 4800, 2400);
        add(Kind::Label, "Label2")
            .setCaption("If you change the settings")
            .setGeometry(240, 240, 4200, 255);
        add(Kind::Label, "Label1")
            .setCaption("please turn off the power, and restart the J6.")
            .setGeometry(240, 540, 4200, 255);
        txt = &add(Kind::TextBox, "txtEntry");
        txt->setGeometry(240, 900, 2000, 285);
        ok = &add(Kind::CommandButton, "OKButton");
        ok->setCaption("OK").setGeometry(1650, 1380, 1500, 400);
    }
    Control* txt;
    Control* ok;
};

}  // namespace dunax::gui::test
