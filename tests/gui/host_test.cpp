// The host's loops: modal windows, waiting for the unit without spinning, message boxes, the
// file dialog, timers, and windows unloaded while their own handlers run.
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <fstream>

#include "demo_forms.h"
#include "gui_fixture.h"
#include "platform/host.h"
#include "platform/serial.h"

namespace dunax::gui::test {
namespace {

double cpuSeconds() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    auto secs = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return secs(ru.ru_utime) + secs(ru.ru_stime);
}

// A line whose input arrives through a pipe.
class PipeDevice : public platform::SerialDevice {
  public:
    PipeDevice() {
        if (pipe(fds_.data()) != 0) fds_ = {-1, -1};
    }
    ~PipeDevice() override {
        for (int fd : fds_) {
            if (fd >= 0) close(fd);
        }
    }
    void arrive(char ch) { (void)::write(fds_[1], &ch, 1); }
    bool write(std::string_view) override { return true; }
    bool read(std::string& out) override {
        char buf[64];
        const ssize_t n = ::read(fds_[0], buf, sizeof buf);
        if (n > 0) out.append(buf, static_cast<std::size_t>(n));
        return n >= 0;
    }
    std::size_t available() override {
        int n = 0;
        ioctl(fds_[0], FIONREAD, &n);
        return static_cast<std::size_t>(n);
    }
    void discardInput() override {
        std::string junk;
        while (available() > 0) read(junk);
    }
    int pollFd() const override { return fds_[0]; }
    std::string name() const override { return "pipe"; }

  private:
    std::array<int, 2> fds_{};
};

// Waits until the deadline the way the unit link does, counting the turns.
int waitUntil(QtHost& host, platform::SerialDevice* device, std::int64_t deadline) {
    int turns = 0;
    while (host.nowMs() < deadline && !(device && device->available() > 0)) {
        host.waitForInput(device, deadline);
        ++turns;
    }
    return turns;
}

class HostTest : public GuiTest {};

TEST_F(HostTest, WaitForASilentUnitBlocksWithoutSpinning) {
    const double cpu0 = cpuSeconds();
    const std::int64_t t0 = host.nowMs();
    const int turns = waitUntil(host, nullptr, t0 + 300);
    const std::int64_t elapsed = host.nowMs() - t0;
    const double cpu = cpuSeconds() - cpu0;
    EXPECT_GE(elapsed, 300);
    EXPECT_LT(elapsed, 600);
    EXPECT_LT(cpu, 0.05) << "CPU seconds spent waiting";
    EXPECT_LT(turns, 30);
}

TEST_F(HostTest, WaitEndsWhenTheLineHasInput) {
    PipeDevice line;
    QTimer::singleShot(50, [&] { line.arrive('C'); });
    const std::int64_t t0 = host.nowMs();
    waitUntil(host, &line, t0 + 3000);
    EXPECT_LT(host.nowMs() - t0, 1000);
    EXPECT_EQ(line.available(), 1u);
    // Input already waiting: no wait at all.
    const std::int64_t t1 = host.nowMs();
    host.waitForInput(&line, t1 + 3000);
    EXPECT_LT(host.nowMs() - t1, 100);
}

TEST_F(HostTest, WatchOfAnIdleLineLooksAtItWithinASecondWithoutSpinning) {
    PipeDevice line;
    int checks = 0;
    host.watchLine(&line, [&] { ++checks; });
    const double cpu0 = cpuSeconds();
    QEventLoop loop;
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_GE(checks, 1);
    EXPECT_LE(checks, 10) << "a low-rate look, not a busy one";
    EXPECT_LT(cpuSeconds() - cpu0, 0.05);

    // Ended: no more looks.
    host.watchLine(nullptr, nullptr);
    const int before = checks;
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(checks, before);
}

TEST_F(HostTest, WaitRunsTheEventsThatComeMeanwhile) {
    int fired = 0;
    QTimer::singleShot(20, [&] { ++fired; });
    waitUntil(host, nullptr, host.nowMs() + 100);
    EXPECT_EQ(fired, 1);
}

// A window that unloads itself from its own button and then talks to the unit from the same
// handler (the port dialog's OK does that): the wait must neither spin nor destroy the window
// under the running handler.
class SelfUnloading : public SmallDialog {
  public:
    SelfUnloading() {
        tmr = &add(platform::Kind::Timer, "tmrPoll");
        tmr->setInterval(1000).setEnabled(true);
    }
    Control* tmr;
};
platform::FormInstance<SelfUnloading> frmSelfUnloading;

TEST_F(HostTest, WindowUnloadedByItsOwnHandlerLivesUntilTheHandlerReturns) {
    SelfUnloading& dlg = frmSelfUnloading();
    Control* ok = dlg.ok;
    double cpu = 1;
    bool aliveInHandler = false;
    dlg.ok->onClick = [&] {
        dlg.unload();
        const double cpu0 = cpuSeconds();
        waitUntil(host, nullptr, host.nowMs() + 300);
        host.doEvents();
        cpu = cpuSeconds() - cpu0;
        aliveInHandler = platform::controlAlive(&dlg) && platform::controlAlive(ok);
    };
    dlg.show();
    QPointer<QWidget> window = host.windowOf(dlg);
    ASSERT_TRUE(window);
    widget<QPushButton>(*ok)->click();
    EXPECT_TRUE(aliveInHandler);
    EXPECT_LT(cpu, 0.05);
    EXPECT_FALSE(frmSelfUnloading.loaded());
    EXPECT_TRUE(window->isHidden());
    EXPECT_EQ(host.windowOf(dlg), nullptr);
    idle(30);  // back at the top of the event loop: the window is released
    EXPECT_FALSE(platform::controlAlive(ok));
    EXPECT_TRUE(window.isNull());
}

TEST_F(HostTest, ModalShowEndsWhenTheWindowHidesItself) {
    MainForm owner;
    owner.show();
    SmallDialog dlg;
    dlg.ok->onClick = [&] { dlg.hide(); };
    bool modalWhileShown = false;
    QTimer::singleShot(0, [&] {
        QWidget* w = host.windowOf(dlg);
        modalWhileShown = w && w->isVisible() && w->windowModality() == Qt::WindowModal &&
                          w->parentWidget() == host.windowOf(owner) && host.depth() == 1;
        widget<QPushButton>(*dlg.ok)->click();
    });
    dlg.showModal(&owner);
    EXPECT_TRUE(modalWhileShown);
    EXPECT_FALSE(dlg.shown());
    EXPECT_FALSE(dlg.visible());
    EXPECT_TRUE(host.windowOf(dlg)->isHidden());
    EXPECT_EQ(host.depth(), 0);
}

TEST_F(HostTest, ModalShowEndsWhenTheWindowUnloadsItself) {
    SmallDialog dlg;
    int unloads = 0, clicks = 0;
    dlg.onUnload = [&] { ++unloads; };
    dlg.ok->onClick = [&] {
        ++clicks;
        dlg.unload();
    };
    QPointer<QPushButton> button;
    QTimer::singleShot(0, [&] {
        button = widget<QPushButton>(*dlg.ok);
        if (button) button->click();
    });
    dlg.showModal(nullptr);
    EXPECT_TRUE(dlg.unloaded());
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(host.windowOf(dlg), nullptr);
    ASSERT_FALSE(button.isNull());
    // The widgets of the unloaded window no longer reach it.
    if (button) button->click();
    EXPECT_EQ(clicks, 1);
    idle(20);
    EXPECT_TRUE(button.isNull());
}

TEST_F(HostTest, CloseBoxRunsTheFormsHandlerOrUnloadsIt) {
    SmallDialog withHandler, without;
    int closes = 0;
    std::size_t actions = 0;
    withHandler.onCloseBox = [&] {
        ++closes;
        actions = platform::markUserActions().running.size();
    };
    withHandler.show();
    without.show();
    host.windowOf(withHandler)->close();
    EXPECT_EQ(closes, 1);
    // Closing a window is an action of the user of its own, as a click is: the failures its
    // handler meets are told even after a lost line was reported.
    EXPECT_EQ(actions, 1u);
    EXPECT_TRUE(platform::markUserActions().running.empty());
    EXPECT_TRUE(withHandler.shown());
    EXPECT_TRUE(host.windowOf(withHandler)->isVisible());

    QTimer::singleShot(0, [&] { host.windowOf(without)->close(); });
    without.showModal(&withHandler);
    EXPECT_TRUE(without.unloaded());
}

TEST_F(HostTest, ChildWindowOutlivesTheMainWindowItWasShownIn) {
    MainForm main;
    main.show();
    ChildForm child;
    child.show();
    main.unload();
    idle(20);                          // the main window and its document area are destroyed
    child.txtParData(0).setText("5");  // reaches no destroyed widget
    child.show();
    QWidget* w = host.windowOf(child);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(qobject_cast<QLineEdit*>(host.widgetOf(child.txtParData(0)))->text(), "5");
}

TEST_F(HostTest, EscapeAndEnterDoNotCloseAWindow) {
    SmallDialog dlg;
    int clicks = 0;
    dlg.ok->onClick = [&] { ++clicks; };
    dlg.show();
    QWidget* w = host.windowOf(dlg);
    key(w, Qt::Key_Escape);
    key(widget<QLineEdit>(*dlg.txt), Qt::Key_Return);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(dlg.shown());
    EXPECT_EQ(clicks, 0);
}

TEST_F(HostTest, FormVisibleFromCodeShowsAndHides) {
    SmallDialog dlg;
    dlg.show();
    dlg.setVisible(false);
    EXPECT_FALSE(dlg.shown());
    EXPECT_TRUE(host.windowOf(dlg)->isHidden());
    dlg.setVisible(true);
    EXPECT_TRUE(dlg.shown());
    EXPECT_TRUE(host.windowOf(dlg)->isVisible());
    dlg.setCaption("Notice 2");
    EXPECT_EQ(host.windowOf(dlg)->windowTitle(), "Notice 2");
    dlg.setEnabled(false);
    EXPECT_FALSE(host.windowOf(dlg)->isEnabled());
}

TEST_F(HostTest, ChildWindowTakesItsPlaceAgainOnEveryShow) {
    MainForm main;
    main.show();
    ChildForm child;
    child.setGeometry(0, 0, 9650, 7400);
    child.show();
    QWidget* sub = host.windowOf(child);
    sub->move(40, 30);  // the user moved it
    child.hide();
    child.move(0, 0);
    child.resize(9650, 7400);
    child.show();
    EXPECT_EQ(sub->geometry(), QRect(0, 0, 643, 493));
    EXPECT_TRUE(sub->isVisible());
}

TEST_F(HostTest, MessageBoxShowsTheLinesAndReturnsTheAnswer) {
    using platform::Answer;
    using platform::Buttons;
    struct Case {
        Buttons buttons;
        QMessageBox::StandardButton press;  // NoButton: closed with Escape
        Answer expected;
    };
    const Case cases[] = {
        {Buttons::OK, QMessageBox::Ok, Answer::OK},
        {Buttons::OK, QMessageBox::NoButton, Answer::OK},
        {Buttons::OKCancel, QMessageBox::Cancel, Answer::Cancel},
        {Buttons::OKCancel, QMessageBox::NoButton, Answer::Cancel},
        {Buttons::YesNo, QMessageBox::Yes, Answer::Yes},
        {Buttons::YesNo, QMessageBox::No, Answer::No},
        {Buttons::YesNoCancel, QMessageBox::No, Answer::No},
        {Buttons::YesNoCancel, QMessageBox::NoButton, Answer::Cancel},
    };
    for (const Case& c : cases) {
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int depth = -1;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            depth = host.depth();
            if (c.press == QMessageBox::NoButton) {
                key(box, Qt::Key_Escape);
            } else {
                box->button(c.press)->click();
            }
        });
        const Answer a = host.messageBox("Data Error \r\nCheck data range.",
                                         platform::Icon::Critical, c.buttons, "Data Range Error");
        EXPECT_EQ(a, c.expected) << static_cast<int>(c.buttons) << " " << c.press;
        EXPECT_EQ(text, "Data Error \nCheck data range.");
        EXPECT_EQ(title, "Data Range Error");
        EXPECT_EQ(icon, QMessageBox::Critical);
        EXPECT_EQ(depth, 1);
    }
}

TEST(NameFilters, TurnsThePlatformFilterIntoQtFilters) {
    struct Case {
        const char* filter;
        QStringList expected;
    };
    const Case cases[] = {
        {"uJx Files (*.uJx)|*.uJx|Text Files (*.txt)|*.txt|All Files (*.*)|*.*",
         {"uJx Files (*.uJx)", "Text Files (*.txt)", "All Files (*)"}},
        {"Config|*.a;*.b", {"Config (*.a *.b)"}},
        {"Both (*.a;*.b)|*.a;*.b", {"Both (*.a *.b)"}},
        {"Odd|", {"Odd (*)"}},
        {"Half|*.x|Dangling", {"Half (*.x)"}},
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(nameFilters(c.filter), c.expected) << c.filter;
}

TEST_F(HostTest, FileDialogPresetsTheFilterAndReportsTheChoiceOrCancel) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString existing = dir.filePath("unit.txt");
    std::ofstream(existing.toStdString()) << "x\n";

    platform::FileDialog d;
    d.filter = "uJx Files (*.uJx)|*.uJx|Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
    d.filterIndex = 2;
    d.fileName = existing.toStdString();
    QStringList filters;
    QString selected;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dlg) return;
        filters = dlg->nameFilters();
        selected = dlg->selectedNameFilter();
        dlg->selectFile(existing);
        QMetaObject::invokeMethod(dlg, "accept");
    });
    ASSERT_TRUE(host.fileDialog(d, false));
    EXPECT_EQ(filters.size(), 3);
    EXPECT_EQ(selected, "Text Files (*.txt)");
    EXPECT_EQ(d.fileName, existing.toStdString());
    EXPECT_EQ(d.filterIndex, 2);

    platform::FileDialog cancelled;
    cancelled.filter = d.filter;
    cancelled.fileName = "keep.uJx";
    QTimer::singleShot(0, [&] {
        if (auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            dlg->reject();
        }
    });
    EXPECT_FALSE(host.fileDialog(cancelled, true));
    EXPECT_EQ(cancelled.fileName, "keep.uJx");
}

// A name typed without an extension gets that of the file type the user selected.
TEST_F(HostTest, SaveDialogGivesATypedNameTheExtensionOfTheSelectedFileType) {
    QTemporaryDir dir;
    for (const auto& [downs, saved] : {std::pair{0, "conf1.uJx"}, {1, "conf1.txt"}, {2, "conf1"}}) {
        platform::FileDialog d;
        d.filter = "uJx Files (*.uJx)|*.uJx|Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
        d.fileName = dir.filePath("x").toStdString();
        QTimer::singleShot(0, [&, downs = downs] {
            auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            for (int i = 0; i < downs; ++i)
                key(dlg->findChild<QComboBox*>("fileTypeCombo"), Qt::Key_Down);
            dlg->findChild<QLineEdit*>("fileNameEdit")->setText("conf1");
            QMetaObject::invokeMethod(dlg, "accept");
        });
        ASSERT_TRUE(host.fileDialog(d, true));
        EXPECT_EQ(d.fileName, dir.filePath(saved).toStdString());
    }
}

TEST_F(HostTest, TimerControlTicksWhileEnabled) {
    AllControlsForm form;
    int ticks = 0;
    form.tmrTick->onTimer = [&] { ++ticks; };
    form.tmrTick->setInterval(10).setEnabled(true);
    idle(100);
    EXPECT_GE(ticks, 3);
    form.tmrTick->setEnabled(false);
    const int stopped = ticks;
    idle(50);
    EXPECT_EQ(ticks, stopped);
    form.tmrTick->setEnabled(true).setInterval(0);  // no interval: no ticks
    idle(50);
    EXPECT_EQ(ticks, stopped);
}

TEST_F(HostTest, SleepBlocksAndRunsNoEvents) {
    int fired = 0;
    QTimer::singleShot(0, [&] { ++fired; });
    const auto t0 = std::chrono::steady_clock::now();
    host.sleep(30);
    EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(30));
    EXPECT_EQ(fired, 0);
    host.doEvents();
    EXPECT_EQ(fired, 1);
}

}  // namespace
}  // namespace dunax::gui::test
