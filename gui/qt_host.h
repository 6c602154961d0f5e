// The desktop host of the program: draws every form of the control model as Qt widgets, runs
// the event loop and its nested loops (DoEvents, reply waits, modal windows), message boxes
// and the file dialog.
#pragma once

#include <QMdiArea>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/control.h"
#include "platform/host.h"

class QEventLoop;
class QTimer;
class QWidget;

namespace dunax::gui {

class FormView;

// The name filters of a file dialog for the platform's filter text
// "desc|pattern|desc|pattern": "Config files (*.uJx)|*.uJx" gives "Config files (*.uJx)".
// Patterns separated by ';' are joined with blanks, and "*.*" matches every name.
QStringList nameFilters(const std::string& filter);

class QtHost : public QObject, public platform::Host {
    Q_OBJECT
  public:
    // Installs itself as the program's host; needs a QApplication.
    QtHost();
    ~QtHost() override;

    platform::Answer messageBox(const std::string& text, platform::Icon icon,
                                platform::Buttons buttons, const std::string& title) override;
    void showModeless(platform::Form& f) override;
    void showModal(platform::Form& f, platform::Form* owner) override;
    void hideForm(platform::Form& f) override;
    void unloadForm(platform::Form& f) override;
    void doEvents() override;
    void waitForInput(platform::SerialDevice* device, std::int64_t deadlineMs) override;
    void sleep(int ms) override;
    void watchLine(platform::SerialDevice* device, std::function<void()> check) override;
    std::int64_t nowMs() override;
    bool fileDialog(platform::FileDialog& d, bool save) override;
    [[noreturn]] void endProgram() override;
    void timerChanged(platform::Control& timer) override;

    // --- The widgets of the model (for the program and its tests) ---
    // The window of a form that has been shown and not unloaded; null otherwise.
    QWidget* windowOf(const platform::Form& f) const;
    // The widget of a control of a form on show; null for controls without one.
    QWidget* widgetOf(const platform::Control& c) const;
    // The document area of the MDI parent window, once it has been shown.
    QMdiArea* mdiArea() const { return mdiArea_; }
    // How many of our loops (DoEvents, reply waits, modal windows, message boxes, file
    // dialogs) run now; 0 when no event handler of a window is running.
    int depth() const { return depth_; }

  private:
    friend class FormView;
    struct ModalRun {
        platform::Form* form;
        QEventLoop* loop;
    };
    // Counts one nested loop for as long as it lives.
    class Nest {
      public:
        explicit Nest(QtHost& h) : h_(h) { ++h_.depth_; }
        ~Nest() { --h_.depth_; }
        Nest(const Nest&) = delete;
        Nest& operator=(const Nest&) = delete;

      private:
        QtHost& h_;
    };

    FormView* liveView(const platform::Form& f) const;
    FormView& viewFor(platform::Form& f);
    QWidget* dialogParent() const;
    void onAboutToBlock();
    void housekeeping();
    void quitModalLoops(const platform::Form& f);
    void retireView(platform::Form& f);
    void onTimer(platform::Control* c);

    platform::Host* previous_ = nullptr;
    int depth_ = 0;
    bool housekeepingPosted_ = false;
    bool collectPending_ = false;
    std::map<const platform::Form*, std::unique_ptr<FormView>> views_;
    std::vector<std::unique_ptr<FormView>> deadViews_;
    std::vector<ModalRun> modalRuns_;
    std::map<platform::Control*, QTimer*> timers_;
    // The watch of an idle line: a low-rate look, so that a line that vanishes is noticed
    // within a second whatever the device, and a line that keeps signalling never spins.
    QTimer* lineTimer_ = nullptr;
    std::function<void()> lineCheck_;
    QPointer<QMdiArea> mdiArea_;
    QPointer<QWidget> mdiWindow_;
    QString lastDirectory_;
};

}  // namespace dunax::gui
