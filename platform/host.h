// Services of the desktop that the windows and the unit link use: message boxes, showing
// windows, running pending events, waiting, the clock, the file dialog and ending the program.
// The Qt host (gui/) draws them; the scripted host answers them in tests, in virtual time.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace dunax::platform {

class Form;
class Control;
class SerialDevice;

enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Buttons { OK, OKCancel, YesNo, YesNoCancel };
enum class Answer { OK, Cancel, Yes, No };

// The common file dialog's settings and result.
struct FileDialog {
    std::string filter;   // "Config files (*.uJx)|*.uJx|Text (*.txt)|*.txt"
    int filterIndex = 1;  // 1-based
    int flags = 0;
    std::string fileName;  // in: proposed name; out: chosen path
    std::string dialogTitle;
};

// Thrown by hosts whose end of program must unwind (the scripted host); the Qt host ends the
// process instead.
struct ProgramEnded : std::runtime_error {
    ProgramEnded() : std::runtime_error("program ended") {}
};

class Host {
  public:
    virtual ~Host() = default;

    virtual Answer messageBox(const std::string& text, Icon icon, Buttons buttons,
                              const std::string& title) = 0;

    // Window display. showModal returns when the window is hidden or unloaded.
    virtual void showModeless(Form& f) = 0;
    virtual void showModal(Form& f, Form* owner) = 0;
    virtual void hideForm(Form& f) = 0;
    virtual void unloadForm(Form& f) = 0;

    // Runs the pending events (clicks, typing, timers); handlers may nest inside.
    virtual void doEvents() = 0;
    // Blocks until the device has input, an event was handled, or the clock reaches
    // deadlineMs, whichever comes first; never spins. device may be null.
    virtual void waitForInput(SerialDevice* device, std::int64_t deadlineMs) = 0;
    // Blocks for ms milliseconds and runs no events.
    virtual void sleep(int ms) = 0;
    // Watches an open line while nothing talks over it: check runs from the event loop soon
    // after the device has input or has failed, and at least once a second, until the watch
    // is replaced or ended with a null device. check may end the watch itself.
    virtual void watchLine(SerialDevice* device, std::function<void()> check) = 0;
    // Milliseconds of a monotonic clock.
    virtual std::int64_t nowMs() = 0;

    // Returns false when the user cancelled. A save dialog gives a name typed without an
    // extension that of the file type selected (withFileTypeExtension).
    virtual bool fileDialog(FileDialog& d, bool save) = 0;

    // Ends the program from any depth; does not return.
    [[noreturn]] virtual void endProgram() = 0;

    // The timer control's state changed (started, stopped, new interval).
    virtual void timerChanged(Control& timer) = 0;
};

// The extension of file type filterIndex (1-based) of a dialog's filter, from its first
// pattern: "uJx" for "*.uJx"; empty for a pattern that names none ("*.*") or no such type.
std::string fileTypeExtension(const std::string& filter, int filterIndex);
// name, as a save dialog gives it back: a file name without a "." gets the extension of the
// file type selected; one that has an extension, or names a folder, stays as it is.
std::string withFileTypeExtension(const std::string& name, const std::string& filter,
                                  int filterIndex);

Host& host();
void setHost(Host* h);
bool hostInstalled();

// --- The exchange guard: one exchange at a time on the wire. ---
// While an exchange with the unit waits for its reply, pending events run; a click that is
// not urgent is held back and runs once no exchange is waiting.
class ExchangeScope {
  public:
    ExchangeScope();
    ~ExchangeScope();
    ExchangeScope(const ExchangeScope&) = delete;
    ExchangeScope& operator=(const ExchangeScope&) = delete;
};
bool exchangeRunning();

// The user clicked a control (from the GUI or a test): runs its Click now, or after the
// running exchange when the control is not urgent.
void userClick(Control& c);
// Runs the clicks held back; does nothing while an exchange runs. Hosts call it from
// doEvents and their event loop.
void runHeldClicks();
std::size_t heldClickCount();
// One action of the user (a click, a window's close box) while its handler runs. Actions nest:
// a click in a dialog that a running action opened is an action of its own while its handler
// runs, and what the outer action does after that is the outer action's again.
class UserActionScope {
  public:
    UserActionScope();
    ~UserActionScope();
    UserActionScope(const UserActionScope&) = delete;
    UserActionScope& operator=(const UserActionScope&) = delete;
};
// The actions of the user running at one moment, to tell later whether the code then running
// still belongs to one of them.
struct UserActionMark {
    std::vector<std::uint64_t> running;  // outermost first
    std::uint64_t count = 0;             // actions begun so far
};
UserActionMark markUserActions();
// Whether the code running now belongs to an action that was running at the mark; code that
// runs outside any action belongs to the mark's moment until the user's next action begins.
bool withinMarkedActions(const UserActionMark& mark);

}  // namespace dunax::platform
