#include "core/link.h"

#include "core/globals.h"
#include "platform/host.h"

namespace dunax::core {

namespace {

std::function<void()>& portChoice() {
    static std::function<void()> f;
    return f;
}

struct IntervalTimer {
    bool running = false;
    bool timeUp = false;
    std::int64_t deadline = 0;
} g_timer;

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

}  // namespace

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
    port.setPortOpen(true);  // a port that cannot be opened stays closed
}

void ClosePort() {
    auto& port = MSComm1();
    if (!port.portOpen()) return;
    IntervalTimerOff();
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
    platform::ExchangeScope busy;

    // A reply that came after its exchange had timed out must not answer this command.
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
            std::string block = port.input();
            if (!port.portOpen()) {  // the line failed in the middle of the reply
                reply.clear();
                break;
            }
            reply += block;
            if (!block.empty() && block.back() == '\r') break;
        }
        if (IntervalTimerCheck() || platform::host().nowMs() >= deadline) {
            reply.clear();
            break;
        }
        platform::host().waitForInput(port.device(), deadline);
    }
    if (!reply.empty()) reply.pop_back();
    IntervalTimerOff();
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
