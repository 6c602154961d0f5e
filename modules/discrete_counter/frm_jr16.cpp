#include "modules/discrete_counter/frm_jr16.h"

#include "core/ext_display.h"
#include "core/globals.h"
#include "core/link.h"

namespace dunax::modules {

using platform::Kind;

platform::FormInstance<JR16Window> frmJR16;

JR16Window::JR16Window() : DiscreteWindow("frmJR16", "JR16") {
    Frame1 = &addLampValueFrame(kPointHeader16);
    addExtension(Frame1, 150, 1440, 1170);

    frmSet1 = &addFrame("frmSet1", "", nullptr, 90, 2100, 9330, 4605);
    Frame2 = &addHold("Frame2", frmSet1, 240, 240);

    Frame3 = &addFrame("Frame3", "Force Output ", frmSet1, 240, 1800, 8850, 1080);
    Frame3->setVisible(false).setEnabled(false);
    Command1 = &add(Kind::CommandButton, "Command1", Frame3);
    Command1->setCaption("Enable ").setGeometry(240, 390, 1080, 360);
    Command1->onClick = [this] { Command1_Click(); };
    Label1 = &add(Kind::Label, "Label1", Frame3);
    Label1->setCaption("CH:").setGeometry(1500, 450, 420, 225).setVisible(false);
    static const char* const kHex = "0123456789ABCDEF";
    for (int i = 0; i < 16; ++i) {
        add(Kind::CommandButton, "Command2", i, Frame3, Command2)
            .setCaption(std::string(1, kHex[i]))
            .setGeometry(1950 + i * 420, 390, 375, 360)
            .setVisible(false);
        Command2(i).onClick = [this, i] { Command2_Click(i); };
    }
}

void JR16Window::frmJR16_Init() {
    ShowModuleCode();
    core::ExtDisplayInit(*this);
    ReadHold();
}

void JR16Window::frmJR16_Download() {
    WriteHold();
}

void JR16Window::ReadingData() {
    ReadBitImage();
    RefreshExtension();
}

void JR16Window::txt_able(bool flag) {
    optKeepOn->setEnabled(flag);
    optKeepOff->setEnabled(flag);
    Command1->setEnabled(flag);
    for (int i = 0; i < 16; ++i) Command2(i).setEnabled(flag);
}

// Alternates between hiding and showing the output buttons; the first press only changes the
// caption, since the frame starts with the buttons hidden.
void JR16Window::Command1_Click() {
    if (!ForceHidden) {
        Command1->setCaption("Enable");
        ForceHidden = true;
        Label1->setVisible(false);
        for (int i = 0; i < 16; ++i) Command2(i).setVisible(false);
        return;
    }
    Command1->setCaption("Disable");
    ForceHidden = false;
    Label1->setVisible(true);
    const int shown = core::g.ModelName == "J6U-JR16" ? 16 : core::g.ModelName == "J6U-JR8" ? 8 : 0;
    for (int i = 0; i < 16; ++i) Command2(i).setVisible(i < shown);
}

// Forces output index: item 03 of group 01 with the channel number in decimal.
void JR16Window::Command2_Click(int index) {
    core::SelectWriteRetry(kRetries, "01", "03", std::to_string(index));
}

}  // namespace dunax::modules
