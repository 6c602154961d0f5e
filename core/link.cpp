#include "core/link.h"

#include <algorithm>

#include "core/globals.h"
#include "platform/host.h"

namespace dunax::core {

namespace {

std::function<void()>& portChoice() {
    static std::function<void()> f;
    return f;
}

std::function<void()>& lineLostHandler() {
    static std::function<void()> f;
    return f;
}

struct IntervalTimer {
    bool running = false;
    bool timeUp = false;
    std::int64_t deadline = 0;
} g_timer;

// The reply of an exchange that timed out, with what already came of it (see kOwedQuietMs).
struct OwedReply {
    bool pending = false;
    std::int64_t timedOutAtMs = 0;
    std::int64_t lastHeardMs = 0;  // the time-out, then each character of the reply
    std::size_t chars = 0;         // characters of the reply so far
};

struct LineState {
    OwedReply owed;
    bool unitSilent = false;  // a silence watch found the unit gone: nothing more is sent
    bool lossReported = false;
    // The user's actions running when the loss was reported: the failures they still meet
    // follow from the loss and were told with it; a later action's failures are told again.
    platform::UserActionMark lossActions;
} g_line;

// What the unit has done since the program started, for callers that compare before and after.
struct LineCounts {
    std::uint64_t replies = 0;   // replies up to their CR, in time or owed
    std::uint64_t timeOuts = 0;  // exchanges that timed out
} g_counts;

bool g_watchingSilence = false;

std::string trimBlanks(const std::string& s) {
    auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    auto e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

// The reply of an item command with its status character dropped: "CNG" and "CNU" have
// their own meanings, and an empty reply stays empty.
std::string itemAnswer(const std::string& reply) {
    if (reply.empty()) return "";
    if (reply == "CNG") return "CNG";
    if (reply == "CNU") return "NEEDLESS";
    return reply.substr(1);
}

bool refusedOrEmpty(const std::string& reply) {
    return reply.empty() || reply == "CNG" || reply == "CNU";
}

// Whether the last command of the last write routine got any reply at all.
bool g_writeReplied = false;

// One command of a write routine; remembers whether the unit replied to it.
std::string writeStep(const std::string& cmd) {
    std::string r = SendCommand(cmd);
    g_writeReplied = !r.empty();
    return r;
}

template <class F>
std::string retry(int n, F attempt) {
    const std::uint64_t timeOutsBefore = g_counts.timeOuts;
    std::uint64_t repliesAfterFirst = 0;
    for (int i = 0; i <= n; ++i) {
        std::string r = trimBlanks(attempt());
        if (!r.empty()) return r;
        if (i == 0) repliesAfterFirst = g_counts.replies;
    }
    // The unit is silent when every attempt timed out (a time-out ends its attempt, so there
    // were n + 1 of them) and nothing came after the first, not even a late reply.
    const bool everyAttemptTimedOut =
        g_counts.timeOuts - timeOutsBefore == static_cast<std::uint64_t>(n) + 1;
    if (g_watchingSilence && everyAttemptTimedOut && g_counts.replies == repliesAfterFirst) {
        g_line.unitSilent = true;
    }
    return "";
}

void unwatchLine() {
    if (platform::hostInstalled()) platform::host().watchLine(nullptr, nullptr);
}

void noticeLoss() {
    if (!MSComm1().lineLost() || g_line.lossReported) return;
    g_line.lossReported = true;
    g_line.lossActions = platform::markUserActions();
    if (auto handler = lineLostHandler()) handler();
}

// Takes characters off the line: those of an owed reply up to its CR. Whatever else comes
// answers no command and is dropped.
void takeOwed(const std::string& block) {
    OwedReply& o = g_line.owed;
    for (const char c : block) {
        if (!o.pending) return;
        o.lastHeardMs = platform::host().nowMs();
        if (c == '\r') {
            o.pending = false;
            ++g_counts.replies;
        } else if (++o.chars > kLongestReplyChars) {
            o.pending = false;  // noise, not a reply
        }
    }
}

// The watch of the idle line: what arrives while no command is out goes to an owed reply or is
// dropped; a line that has failed is reported.
void checkIdleLine() {
    if (platform::exchangeRunning()) return;
    auto& port = MSComm1();
    if (port.portOpen() && port.inBufferCount() > 0) takeOwed(port.input());
    if (port.portOpen()) return;
    unwatchLine();
    noticeLoss();
}

void watchLine() {
    auto& port = MSComm1();
    if (port.portOpen() && platform::hostInstalled()) {
        platform::host().watchLine(port.device(), checkIdleLine);
    }
}

// Waits until no reply is owed (see kOwedQuietMs). False when the port closed meanwhile.
bool awaitOwedReply(platform::CommControl& port) {
    OwedReply& o = g_line.owed;
    while (o.pending) {
        if (!port.portOpen()) return false;
        if (port.inBufferCount() > 0) {
            std::string block = port.input();
            if (!port.portOpen()) return false;
            takeOwed(block);
        }
        const std::int64_t givenUp =
            std::min(o.lastHeardMs + kOwedQuietMs, o.timedOutAtMs + kReplyTimeoutMs);
        if (platform::host().nowMs() >= givenUp) o.pending = false;
        if (o.pending) platform::host().waitForInput(port.device(), givenUp);
    }
    return port.portOpen();
}

// One command for one reply on an open port, with the exchange guard held.
std::string exchange(platform::CommControl& port, const std::string& cmd) {
    if (g_line.owed.pending) {
        if (!awaitOwedReply(port)) return "";
        // The pause before a command comes after the unit's last character: on a half-duplex
        // line it may still be turning the line around.
        platform::host().sleep(kCommandPauseMs);
    }
    // Nothing is owed: what has arrived answers no command.
    port.discardInput();
    IntervalTimerOn(kReplyTimeoutMs);
    const std::int64_t deadline = g_timer.deadline;
    port.output(cmd);

    std::string reply;
    for (;;) {
        if (!port.portOpen()) {  // closed by a nested Disconnect, or the line failed
            reply.clear();
            break;
        }
        if (port.inBufferCount() > 0) {
            reply += port.input();
            if (!port.portOpen()) {  // the line failed in the middle of the reply
                reply.clear();
                break;
            }
            // A reply ends at its first CR. What follows it in the same block (a late reply
            // and the next one back to back, say) answers no command and is dropped.
            if (const auto cr = reply.find('\r'); cr != std::string::npos) {
                reply.erase(cr);
                ++g_counts.replies;
                break;
            }
        }
        if (IntervalTimerCheck() || platform::host().nowMs() >= deadline) {
            // The reply is still owed, with what came of it so far.
            const std::int64_t now = platform::host().nowMs();
            g_line.owed = {reply.size() <= kLongestReplyChars, now, now, reply.size()};
            ++g_counts.timeOuts;
            reply.clear();
            break;
        }
        platform::host().waitForInput(port.device(), deadline);
    }
    IntervalTimerOff();
    return reply;
}

}  // namespace

void SetLineLostHandler(std::function<void()> handler) {
    lineLostHandler() = std::move(handler);
}

SilenceWatch::SilenceWatch() : outer_(g_watchingSilence) {
    g_watchingSilence = true;
}

SilenceWatch::~SilenceWatch() {
    g_watchingSilence = outer_;
}

bool HasUnitStoppedAnswering() {
    return g_line.unitSilent;
}

std::uint64_t RepliesHeard() {
    return g_counts.replies;
}

bool LineLossReported() {
    return g_line.lossReported && platform::withinMarkedActions(g_line.lossActions);
}

platform::CommControl& MSComm1() {
    static platform::CommControl port;
    return port;
}

void SetPortChoice(std::function<void()> choose) {
    portChoice() = std::move(choose);
}

void IntervalTimerOn(int ms) {
    g_timer.timeUp = false;
    g_timer.running = true;
    g_timer.deadline = platform::host().nowMs() + ms;
}

void IntervalTimerOff() {
    g_timer.running = false;
}

bool IntervalTimerCheck() {
    if (g_timer.running && platform::host().nowMs() >= g_timer.deadline) g_timer.timeUp = true;
    return g_timer.timeUp;
}

void OpenPort() {
    auto& port = MSComm1();
    if (port.portOpen()) return;
    if (portChoice()) portChoice()();
    port.settings = g.BaudRate + ",n,8,1";
    port.commPort = g.ComPortNo;
    g_line = LineState{};
    port.setPortOpen(true);  // a port that cannot be opened stays closed
    watchLine();
}

void ClosePort() {
    auto& port = MSComm1();
    if (!port.portOpen()) return;
    IntervalTimerOff();
    unwatchLine();
    port.setPortOpen(false);
}

std::string CommTransact(const std::string& cmd) {
    auto& port = MSComm1();
    // One exchange at a time on the wire: a handler that runs nested inside a reply wait
    // gets no answer rather than mixing its command into the running exchange.
    // A unit found silent is asked nothing more until the port is opened again.
    if (!port.portOpen() || platform::exchangeRunning() || g_line.unitSilent) return "";
    // The unit reads a CR as the end of a command: a text with line breaks or other control
    // characters in it (a pasted box, a damaged file) is never sent.
    if (cmd.empty() || cmd.back() != '\r') return "";
    for (std::size_t i = 0; i + 1 < cmd.size(); ++i) {
        if (static_cast<unsigned char>(cmd[i]) < 0x20 || cmd[i] == 0x7F) return "";
    }
    std::string reply;
    {
        platform::ExchangeScope busy;
        unwatchLine();
        reply = exchange(port, cmd);
    }
    if (port.portOpen()) {
        watchLine();
    } else {
        noticeLoss();
    }
    return reply;
}

std::string SendCommand(const std::string& cmd) {
    // A unit found silent is sent nothing, so there is no command to pause before.
    if (!g_line.unitSilent) platform::host().sleep(kCommandPauseMs);
    return trimBlanks(CommTransact(cmd));
}

std::string SelectRead(const std::string& grp, const std::string& item) {
    if (SendCommand("G" + grp + "\r") != "COK") return "";
    return ItemRead(item);
}

std::string ItemRead(const std::string& item) {
    return itemAnswer(SendCommand("I" + item + "\r"));
}

std::string SelectWrite(const std::string& grp, const std::string& item, const std::string& data) {
    if (writeStep("G" + grp + "\r") != "COK") return "";
    return ItemWrite(item, data);
}

std::string ItemWrite(const std::string& item, const std::string& data) {
    if (refusedOrEmpty(writeStep("I" + item + "\r"))) return "";
    std::string r = writeStep("D" + data + "\r");
    if (refusedOrEmpty(r)) return "";
    return r.substr(1);
}

std::string SelectReadRetry(int n, const std::string& grp, const std::string& item) {
    return retry(n, [&] { return SelectRead(grp, item); });
}

std::string ItemReadRetry(int n, const std::string& item) {
    return retry(n, [&] { return ItemRead(item); });
}

std::string SelectWriteRetry(int n, const std::string& grp, const std::string& item,
                             const std::string& data) {
    return retry(n, [&] { return SelectWrite(grp, item, data); });
}

std::string ItemWriteRetry(int n, const std::string& item, const std::string& data) {
    return retry(n, [&] { return ItemWrite(item, data); });
}

bool LastWriteAnswered() {
    return g_writeReplied;
}

std::string MaintenancePrologue(const std::string& group, const std::string& data) {
    return SelectWriteRetry(kRetries, group, "01", data);
}

}  // namespace dunax::core
