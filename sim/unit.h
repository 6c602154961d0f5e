// The simulated J6 unit: a protocol peer that takes the characters of the line, answers each
// command ended by CR, keeps a log of the commands and can be told to misbehave.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim/profile.h"

namespace dunax::sim {

// Ways to misbehave; every field may be changed at any time, also between commands.
// Command numbers count every command received, from 1.
struct Faults {
    bool silent = false;                  // no command is answered (nor carried out)
    std::size_t silentFrom = 0;           // from this command on the unit is silent; 0: never
    int dropNext = 0;                     // the next n commands are neither answered nor done
    bool refuseAll = false;               // every command is answered "CNG"
    std::set<std::string> refusedGroups;  // "G" answers "CNG"
    std::set<std::pair<std::string, std::string>> needless;  // {group, item}: "CNU"
    std::map<std::string, std::string> replies;  // command (no CR) -> reply text (no CR)
    std::size_t splitAt = 0;                     // send each reply in two blocks, cut after n chars
    int splitGapMs = 20;                         // time between the two blocks
    bool padded = false;                         // a blank before and after the reply text
    int replyDelayMs = -1;                       // every reply this late instead of the latency
    int nextReplyDelayMs = -1;                   // the next reply only this late
    std::size_t lateAt = 0;                      // the reply to this command comes lateByMs late
    int lateByMs = 0;
    std::string garbage;  // sent before every reply
    // One command at a time: a command that comes while a reply is still owed (the unit has
    // not begun to send it) waits, and is answered this long after that reply ended; -1:
    // answered as it comes.
    int oneAtATimeGapMs = -1;
    // Sent on the line of its own accord every noiseEveryMs, from the moment the unit is first
    // asked for it (noise without CR, or the frames of another device).
    std::string noise;
    int noiseEveryMs = 50;
    std::size_t vanishAt = 0;      // the line drops when this command arrives; 0: never
    bool vanished = false;         // the line has dropped: nothing goes either way
    bool portUnavailable = false;  // the in-process port cannot be opened
};

struct LoggedCommand {
    std::int64_t atMs;
    std::string text;  // without its CR
};

// Nanoseconds one character takes on a line of this speed: a start bit, eight data bits and a
// stop bit (9600 baud: 1.0417 ms).
constexpr std::int64_t characterNs(int baud) {
    return (10LL * 1'000'000'000LL + baud / 2) / baud;
}

// Characters the unit sends, due on the line at atMs.
struct Emission {
    std::int64_t atMs;
    std::string bytes;
};

class SimUnit {
  public:
    static constexpr char kStatus = '0';  // status character before an item's payload
    static constexpr std::size_t kMaxCommand = 256;

    explicit SimUnit(Profile profile);

    Profile& profile() { return profile_; }
    const Profile& profile() const { return profile_; }
    Faults& faults() { return faults_; }

    // Time from the end of a command to its reply, when no fault says otherwise.
    int latencyMs = 15;

    // Takes characters from the line at nowMs; returns what the unit sends back, in order.
    // Commands end at CR; LF is ignored.
    std::vector<Emission> receive(std::string_view bytes, std::int64_t nowMs);

    // The noise of the faults due by nowMs, each at its time; each frame is given once.
    std::vector<Emission> noise(std::int64_t nowMs);
    // When the next noise frame is due; at once when noise was set and not yet asked for.
    std::optional<std::int64_t> nextNoiseMs(std::int64_t nowMs) const;

    // The reply text (no CR) of one command as the unit carries it out, refused groups and
    // not-applicable items included; the faults of the line (silence, forced replies, blocks,
    // delays) are not applied.
    std::string execute(const std::string& command, std::int64_t nowMs);

    const std::vector<LoggedCommand>& log() const { return log_; }
    std::vector<std::string> commands() const;
    void clearLog() { log_.clear(); }

    const std::string& selectedGroup() const { return group_; }
    const std::string& selectedItem() const { return item_; }
    bool vanished() const { return faults_.vanished; }

    // The port and settings the last in-process open asked for.
    int openedPort = 0;
    std::string openedSettings;

  private:
    void command(const std::string& text, std::int64_t nowMs, std::vector<Emission>& out);
    bool groupRefused(const std::string& group) const;
    bool itemNeedless(const std::string& group, const std::string& item) const;
    std::string itemReply(const Item& it, std::int64_t nowMs) const;

    Profile profile_;
    Faults faults_;
    std::vector<LoggedCommand> log_;
    std::string pending_;
    bool overlong_ = false;
    std::string group_;  // normalised, "" when none
    std::string item_;   // two-digit, "" when none
    std::int64_t lastEmissionMs_ = 0;
    std::int64_t replyEndMs_ = 0;  // when the last reply has been sent in full
    std::string noiseText_;        // the noise running, empty when none
    std::int64_t noiseNextMs_ = 0;
};

// Applies one fault given as text, as on the simulator's command line: "silent",
// "silent-from=N", "drop=N", "cng", "refuse-group=G", "cnu=G/I", "reply=CMD/TEXT",
// "split=N[/GAPMS]", "pad", "delay=MS", "delay-next=MS", "late-at=N/MS", "garbage=TEXT",
// "vanish-at=N", "one-at-a-time=GAPMS", "noise=TEXT[/EVERYMS]".
// False with a reason for anything else.
bool applyFault(SimUnit& unit, const std::string& spec, std::string& error);

}  // namespace dunax::sim
