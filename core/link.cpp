#include "core/link.h"

#include <charconv>
#include <limits>

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

// What the link knows of the line between exchanges.
struct LineState {
    // When characters were last seen on the line.
    std::int64_t lastInputMs = std::numeric_limits<std::int64_t>::min() / 2;
    // A reply may still be on its way: an exchange timed out, and since then no reply has been
    // followed by a quiet line.
    bool unsettled = false;
    // The last exchange ended by its time-out.
    bool lastTimedOut = false;
    bool lossReported = false;
    // The user's actions running when the loss was reported: the failures they still meet
    // follow from the loss and were told with it; a later action's failures are told again.
    platform::UserActionMark lossActions;
} g_line;

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
    std::string r;
    for (int i = 0; i <= n; ++i) {
        r = trimBlanks(attempt());
        if (!r.empty()) break;
    }
    return r;
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

// The watch of the idle line: whatever arrives while no command is out answers nothing and is
// dropped; a line that has failed is reported.
void checkIdleLine() {
    if (platform::exchangeRunning()) return;
    auto& port = MSComm1();
    if (port.portOpen() && port.inBufferCount() > 0) {
        port.input();
        g_line.lastInputMs = platform::host().nowMs();
    }
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

// Waits, taking and dropping every character, until the line has been quiet for the settle
// time. False when the port closed meanwhile.
bool settleLine(platform::CommControl& port) {
    const int quietMs = SettleQuietMs();
    std::int64_t quietFrom = g_line.lastInputMs;
    bool heard = false;
    for (;;) {
        if (!port.portOpen()) return false;
        if (port.inBufferCount() > 0) {
            port.input();
            if (!port.portOpen()) return false;
            quietFrom = platform::host().nowMs();
            heard = true;
        }
        const std::int64_t quietEnough = quietFrom + quietMs;
        if (platform::host().nowMs() >= quietEnough) break;
        platform::host().waitForInput(port.device(), quietEnough);
    }
    g_line.lastInputMs = quietFrom;
    // A reply came in time, and nothing followed it: no reply is owed any more.
    if (!heard && !g_line.lastTimedOut) g_line.unsettled = false;
    return true;
}

// While a reply may still be owed, a reply that cannot answer this command is that one: a
// group is answered "COK", "CNG" or "CNU", and "COK" answers nothing else.
bool owedReply(const std::string& cmd, const std::string& reply) {
    if (!g_line.unsettled) return false;
    const std::string text = trimBlanks(reply);
    if (cmd[0] == 'G') return text != "COK" && text != "CNG" && text != "CNU";
    return text == "COK";
}

// Takes the reply to cmd from the front of what has arrived, when a whole one is there: the
// text before the first CR, passing over replies still owed to earlier commands. What follows
// it answers no command of ours; it is dropped, and the line is settled before the next
// command so that nothing more of it is taken. False while no whole reply has arrived.
bool takeReply(const std::string& cmd, std::string& received) {
    for (auto cr = received.find('\r'); cr != std::string::npos; cr = received.find('\r')) {
        std::string reply = received.substr(0, cr + 1);
        const bool more = cr + 1 < received.size();
        received.erase(0, cr + 1);
        if (owedReply(cmd, reply.substr(0, cr))) continue;
        if (more) g_line.unsettled = true;
        received = std::move(reply);
        return true;
    }
    return false;
}

// One command for one reply on an open port, with the exchange guard held.
std::string exchange(platform::CommControl& port, const std::string& cmd) {
    if (g_line.unsettled && !settleLine(port)) return "";
    // A reply that came after its exchange had timed out must not answer this command.
    port.discardInput();
    IntervalTimerOn(kReplyTimeoutMs);
    const std::int64_t deadline = g_timer.deadline;
    port.output(cmd);

    std::string reply;
    bool timedOut = false;
    for (;;) {
        if (!port.portOpen()) {  // closed by a nested Disconnect, or the line failed
            reply.clear();
            break;
        }
        if (port.inBufferCount() > 0) {
            std::string block = port.input();
            if (!port.portOpen()) {  // the line failed in the middle of the reply
                reply.clear();
                break;
            }
            if (!block.empty()) g_line.lastInputMs = platform::host().nowMs();
            reply += block;
            // A reply ends at its first CR. A late reply and the next one can arrive back to
            // back in one block: they are two replies, never one text.
            if (takeReply(cmd, reply)) break;
        }
        if (IntervalTimerCheck() || platform::host().nowMs() >= deadline) {
            reply.clear();
            timedOut = true;
            break;
        }
        platform::host().waitForInput(port.device(), deadline);
    }
    g_line.lastTimedOut = timedOut;
    if (timedOut) g_line.unsettled = true;
    if (!reply.empty()) reply.pop_back();
    IntervalTimerOff();
    return reply;
}

}  // namespace

int SettleQuietMs() {
    int baud = 9600;
    const std::string& text = g.BaudRate;
    int parsed = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec == std::errc() && p == text.data() + text.size() && parsed > 0) baud = parsed;
    // Ten bits a character: start, eight data bits, stop.
    const int replyMs = (kLongestReplyChars * 10 * 1000 + baud - 1) / baud;
    return replyMs + kUnitAnswerMs;
}

void SetLineLostHandler(std::function<void()> handler) {
    lineLostHandler() = std::move(handler);
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
    if (!port.portOpen() || platform::exchangeRunning()) return "";
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
    platform::host().sleep(kCommandPauseMs);
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
    return SelectWriteRetry(3, group, "01", data);
}

}  // namespace dunax::core
