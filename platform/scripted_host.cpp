#include "platform/scripted_host.h"

#include <algorithm>

#include "platform/control.h"
#include "platform/serial.h"

namespace dunax::platform {

ScriptedHost::ScriptedHost() : previous_(hostInstalled() ? &host() : nullptr) {
    setHost(this);
}

ScriptedHost::~ScriptedHost() {
    collectRetiredForms();
    setHost(previous_);
}

void ScriptedHost::at(std::int64_t t, std::function<void()> action) {
    scheduled_.emplace(t, std::move(action));
}

Answer ScriptedHost::messageBox(const std::string& text, Icon icon, Buttons buttons,
                                const std::string& title) {
    messages.push_back({text, icon, buttons, title});
    if (onMessage) onMessage(messages.back());
    if (!answers.empty()) {
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::OK;
}

void ScriptedHost::showModeless(Form& f) {
    log.push_back("show " + f.name());
    f.setShown(true);
}

void ScriptedHost::showModal(Form& f, Form*) {
    log.push_back("modal " + f.name());
    f.setShown(true);
    auto it = whileModal.find(f.name());
    if (it != whileModal.end()) {
        auto action = it->second;  // the action may change the script
        action(f);
    }
    if (!f.unloaded() && f.shown()) hideForm(f);
    log.push_back("end modal " + f.name());
}

void ScriptedHost::hideForm(Form& f) {
    if (f.shown()) log.push_back("hide " + f.name());
    f.setShown(false);
}

void ScriptedHost::unloadForm(Form& f) {
    log.push_back("unload " + f.name());
    f.setShown(false);
    for (auto it = timers_.begin(); it != timers_.end();) {
        it = it->first->form() == &f ? timers_.erase(it) : std::next(it);
    }
}

// The watched line is looked at whenever events run, like a descriptor watch of an event loop,
// and once a second of virtual time at least.
constexpr std::int64_t kLineCheckMs = 1000;

void ScriptedHost::checkLine() {
    if (!watched_ || !lineCheck_) return;
    if (watched_->available() == 0 && now_ < nextLineCheck_) return;
    nextLineCheck_ = now_ + kLineCheckMs;
    auto check = lineCheck_;  // the check may end or replace the watch
    check();
}

void ScriptedHost::watchLine(SerialDevice* device, std::function<void()> check) {
    watched_ = device;
    lineCheck_ = device ? std::move(check) : nullptr;
    nextLineCheck_ = now_ + kLineCheckMs;
}

void ScriptedHost::idleUntil(std::int64_t t) {
    for (;;) {
        doEvents();
        checkLine();
        if (now_ >= t) return;
        std::int64_t next = t;
        if (watched_) {
            next = std::min(next, nextLineCheck_);
            if (auto a = watched_->nextArrivalMs()) next = std::min(next, *a);
        }
        if (!scheduled_.empty()) next = std::min(next, scheduled_.begin()->first);
        for (const auto& [timer, due] : timers_) next = std::min(next, due);
        now_ = std::min(t, std::max(now_ + 1, next));
    }
}

void ScriptedHost::runDue() {
    checkLine();
    // Timers first, then scripted actions; each may schedule more.
    for (bool ran = true; ran;) {
        ran = false;
        for (auto it = timers_.begin(); it != timers_.end();) {
            if (!controlAlive(it->first))
                it = timers_.erase(it);
            else
                ++it;
        }
        for (auto& [t, next] : timers_) {
            if (next <= now_) {
                Control* timer = t;
                next = now_ + std::max(1, timer->interval());
                timer->timerTick();
                ran = true;
                break;  // the tick may have changed the set of timers
            }
        }
        if (ran) continue;
        auto it = scheduled_.begin();
        if (it != scheduled_.end() && it->first <= now_) {
            auto action = std::move(it->second);
            scheduled_.erase(it);
            action();
            ran = true;
        }
    }
}

void ScriptedHost::doEvents() {
    runDue();
    runHeldClicks();
}

void ScriptedHost::waitForInput(SerialDevice* device, std::int64_t deadlineMs) {
    ++waits;
    runDue();
    if (device && device->available() > 0) return;
    std::int64_t next = deadlineMs;
    if (device) {
        if (auto a = device->nextArrivalMs()) next = std::min(next, *a);
    }
    if (!scheduled_.empty()) next = std::min(next, scheduled_.begin()->first);
    for (const auto& [t, due] : timers_) next = std::min(next, due);
    now_ = std::max(now_, next);
    runDue();
}

void ScriptedHost::sleep(int ms) {
    now_ += ms;
    slept += ms;
}

bool ScriptedHost::fileDialog(FileDialog& d, bool save) {
    dialogs.push_back(d);
    log.push_back(save ? "save dialog" : "open dialog");
    if (!fileTypes.empty()) {
        d.filterIndex = fileTypes.front();
        fileTypes.pop_front();
    }
    if (files.empty()) return false;
    auto f = files.front();
    files.pop_front();
    if (!f) return false;
    d.fileName = save ? withFileTypeExtension(*f, d.filter, d.filterIndex) : *f;
    return true;
}

void ScriptedHost::endProgram() {
    log.push_back("end");
    throw ProgramEnded();
}

void ScriptedHost::timerChanged(Control& timer) {
    if (timer.enabled() && timer.interval() > 0) {
        timers_[&timer] = now_ + timer.interval();
    } else {
        timers_.erase(&timer);
    }
}

}  // namespace dunax::platform
