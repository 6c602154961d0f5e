// Every window is drawn from the model: widget kinds, places, names for accessibility, tab
// order, the main window's menus and document area, and a picture of each window.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "demo_forms.h"
#include "gui/form_view.h"
#include "gui_fixture.h"

namespace dunax::gui::test {
namespace {

class RenderTest : public GuiTest {};

TEST_F(RenderTest, EveryControlGetsAWidgetOfItsKindNamedByItsDesign) {
    AllControlsForm form;
    form.show();
    struct Case {
        const Control* control;
        const char* className;
    };
    const Case cases[] = {
        {form.fraCh, "QGroupBox"},          {form.lblBias, "QLabel"},
        {&form.txtBias(1), "QLineEdit"},    {&form.optUnit(2), "QRadioButton"},
        {form.chkHold, "QCheckBox"},        {form.cmbRange, "QComboBox"},
        {form.pgBar, "QProgressBar"},       {form.cmdOK, "QPushButton"},
        {&form.txtChData(15), "QLineEdit"},
    };
    for (const Case& c : cases) {
        QWidget* w = host.widgetOf(*c.control);
        ASSERT_NE(w, nullptr) << c.control->designName();
        EXPECT_TRUE(w->inherits(c.className)) << c.control->designName();
        EXPECT_EQ(w->objectName().toStdString(), c.control->designName());
        EXPECT_EQ(w->accessibleDescription().toStdString(), c.control->designName());
    }
    // 15 twips are one pixel; the controls of a frame are placed inside it.
    EXPECT_EQ(host.widgetOf(*form.fraCh)->geometry(), QRect(8, 8, 280, 100));
    QWidget* box = host.widgetOf(form.txtBias(1));
    EXPECT_EQ(box->parentWidget(), host.widgetOf(*form.fraCh));
    EXPECT_EQ(box->geometry(), QRect(167, 37, 67, 19));
    EXPECT_EQ(host.widgetOf(*form.tmrTick), nullptr);
    EXPECT_NE(host.widgetOf(*form.shpLamp), nullptr);
    EXPECT_NE(host.widgetOf(*form.line), nullptr);
    EXPECT_EQ(host.windowOf(form)->windowTitle(), "All controls");
}

TEST_F(RenderTest, AccessibleNamesComeFromCaptionsAndLabels) {
    AllControlsForm form;
    form.show();
    struct Case {
        const Control* control;
        const char* name;
    };
    const Case cases[] = {
        {form.cmdOK, "OK"},
        {&form.optUnit(1), "deg F"},
        {form.fraUnit, "Unit"},
        {&form.txtBias(0), "CH 0 Bias"},          // column header above, row label left
        {&form.txtGain(0), "CH 0 Gain"},          // the header over the column's first box
        {&form.txtGain(1), "CH 1 Gain (named)"},  // named by the window
        {form.txtInfo, "Display only"},
        {form.cmbRange, ""},  // nothing names it
        {form.txtNoName, ""},
        {form.lblExtIndex, kHeader16.c_str()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(host.widgetOf(*c.control)->accessibleName(), c.name) << c.control->designName();
    }
    form.lblCh(0).setCaption("Channel 0");
    EXPECT_EQ(host.widgetOf(form.txtBias(0))->accessibleName(), "Channel 0 Bias");
}

TEST_F(RenderTest, LabelKeepsItsRunsOfBlanks) {
    AllControlsForm form;
    form.show();
    auto* header = widget<QLabel>(*form.lblExtIndex);
    EXPECT_EQ(header->text().toStdString(), kHeader16);
    EXPECT_EQ(header->textFormat(), Qt::PlainText);
    QLabel single(QString::fromStdString(kHeader16).simplified());
    single.setFont(header->font());
    EXPECT_GT(header->sizeHint().width(), single.sizeHint().width() + 40);
}

TEST_F(RenderTest, ColoursFollowTheModelAndTheDesktopPalette) {
    AllControlsForm form;
    form.show();
    const QPalette app = QApplication::palette();
    EXPECT_EQ(widget<QLineEdit>(*form.txtInfo)->palette().color(QPalette::Base),
              app.color(QPalette::ToolTipBase));
    EXPECT_EQ(widget<QLineEdit>(*form.txtNoName)->palette().color(QPalette::Base),
              app.color(QPalette::Base));
    form.lblRange->setForeColor(platform::color::rgb(0, 0, 128));
    EXPECT_EQ(widget<QLabel>(*form.lblRange)->palette().color(QPalette::WindowText),
              QColor(0, 0, 128));
    EXPECT_EQ(toQColor(platform::color::GrayText), app.color(QPalette::Disabled, QPalette::Text));
    EXPECT_EQ(toQColor(platform::color::ButtonFace, QPalette::Active, true),
              app.color(QPalette::Button));
}

TEST_F(RenderTest, TabOrderFollowsTheOrderOfTheControls) {
    SmallDialog dlg;
    dlg.show();
    QWidget* first = host.widgetOf(*dlg.txt);
    EXPECT_EQ(first->nextInFocusChain(), host.widgetOf(*dlg.ok));

    AllControlsForm form;
    form.show();
    std::vector<QWidget*> expected;
    for (const auto& c : form.controls()) {
        QWidget* w = host.widgetOf(*c);
        if (w && w->focusPolicy() != Qt::NoFocus) expected.push_back(w);
    }
    ASSERT_GT(expected.size(), 10u);
    QWidget* w = expected.front();
    for (std::size_t i = 1; i < expected.size(); ++i) {
        do {
            w = w->nextInFocusChain();
        } while (w->focusPolicy() == Qt::NoFocus);
        EXPECT_EQ(w, expected[i]) << i;
    }
}

// The File menu's separator is drawn as a bare line, like any separator of the desktop.
TEST_F(RenderTest, MenuSeparatorIsABareLine) {
    MainForm main;
    main.show();
    auto* window = qobject_cast<QMainWindow*>(host.windowOf(main));
    ASSERT_NE(window, nullptr);
    QMenu* file = window->menuBar()->actions().value(0)->menu();
    ASSERT_NE(file, nullptr);
    QAction* line = file->actions().value(2);
    ASSERT_TRUE(line && line->isSeparator());
    EXPECT_TRUE(line->text().isEmpty()) << line->text().toStdString();

    // The same menu made of plain Qt entries, drawn beside it.
    QMenu plain;
    plain.setObjectName(QStringLiteral("plainMenu"));
    plain.addAction(QStringLiteral("Open"));
    plain.addAction(QStringLiteral("Save"));
    plain.addSeparator();
    plain.addAction(QStringLiteral("Exit"));
    file->popup(QPoint(0, 0));
    plain.popup(QPoint(300, 0));
    idle(20);
    shoot(file, "menu_file");
    const QImage drawn = file->grab(file->actionGeometry(line)).toImage();
    const QImage expected = plain.grab(plain.actionGeometry(plain.actions()[2])).toImage();
    file->hide();
    plain.hide();
    ASSERT_FALSE(drawn.isNull());
    EXPECT_TRUE(drawn == expected) << "the separator is drawn unlike a plain one";
}

TEST_F(RenderTest, MainWindowHasTheMenusAndADocumentAreaBesideItsStrips) {
    MainForm main;
    int exits = 0;
    main.mnuFilesEnd->onClick = [&] { ++exits; };
    main.show();
    auto* window = qobject_cast<QMainWindow*>(host.windowOf(main));
    ASSERT_NE(window, nullptr);
    const QList<QAction*> top = window->menuBar()->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0]->text(), "File");
    EXPECT_EQ(top[1]->text(), "Help");
    const QList<QAction*> file = top[0]->menu()->actions();
    ASSERT_EQ(file.size(), 4);
    EXPECT_EQ(file[0]->text(), "Open");
    EXPECT_EQ(file[1]->text(), "Save");
    EXPECT_TRUE(file[2]->isSeparator());
    EXPECT_EQ(file[3]->text(), "Exit");
    file[3]->trigger();
    EXPECT_EQ(exits, 1);
    main.mnuFilesSave->setEnabled(false);
    EXPECT_FALSE(file[1]->isEnabled());
    main.mnuHelp->setVisible(false);
    EXPECT_FALSE(top[1]->isVisible());
    main.mnuHelp->setVisible(true);

    QMdiArea* area = host.mdiArea();
    ASSERT_NE(area, nullptr);
    EXPECT_GT(area->width(), 600);
    for (const auto& c : main.controls()) {
        QWidget* w = host.widgetOf(*c);
        if (w && !c->container()) {
            EXPECT_FALSE(w->geometry().intersects(area->geometry())) << c->designName();
        }
    }

    ChildForm child;
    child.setGeometry(0, 0, 9650, 7400);
    child.show();
    auto* sub = qobject_cast<QMdiSubWindow*>(host.windowOf(child));
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->mdiArea(), area);
    EXPECT_EQ(sub->geometry(), QRect(0, 0, 643, 493));
    EXPECT_EQ(sub->windowTitle(), "KW4");

    shoot(window, "main_with_child");
    shoot(sub, "child");
    child.hide();
    EXPECT_TRUE(sub->isHidden());
}

TEST_F(RenderTest, WindowsAreDrawn) {
    AllControlsForm form;
    form.txtBias(0).setText("0.00");
    form.txtBias(1).setText("-12.50");
    form.optUnit(0).setValue(true);
    form.cmbRange->setListIndex(2);
    form.txtGain(0).setEnabled(false).setText("1.0000");
    form.show();
    QWidget* w = host.windowOf(form);
    // The window is as large as its design, and never smaller than its controls.
    EXPECT_GE(w->width(), 9000 / 15 - 8);
    for (const auto& c : form.controls()) {
        QWidget* cw = host.widgetOf(*c);
        if (cw && !c->container()) {
            EXPECT_TRUE(w->rect().contains(cw->geometry())) << c->designName();
        }
    }
    shoot(w, "all_controls");

    SmallDialog dlg;
    dlg.show();
    shoot(host.windowOf(dlg), "small_dialog");

    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        shoot(box, "message_box");
        if (box) box->close();
    });
    host.messageBox("Data Error \r\nCheck data range. \r\nReset Value :  Min =< Reset Value =< Max",
                    platform::Icon::Critical, platform::Buttons::OK, "Data Range Error");
}

TEST_F(RenderTest, LabelWiderThanItsBoxGrowsInsteadOfBeingCut) {
    SmallDialog dlg;
    Control& tiny = *dlg.find("Label2");
    tiny.resize(300, 255);
    dlg.show();
    auto* l = widget<QLabel>(tiny);
    EXPECT_GE(l->width(), l->fontMetrics().horizontalAdvance(l->text()));
    EXPECT_EQ(l->x(), 16);
    tiny.setAlignment(1);  // right-aligned: grows to the left, keeping its right edge
    EXPECT_EQ(l->geometry().right() + 1, 16 + 20);
}

}  // namespace
}  // namespace dunax::gui::test
