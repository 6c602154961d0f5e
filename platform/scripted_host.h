// A host for tests: message boxes, modal windows and file dialogs are answered from a script
// and recorded; time is virtual, so a silent unit's time-outs pass in no time.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"

namespace dunax::platform {

struct MessageRecord {
    std::string text;
    Icon icon;
    Buttons buttons;
    std::string title;
};

class ScriptedHost : public Host {
  public:
    ScriptedHost();
    ~ScriptedHost() override;

    // --- The script ---
    // Answers of the next message boxes, in order; OK (or Yes) when the queue is empty.
    std::deque<Answer> answers;
    // Called for each message box after it is recorded (to act on it from a test).
    std::function<void(const MessageRecord&)> onMessage;
    // What the user does while a window, by name, is shown modally. When the window is
    // still up afterwards the host hides it, so a test never hangs.
    std::map<std::string, std::function<void(Form&)>> whileModal;
    // Files chosen in the next file dialogs; nullopt is Cancel. Cancel when empty.
    std::deque<std::optional<std::string>> files;
    // File types (1-based) the user selects in the next file dialogs; the preset one when
    // empty.
    std::deque<int> fileTypes;
    // Runs action once the virtual clock reaches t (while events run).
    void at(std::int64_t t, std::function<void()> action);
    // Runs action at the next time events run.
    void soon(std::function<void()> action) { at(now_, std::move(action)); }

    // --- What happened ---
    std::vector<MessageRecord> messages;
    std::vector<std::string> log;  // "show frmX", "modal frmX", "hide frmX", "unload frmX"
    std::vector<FileDialog> dialogs;
    int waits = 0;  // calls of waitForInput
    std::int64_t slept = 0;

    std::int64_t now() const { return now_; }
    void advance(std::int64_t ms) { now_ += ms; }
    // The event loop with nothing to do until the clock reaches t: timers, scheduled actions
    // and the line watch run as their times come.
    void idleUntil(std::int64_t t);
    // The line under watch, null when none.
    SerialDevice* watchedLine() const { return watched_; }

    // --- Host ---
    Answer messageBox(const std::string& text, Icon icon, Buttons buttons,
                      const std::string& title) override;
    void showModeless(Form& f) override;
    void showModal(Form& f, Form* owner) override;
    void hideForm(Form& f) override;
    void unloadForm(Form& f) override;
    void doEvents() override;
    void waitForInput(SerialDevice* device, std::int64_t deadlineMs) override;
    void sleep(int ms) override;
    void watchLine(SerialDevice* device, std::function<void()> check) override;
    std::int64_t nowMs() override { return now_; }
    bool fileDialog(FileDialog& d, bool save) override;
    [[noreturn]] void endProgram() override;
    void timerChanged(Control& timer) override;

  private:
    void runDue();
    void checkLine();
    std::int64_t now_ = 0;
    std::multimap<std::int64_t, std::function<void()>> scheduled_;
    std::map<Control*, std::int64_t> timers_;  // running timers and their next tick
    Host* previous_ = nullptr;
    SerialDevice* watched_ = nullptr;
    std::function<void()> lineCheck_;
    std::int64_t nextLineCheck_ = 0;
};

}  // namespace dunax::platform
