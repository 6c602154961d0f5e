#include "gui/qt_host.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <thread>

#include "gui/form_view.h"
#include "platform/serial.h"

namespace dunax::gui {

using platform::Form;

QStringList nameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts[i].trimmed();
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString t = p.trimmed();
            patterns << (t == QLatin1String("*.*") ? QStringLiteral("*") : t);
        }
        if (patterns.isEmpty()) patterns << QStringLiteral("*");
        // The description usually shows its pattern already: "Text (*.txt)". Qt reads the
        // patterns from the parentheses at the end, so they are written there once.
        if (desc.endsWith(QLatin1Char(')'))) {
            const qsizetype open = desc.lastIndexOf(QLatin1Char('('));
            if (open >= 0) desc = desc.left(open).trimmed();
        }
        if (desc.isEmpty()) desc = patterns.join(QLatin1Char(' '));
        out << desc + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}

QtHost::QtHost() : previous_(platform::hostInstalled() ? &platform::host() : nullptr) {
    platform::setHost(this);
    // Work that must wait until no handler of a window runs (collecting unloaded windows) or
    // until the exchange with the unit is over (held clicks) is posted when the event loop
    // is about to block, never from a loop that waits for the unit: nothing ever spins.
    if (auto* d = QAbstractEventDispatcher::instance()) {
        connect(d, &QAbstractEventDispatcher::aboutToBlock, this, &QtHost::onAboutToBlock);
    }
}

QtHost::~QtHost() {
    for (auto& [c, t] : timers_) delete t;
    timers_.clear();
    views_.clear();
    deadViews_.clear();
    if (platform::hostInstalled() && &platform::host() == this) platform::setHost(previous_);
}

// --- Windows ---

FormView* QtHost::liveView(const Form& f) const {
    auto it = views_.find(&f);
    if (it == views_.end()) return nullptr;
    FormView* v = it->second.get();
    // A view whose window Qt destroyed (an MDI child of a main window that went) is stale,
    // and so is the view of a destroyed form whose place a new one took.
    if (!v->window() || f.observer() != v) return nullptr;
    return v;
}

FormView& QtHost::viewFor(Form& f) {
    if (FormView* v = liveView(f)) return *v;
    if (auto it = views_.find(&f); it != views_.end()) {
        it->second->detach();
        if (QWidget* w = it->second->releaseWindow()) w->deleteLater();
        views_.erase(it);
    }
    QMdiArea* area = f.windowKind() == platform::WindowKind::MdiChild ? mdiArea_.data() : nullptr;
    auto view = std::make_unique<FormView>(*this, f, area);
    FormView& ref = *view;
    if (f.windowKind() == platform::WindowKind::MdiParent && view->mdiArea()) {
        mdiArea_ = view->mdiArea();
        mdiWindow_ = view->window();
    }
    views_[&f] = std::move(view);
    return ref;
}

QWidget* QtHost::windowOf(const Form& f) const {
    FormView* v = liveView(f);
    return v ? v->window() : nullptr;
}

QWidget* QtHost::widgetOf(const platform::Control& c) const {
    if (!c.form()) return nullptr;
    FormView* v = liveView(*c.form());
    return v ? v->widgetOf(c) : nullptr;
}

// The window that message boxes and dialogs belong to: the modal window on show, else the
// active one, else the main window.
QWidget* QtHost::dialogParent() const {
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    if (QWidget* w = QApplication::activeWindow()) return w;
    return mdiWindow_;
}

void QtHost::showModeless(Form& f) {
    FormView& v = viewFor(f);
    QWidget* w = v.window();
    if (!v.isSubWindow() && !w->isVisible() && w != mdiWindow_ && mdiWindow_) {
        // Top-level windows of the program stay above its main window.
        if (w->parentWidget() != mdiWindow_) w->setParent(mdiWindow_, w->windowFlags());
    }
    f.setShown(true);
    w->show();
    w->raise();
    if (v.isSubWindow()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w); sub && sub->mdiArea()) {
            sub->mdiArea()->setActiveSubWindow(sub);
        }
    } else {
        w->activateWindow();
    }
}

void QtHost::showModal(Form& f, Form* owner) {
    FormView& v = viewFor(f);
    QWidget* w = v.window();
    if (!v.isSubWindow()) {
        QWidget* ownerWindow = owner ? windowOf(*owner) : mdiWindow_.data();
        if (ownerWindow) ownerWindow = ownerWindow->window();
        if (ownerWindow == w) ownerWindow = nullptr;
        if (w->isVisible()) w->hide();  // modality applies from the next show
        if (w->parentWidget() != ownerWindow) {
            w->setParent(ownerWindow, w->windowFlags() | Qt::Dialog);
        }
        w->setWindowModality(owner && ownerWindow ? Qt::WindowModal : Qt::ApplicationModal);
    }
    f.setShown(true);
    w->show();
    w->raise();
    w->activateWindow();

    Nest nest(*this);
    QEventLoop loop;
    modalRuns_.push_back({&f, &loop});
    // The window ends its modal show by hiding or unloading itself (or its close box).
    while (platform::controlAlive(&f) && !f.unloaded() && f.shown()) loop.exec();
    modalRuns_.erase(std::remove_if(modalRuns_.begin(), modalRuns_.end(),
                                    [&](const ModalRun& r) { return r.loop == &loop; }),
                     modalRuns_.end());
    if (platform::controlAlive(&f)) {
        if (FormView* lv = liveView(f); lv && !lv->isSubWindow() && !lv->window()->isVisible()) {
            lv->window()->setWindowModality(Qt::NonModal);
        }
    }
}

void QtHost::quitModalLoops(const Form& f) {
    for (const ModalRun& r : modalRuns_) {
        if (r.form == &f) r.loop->quit();
    }
}

void QtHost::hideForm(Form& f) {
    if (FormView* v = liveView(f)) v->window()->hide();
    f.setShown(false);
    quitModalLoops(f);
}

void QtHost::unloadForm(Form& f) {
    for (auto it = timers_.begin(); it != timers_.end();) {
        if (!platform::controlAlive(it->first) || it->first->form() == &f) {
            it->second->stop();
            it->second->deleteLater();
            it = timers_.erase(it);
        } else {
            ++it;
        }
    }
    retireView(f);
    quitModalLoops(f);
    collectPending_ = true;
}

// The widgets of an unloaded window are taken off screen now and destroyed once no handler
// runs: a window may unload itself from a click on one of its own buttons.
void QtHost::retireView(Form& f) {
    auto it = views_.find(&f);
    if (it == views_.end()) return;
    it->second->detach();
    deadViews_.push_back(std::move(it->second));
    views_.erase(it);
}

void QtHost::onAboutToBlock() {
    if (housekeepingPosted_) return;
    const bool clicks = !platform::exchangeRunning() && platform::heldClickCount() > 0;
    const bool collect = depth_ == 0 && (collectPending_ || !deadViews_.empty());
    if (!clicks && !collect) return;
    housekeepingPosted_ = true;
    QTimer::singleShot(0, this, &QtHost::housekeeping);
}

void QtHost::housekeeping() {
    housekeepingPosted_ = false;
    platform::runHeldClicks();
    if (depth_ != 0) return;  // a handler runs: wait for the next idle moment at the top
    collectPending_ = false;
    platform::collectRetiredForms();
    auto dead = std::move(deadViews_);
    deadViews_.clear();
    for (auto& v : dead) {
        if (QWidget* w = v->releaseWindow()) w->deleteLater();
    }
    dead.clear();
    // Forms destroyed without being unloaded (a global instance reset) leave their views.
    for (auto it = views_.begin(); it != views_.end();) {
        const Form* f = it->first;
        const bool alive =
            platform::controlAlive(f) &&
            static_cast<const platform::Control*>(f)->kind() == platform::Kind::Form &&
            f->observer() == it->second.get();
        if (alive) {
            ++it;
            continue;
        }
        it->second->detach();
        if (QWidget* w = it->second->releaseWindow()) w->deleteLater();
        it = views_.erase(it);
    }
}

// --- Message boxes and the file dialog ---

platform::Answer QtHost::messageBox(const std::string& text, platform::Icon icon,
                                    platform::Buttons buttons, const std::string& title) {
    using platform::Answer;
    using platform::Buttons;
    QString body = QString::fromStdString(text);
    body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    QMessageBox box(dialogParent());
    box.setTextFormat(Qt::PlainText);
    box.setText(body);
    box.setWindowTitle(title.empty() ? QCoreApplication::applicationName()
                                     : QString::fromStdString(title));
    switch (icon) {
        case platform::Icon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case platform::Icon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case platform::Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case platform::Icon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case platform::Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
    }
    QMessageBox::StandardButtons set;
    QMessageBox::StandardButton escape = QMessageBox::NoButton;
    switch (buttons) {
        case Buttons::OK:
            set = QMessageBox::Ok;
            escape = QMessageBox::Ok;
            break;
        case Buttons::OKCancel:
            set = QMessageBox::Ok | QMessageBox::Cancel;
            escape = QMessageBox::Cancel;
            break;
        case Buttons::YesNo:
            set = QMessageBox::Yes | QMessageBox::No;
            break;
        case Buttons::YesNoCancel:
            set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            escape = QMessageBox::Cancel;
            break;
    }
    box.setStandardButtons(set);
    if (escape != QMessageBox::NoButton) box.setEscapeButton(escape);
    box.setObjectName(QStringLiteral("messageBox"));

    int result = 0;
    {
        Nest nest(*this);
        box.exec();
        result = box.standardButton(box.clickedButton());
    }
    switch (result) {
        case QMessageBox::Ok:
            return Answer::OK;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            break;
    }
    // Closed some other way (a box with Yes and No has no close box to speak of).
    switch (buttons) {
        case Buttons::OK:
            return Answer::OK;
        case Buttons::YesNo:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

bool QtHost::fileDialog(platform::FileDialog& d, bool save) {
    QFileDialog dlg(dialogParent(), QString::fromStdString(d.dialogTitle));
    dlg.setObjectName(QStringLiteral("fileDialog"));
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    constexpr int kOverwritePrompt = 0x2;
    if (save && !(d.flags & kOverwritePrompt)) dlg.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = nameFilters(d.filter);
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        if (d.filterIndex >= 1 && d.filterIndex <= filters.size()) {
            dlg.selectNameFilter(filters[d.filterIndex - 1]);
        }
    }
    if (save) {
        // A name typed without an extension gets that of the file type selected.
        const auto useType = [&dlg, &d, filters](const QString& nameFilter) {
            const int index = static_cast<int>(filters.indexOf(nameFilter)) + 1;
            dlg.setDefaultSuffix(
                QString::fromStdString(platform::fileTypeExtension(d.filter, index)));
        };
        useType(dlg.selectedNameFilter());
        connect(&dlg, &QFileDialog::filterSelected, &dlg, useType);
    }
    // Like the desktop's dialog, the next one opens where the last one ended.
    const QFileInfo preset(QString::fromStdString(d.fileName));
    if (!d.fileName.empty() && preset.path() != QLatin1String(".")) {
        dlg.setDirectory(preset.absolutePath());
    } else if (!lastDirectory_.isEmpty()) {
        dlg.setDirectory(lastDirectory_);
    }
    if (!d.fileName.empty()) dlg.selectFile(preset.fileName());

    bool accepted = false;
    {
        Nest nest(*this);
        accepted = dlg.exec() == QDialog::Accepted;
    }
    const QStringList chosen = dlg.selectedFiles();
    if (!accepted || chosen.isEmpty()) return false;
    d.fileName = QDir::toNativeSeparators(chosen.front()).toStdString();
    const qsizetype index = filters.indexOf(dlg.selectedNameFilter());
    if (index >= 0) d.filterIndex = static_cast<int>(index) + 1;
    lastDirectory_ = QFileInfo(chosen.front()).absolutePath();
    return true;
}

// --- Events and time ---

void QtHost::doEvents() {
    {
        Nest nest(*this);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    platform::runHeldClicks();
}

void QtHost::waitForInput(platform::SerialDevice* device, std::int64_t deadlineMs) {
    Nest nest(*this);
    // A device in process (the simulated unit) tells when its next characters arrive.
    if (device) {
        if (auto next = device->nextArrivalMs()) deadlineMs = std::min(deadlineMs, *next);
    }
    const std::int64_t remaining = deadlineMs - nowMs();
    if (remaining <= 0 || (device && device->available() > 0)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    // One blocking turn of the event loop: it ends with the first batch of events, the
    // device becoming readable or the deadline, and the caller looks again.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    deadline.start(static_cast<int>(std::min<std::int64_t>(remaining, 24LL * 3600 * 1000)));
    std::optional<QSocketNotifier> readable;
    if (device && device->pollFd() >= 0) {
        readable.emplace(static_cast<qintptr>(device->pollFd()), QSocketNotifier::Read);
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (readable) readable->setEnabled(false);
}

void QtHost::watchLine(platform::SerialDevice* device, std::function<void()> check) {
    constexpr int kLineCheckMs = 200;
    lineCheck_ = device ? std::move(check) : nullptr;
    if (!lineCheck_) {
        if (lineTimer_) lineTimer_->stop();
        return;
    }
    if (!lineTimer_) {
        lineTimer_ = new QTimer(this);
        connect(lineTimer_, &QTimer::timeout, this, [this] {
            if (!lineCheck_) return;
            auto current = lineCheck_;  // the check may end or replace the watch
            current();
        });
    }
    if (!lineTimer_->isActive()) lineTimer_->start(kLineCheckMs);
}

void QtHost::sleep(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::int64_t QtHost::nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void QtHost::endProgram() {
    std::fflush(nullptr);
    std::_Exit(0);
}

// --- Timer controls ---

void QtHost::timerChanged(platform::Control& timer) {
    QTimer*& t = timers_[&timer];
    if (!t) {
        t = new QTimer(this);
        platform::Control* c = &timer;
        connect(t, &QTimer::timeout, this, [this, c] { onTimer(c); });
    }
    if (timer.enabled() && timer.interval() > 0) {
        t->start(timer.interval());
    } else {
        t->stop();
    }
}

void QtHost::onTimer(platform::Control* c) {
    if (!platform::controlAlive(c)) {
        auto it = timers_.find(c);
        if (it != timers_.end()) {
            it->second->stop();
            it->second->deleteLater();
            timers_.erase(it);
        }
        return;
    }
    c->timerTick();
}

}  // namespace dunax::gui
