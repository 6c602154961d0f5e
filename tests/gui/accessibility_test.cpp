// Changes made through accessibility tools (screen readers, UI automation) are the user's
// changes: they reach the model and raise the same events as typing and clicking, and a
// control the user may not change keeps the model's value on screen.
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleEditableTextInterface>
#include <QAccessibleInterface>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QWheelEvent>

#include <memory>

#include "core/dialogs.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/main_window.h"
#include "demo_forms.h"
#include "gui/program_windows.h"
#include "gui_fixture.h"
#include "sim/device.h"
#include "sim/profile.h"

namespace dunax::gui::test {
namespace {

QAccessibleInterface* accessible(QWidget* w) {
    return w ? QAccessible::queryAccessibleInterface(w) : nullptr;
}

// What a tool does with an accessible object's action (AT-SPI DoAction).
void doAction(QWidget* w, const QString& action) {
    QAccessibleInterface* a = accessible(w);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(a->actionInterface(), nullptr);
    ASSERT_TRUE(a->actionInterface()->actionNames().contains(action))
        << a->actionInterface()->actionNames().join(',').toStdString();
    a->actionInterface()->doAction(action);
}

// One notch of the mouse wheel over w: up (+1) or down (-1).
void wheel(QWidget* w, int notches) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

// The accessible object of one row of a combo box's list.
QAccessibleInterface* comboRow(QComboBox* combo, int row) {
    QAccessibleInterface* box = accessible(combo);
    if (!box || box->childCount() < 1) return nullptr;
    QAccessibleInterface* list = box->child(0);
    if (!list || list->role() != QAccessible::List) return nullptr;
    return list->child(row);
}

class AccessibilityTest : public GuiTest {
  protected:
    void SetUp() override {
        form.show();
        for (int i = 0; i < 3; ++i) {
            form.optUnit(i).onClick = [this, i] {
                events.push_back("optUnit" + std::to_string(i));
            };
        }
        form.chkHold->onClick = [this] { events.push_back("chkHold"); };
        form.cmbRange->onClick = [this] {
            events.push_back("cmbRange " + std::to_string(form.cmbRange->listIndex()));
        };
        form.txtBias(1).onChange = [this] {
            events.push_back("txtBias " + form.txtBias(1).text());
        };
    }
    QLineEdit* bias() { return widget<QLineEdit>(form.txtBias(1)); }

    AllControlsForm form;
    std::vector<std::string> events;
};

using Strings = std::vector<std::string>;

// Each way a tool edits a text (AT-SPI EditableText and the accessible Value) reaches the
// model once, with Change, and the box shows what the model holds.
TEST_F(AccessibilityTest, TextSetThroughAccessibilityReachesTheModel) {
    using Edit = std::function<void(QAccessibleInterface*)>;
    struct Case {
        const char* what;
        Edit edit;
        const char* expected;
    };
    const Case cases[] = {
        {"replace all (setTextContents)",
         [](QAccessibleInterface* a) { a->editableTextInterface()->replaceText(0, 4, "abc"); },
         "abc"},
        {"insert", [](QAccessibleInterface* a) { a->editableTextInterface()->insertText(4, "5"); },
         "1.505"},
        {"delete", [](QAccessibleInterface* a) { a->editableTextInterface()->deleteText(0, 2); },
         "50"},
        {"value", [](QAccessibleInterface* a) { a->setText(QAccessible::Value, "-2.25"); },
         "-2.25"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form.txtBias(1).setText("1.50");
        events.clear();
        QAccessibleInterface* a = accessible(bias());
        ASSERT_NE(a, nullptr);
        ASSERT_NE(a->editableTextInterface(), nullptr);
        c.edit(a);
        EXPECT_EQ(form.txtBias(1).text(), c.expected);
        EXPECT_EQ(bias()->text().toStdString(), c.expected);
        EXPECT_EQ(events, Strings{std::string("txtBias ") + c.expected});
    }
}

// A locked or switched-off box takes no text from a tool, and keeps showing the model's.
TEST_F(AccessibilityTest, LockedOrDisabledBoxKeepsTheProgramsText) {
    struct Case {
        const char* what;
        std::function<void()> block;
    };
    const Case cases[] = {
        {"locked", [this] { form.txtBias(1).setLocked(true); }},
        {"disabled", [this] { form.txtBias(1).setEnabled(false); }},
        {"frame disabled", [this] { form.fraCh->setEnabled(false); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form.txtBias(1).setLocked(false).setEnabled(true).setText("1.50");
        form.fraCh->setEnabled(true);
        c.block();
        events.clear();
        QAccessibleInterface* a = accessible(bias());
        a->editableTextInterface()->replaceText(0, 4, "abc");
        EXPECT_EQ(form.txtBias(1).text(), "1.50");
        EXPECT_EQ(bias()->text().toStdString(), "1.50");
        a->setText(QAccessible::Value, "xyz");
        EXPECT_EQ(form.txtBias(1).text(), "1.50");
        EXPECT_EQ(bias()->text().toStdString(), "1.50");
        EXPECT_TRUE(events.empty()) << ::testing::PrintToString(events);
    }
}

TEST_F(AccessibilityTest, OptionButtonsAreRadioButtons) {
    for (int i = 0; i < 3; ++i) {
        QAccessibleInterface* a = accessible(widget<QRadioButton>(form.optUnit(i)));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), QAccessible::RadioButton) << i;
    }
    EXPECT_EQ(accessible(widget<QCheckBox>(*form.chkHold))->role(), QAccessible::CheckBox);
    // Each option stays in the tab chain once one of them has had the focus.
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(widget<QRadioButton>(form.optUnit(0)), &in);
    for (int i = 1; i < 3; ++i) {
        EXPECT_TRUE(widget<QRadioButton>(form.optUnit(i))->focusPolicy() & Qt::TabFocus) << i;
    }
}

TEST_F(AccessibilityTest, ToggledOptionIsChosenAndClearsTheOthers) {
    form.optUnit(0).setValue(true);
    events.clear();
    doAction(widget<QRadioButton>(form.optUnit(2)), QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(form.optUnit(0).value());
    EXPECT_TRUE(form.optUnit(2).value());
    EXPECT_FALSE(widget<QRadioButton>(form.optUnit(0))->isChecked());
    EXPECT_TRUE(widget<QRadioButton>(form.optUnit(2))->isChecked());
    EXPECT_EQ(events, Strings{"optUnit2"});
}

// Toggling the option that is set cannot clear it, as a click cannot.
TEST_F(AccessibilityTest, ToggledOptionThatIsSetStaysSet) {
    form.optUnit(1).setValue(true);
    events.clear();
    doAction(widget<QRadioButton>(form.optUnit(1)), QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(form.optUnit(1).value());
    EXPECT_TRUE(widget<QRadioButton>(form.optUnit(1))->isChecked());
    EXPECT_TRUE(events.empty()) << ::testing::PrintToString(events);
}

// The mouse and the keys raise Click once per click, also on the option that is set.
TEST_F(AccessibilityTest, ClickedOptionRaisesClickOnce) {
    auto* radio = widget<QRadioButton>(form.optUnit(1));
    radio->click();
    EXPECT_EQ(events, Strings{"optUnit1"});
    radio->setFocus();
    key(radio, Qt::Key_Space);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier);
    QApplication::sendEvent(radio, &release);
    EXPECT_EQ(events, (Strings{"optUnit1", "optUnit1"}));
    EXPECT_TRUE(form.optUnit(1).value());
    EXPECT_TRUE(radio->isChecked());
}

TEST_F(AccessibilityTest, ToggledCheckBoxChangesItsValueWithOneClick) {
    auto* box = widget<QCheckBox>(*form.chkHold);
    doAction(box, QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(form.chkHold->checkValue(), 1);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(events, Strings{"chkHold"});
    box->click();
    EXPECT_EQ(form.chkHold->checkValue(), 0);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(events, (Strings{"chkHold", "chkHold"}));
}

// A row chosen in the list through accessibility (the row's action, the list's selection)
// becomes the combo box's row and raises Click once.
TEST_F(AccessibilityTest, ComboRowChosenThroughAccessibilityReachesTheModel) {
    auto* combo = widget<QComboBox>(*form.cmbRange);
    form.cmbRange->setListIndex(0);
    events.clear();

    QAccessibleInterface* row = comboRow(combo, 2);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->text(QAccessible::Name), "1 to 5 V");
    ASSERT_NE(row->actionInterface(), nullptr);
    row->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(form.cmbRange->listIndex(), 2);
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_EQ(events, Strings{"cmbRange 2"});

    QAccessibleInterface* list = accessible(combo)->child(0);
    ASSERT_NE(list->tableInterface(), nullptr);
    EXPECT_TRUE(list->tableInterface()->selectRow(3));
    EXPECT_EQ(form.cmbRange->listIndex(), 3);
    EXPECT_EQ(combo->currentText(), "4 to 20 mA");
    EXPECT_EQ(events, (Strings{"cmbRange 2", "cmbRange 3"}));
}

// Keys and the wheel change the row with one Click each; choosing the row already shown
// raises Click too, as a click on it in the list always did.
TEST_F(AccessibilityTest, ComboKeysWheelAndListRaiseClickOnce) {
    auto* combo = widget<QComboBox>(*form.cmbRange);
    form.cmbRange->setListIndex(1);
    events.clear();
    combo->setFocus();
    key(combo, Qt::Key_Down);
    EXPECT_EQ(form.cmbRange->listIndex(), 2);
    EXPECT_EQ(events, Strings{"cmbRange 2"});

    wheel(combo, 1);
    EXPECT_EQ(form.cmbRange->listIndex(), 1);
    EXPECT_EQ(events, (Strings{"cmbRange 2", "cmbRange 1"}));

    emit combo->activated(1);  // the list closed on the row already shown
    EXPECT_EQ(events, (Strings{"cmbRange 2", "cmbRange 1", "cmbRange 1"}));
}

// A locked combo box takes no row from the keys, the wheel, its list or a tool.
TEST_F(AccessibilityTest, LockedComboCannotBeChanged) {
    auto* combo = widget<QComboBox>(*form.cmbRange);
    form.cmbRange->setListIndex(1);
    form.cmbRange->setLocked(true);
    events.clear();
    struct Case {
        const char* what;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"key down", [&] { key(combo, Qt::Key_Down); }},
        {"key end", [&] { key(combo, Qt::Key_End); }},
        {"wheel", [&] { wheel(combo, -1); }},
        {"row action",
         [&] {
             comboRow(combo, 3)->actionInterface()->doAction(
                 QAccessibleActionInterface::toggleAction());
         }},
        {"list selection", [&] { accessible(combo)->child(0)->tableInterface()->selectRow(0); }},
        {"current index", [&] { combo->setCurrentIndex(2); }},
    };
    combo->setFocus();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.act();
        EXPECT_EQ(form.cmbRange->listIndex(), 1);
        EXPECT_EQ(combo->currentIndex(), 1);
        EXPECT_TRUE(events.empty()) << ::testing::PrintToString(events);
    }
    doAction(combo, QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(combo->view()->isVisible()) << "the list does not open for a tool";
    const QPointF at(combo->width() / 2.0, combo->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, combo->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(combo, &press);
    EXPECT_FALSE(combo->view()->isVisible()) << "the list does not open for the mouse";

    form.cmbRange->setLocked(false);
    key(combo, Qt::Key_Down);
    EXPECT_EQ(form.cmbRange->listIndex(), 2);
    EXPECT_EQ(events, Strings{"cmbRange 2"});
}

// The port dialog: COM3 toggled through its action clears COM1, and OK opens COM3.
class PortDialogTest : public GuiTest {
  protected:
    void SetUp() override {
        registerWindows();
        auto profile = sim::profileFor("J6P-KW4");
        ASSERT_TRUE(profile.has_value());
        auto unit = std::make_shared<sim::SimUnit>(*profile);
        auto sim = sim::simOpener(unit);
        platform::setSerialOpener(
            [this, sim](int port, const std::string& settings, std::string& error) {
                opened.push_back(port);
                return sim(port, settings, error);
            });
        answerMessageBoxes();
    }
    void TearDown() override {
        // The main window lives on for the next test of this run: back to COM1, unconnected.
        core::frmDunax().btnDisconnect_Click();
        core::ClosePort();
        platform::setSerialOpener(nullptr);
        core::g.ComPortNo = 1;
        core::frmDunax().lblComPortNo.setCaption("COM1");
    }
    std::vector<int> opened;
};

TEST_F(PortDialogTest, OptionToggledThroughItsActionIsThePortOpened) {
    core::frmDunax().show();
    core::g.ComPortNo = 1;
    auto& dlg = core::frmComPort();
    dlg.show();
    auto* com1 = qobject_cast<QRadioButton*>(host.widgetOf(dlg.optCom(1)));
    auto* com3 = qobject_cast<QRadioButton*>(host.widgetOf(dlg.optCom(3)));
    ASSERT_NE(com1, nullptr);
    ASSERT_NE(com3, nullptr);
    EXPECT_TRUE(com1->isChecked());
    EXPECT_EQ(accessible(com3)->role(), QAccessible::RadioButton);

    doAction(com3, QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(dlg.optCom(1).value());
    EXPECT_TRUE(dlg.optCom(3).value());
    EXPECT_FALSE(com1->isChecked());
    EXPECT_TRUE(com3->isChecked());

    opened.clear();
    doAction(host.widgetOf(dlg.btnExit), QAccessibleActionInterface::pressAction());
    idle(300);  // the press is an animated click
    EXPECT_EQ(opened, std::vector<int>{3});
    EXPECT_EQ(core::g.ComPortNo, 3);
    EXPECT_EQ(core::frmDunax().lblComPortNo.caption(), "COM3");
}

}  // namespace
}  // namespace dunax::gui::test
