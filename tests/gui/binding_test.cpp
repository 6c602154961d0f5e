// The widgets follow the model and the user's input reaches the model, each exactly once.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "demo_forms.h"
#include "gui_fixture.h"
#include "platform/host.h"

namespace dunax::gui::test {
namespace {

class BindingTest : public GuiTest {
  protected:
    void SetUp() override { form.show(); }
    AllControlsForm form;
};

TEST_F(BindingTest, TextFromCodeShowsWithoutRaisingChangeTwice) {
    int changes = 0;
    form.txtBias(1).onChange = [&] { ++changes; };
    auto* edit = widget<QLineEdit>(form.txtBias(1));
    ASSERT_NE(edit, nullptr);

    form.txtBias(1).setText("1.50");
    EXPECT_EQ(edit->text(), "1.50");
    EXPECT_EQ(changes, 1);  // the model's own Change; the mirror raises none
    form.txtBias(1).setText("1.50");
    EXPECT_EQ(changes, 1);
}

TEST_F(BindingTest, TypingSetsTheTextAndRaisesChangeOncePerKey) {
    std::vector<std::string> seen;
    form.txtBias(0).onChange = [&] { seen.push_back(form.txtBias(0).text()); };
    auto* edit = widget<QLineEdit>(form.txtBias(0));
    ASSERT_NE(edit, nullptr);

    type(edit, "-2.5");
    EXPECT_EQ(form.txtBias(0).text(), "-2.5");
    EXPECT_EQ(seen, (std::vector<std::string>{"-", "-2", "-2.", "-2.5"}));
    key(edit, Qt::Key_Backspace);
    EXPECT_EQ(form.txtBias(0).text(), "-2.");
    EXPECT_EQ(seen.size(), 5u);
}

TEST_F(BindingTest, ChangeHandlerThatRewritesTheTextIsShown) {
    // A handler that keeps only digits: the box shows what the model holds.
    form.txtGain(0).onChange = [&] {
        std::string t = form.txtGain(0).text(), digits;
        for (char ch : t) {
            if (ch >= '0' && ch <= '9') digits += ch;
        }
        form.txtGain(0).setText(digits);
    };
    auto* edit = widget<QLineEdit>(form.txtGain(0));
    type(edit, "1x2");
    EXPECT_EQ(form.txtGain(0).text(), "12");
    EXPECT_EQ(edit->text(), "12");
}

TEST_F(BindingTest, LockedBoxIsReadOnlyAndIgnoresTyping) {
    auto* edit = widget<QLineEdit>(*form.txtInfo);
    EXPECT_TRUE(edit->isReadOnly());
    type(edit, "9");
    EXPECT_EQ(form.txtInfo->text(), "12.34");
    form.txtInfo->setLocked(false);
    EXPECT_FALSE(edit->isReadOnly());
}

TEST_F(BindingTest, OptionClickSetsItAndClearsTheOthersOfItsFrame) {
    std::vector<int> clicks(3, 0);
    for (int i = 0; i < 3; ++i) form.optUnit(i).onClick = [&clicks, i] { ++clicks[i]; };
    form.optUnit(0).setValue(true);
    std::vector<QRadioButton*> radios;
    for (int i = 0; i < 3; ++i) radios.push_back(widget<QRadioButton>(form.optUnit(i)));
    EXPECT_TRUE(radios[0]->isChecked());
    // Radio buttons to accessibility tools; the model, not Qt, clears the other options.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(radios[0])->role(), QAccessible::RadioButton);

    radios[2]->click();
    EXPECT_TRUE(form.optUnit(2).value());
    EXPECT_FALSE(form.optUnit(0).value());
    EXPECT_TRUE(radios[2]->isChecked());
    EXPECT_FALSE(radios[0]->isChecked());
    EXPECT_EQ(clicks, (std::vector<int>{1, 0, 1}));

    // A click on the option that is set leaves it set.
    radios[2]->click();
    EXPECT_TRUE(radios[2]->isChecked());
    EXPECT_TRUE(form.optUnit(2).value());
}

TEST_F(BindingTest, CheckBoxClickTogglesTheValueAndRaisesClickOnce) {
    int clicks = 0;
    form.chkHold->onClick = [&] { ++clicks; };
    auto* box = widget<QCheckBox>(*form.chkHold);
    box->click();
    EXPECT_EQ(form.chkHold->checkValue(), 1);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(clicks, 1);
    form.chkHold->setCheckValue(0);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(clicks, 2);
}

TEST_F(BindingTest, ComboShowsNoSelectionAndTakesTheUsersChoice) {
    int clicks = 0;
    form.cmbRange->onClick = [&] { ++clicks; };
    auto* combo = widget<QComboBox>(*form.cmbRange);
    ASSERT_EQ(combo->count(), 4);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_TRUE(combo->currentText().isEmpty());

    form.cmbRange->setListIndex(1);
    EXPECT_EQ(combo->currentText(), "0 to 10 V");
    form.cmbRange->setListIndex(7);  // not a row: no selection
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(clicks, 2);

    combo->setCurrentIndex(3);
    emit combo->activated(3);  // what the drop-down list does when the user picks a row
    EXPECT_EQ(form.cmbRange->listIndex(), 3);
    EXPECT_EQ(form.cmbRange->text(), "4 to 20 mA");
    EXPECT_EQ(clicks, 3);

    form.cmbRange->clear();
    EXPECT_EQ(combo->count(), 0);
    form.cmbRange->addItem("only");
    EXPECT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->currentIndex(), -1);
}

TEST_F(BindingTest, PropertiesFromCodeShowAtOnce) {
    auto* label = widget<QLabel>(*form.lblRange);
    form.lblRange->setCaption("Range 2");
    EXPECT_EQ(label->text(), "Range 2");

    auto* button = widget<QPushButton>(*form.cmdOK);
    form.cmdOK->setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    form.cmdOK->setVisible(false);
    EXPECT_TRUE(button->isHidden());
    form.cmdOK->setVisible(true).setEnabled(true);
    EXPECT_TRUE(button->isVisible());

    auto* bar = widget<QProgressBar>(*form.pgBar);
    EXPECT_EQ(bar->value(), 400);  // 2 of 0..5
    form.pgBar->setProgress(99);   // clamped by the model
    EXPECT_EQ(bar->value(), 1000);
    form.pgBar->setMin(5);
    EXPECT_EQ(bar->value(), 0);  // Min = Max: an empty bar

    auto* box = widget<QLineEdit>(form.txtChData(1));
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(255, 0, 0));
    form.txtChData(1).setBackColor(platform::color::Green);
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(0, 255, 0));
    // A lamp keeps its colour when the boxes are switched off.
    EXPECT_EQ(box->palette().color(QPalette::Disabled, QPalette::Base), QColor(0, 255, 0));

    form.txtBias(0).move(300, 400);
    EXPECT_EQ(widget<QLineEdit>(form.txtBias(0))->geometry(), QRect(20, 27, 67, 19));
}

TEST_F(BindingTest, ButtonClickIsHeldDuringAnExchangeUnlessUrgent) {
    int ok = 0, stop = 0;
    form.cmdOK->onClick = [&] { ++ok; };
    form.cmdStop->onClick = [&] { ++stop; };
    auto* okButton = widget<QPushButton>(*form.cmdOK);
    auto* stopButton = widget<QPushButton>(*form.cmdStop);
    {
        platform::ExchangeScope exchange;
        okButton->click();
        stopButton->click();
        EXPECT_EQ(ok, 0);
        EXPECT_EQ(stop, 1);
        host.doEvents();  // events run inside the wait; the click still waits
        EXPECT_EQ(ok, 0);
    }
    host.doEvents();
    EXPECT_EQ(ok, 1);
}

TEST_F(BindingTest, HeldClickRunsOnceTheEventLoopIsIdleAgain) {
    int ok = 0;
    form.cmdOK->onClick = [&] { ++ok; };
    {
        platform::ExchangeScope exchange;
        widget<QPushButton>(*form.cmdOK)->click();
    }
    EXPECT_EQ(ok, 0);
    idle(30);  // no DoEvents: the event loop itself runs the click
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(platform::heldClickCount(), 0u);
}

}  // namespace
}  // namespace dunax::gui::test
