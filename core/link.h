// The unit link: the serial port of the main window, the exchange of one command for one
// reply with its time-out, the read and write routines and their retrying forms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/serial.h"

namespace dunax::core {

// The main window's serial port control.
platform::CommControl& MSComm1();

// Asked by OpenPort for the port the user chose (the port dialog installs it); without it
// the port number stays as it is.
void SetPortChoice(std::function<void()> choose);

void OpenPort();
void ClosePort();

// Called once when the open line vanishes (hang-up, read error: an adapter pulled), whether
// an exchange noticed it or the watch of the idle line did. The main window installs it.
void SetLineLostHandler(std::function<void()> handler);
// The vanished line has been reported during the user's current action; the failures that
// action still meets follow from it and need no message of their own. A later action (a
// button of a window still open, say) reports its failures again, and opening the port
// clears it.
bool LineLossReported();

// One command (with its CR) for one reply, blanks trimmed; empty when no usable answer.
std::string SendCommand(const std::string& cmd);
// One command for the reply without its final CR; empty on time-out or a failed line.
std::string CommTransact(const std::string& cmd);

std::string SelectRead(const std::string& grp, const std::string& item);
std::string ItemRead(const std::string& item);
std::string SelectWrite(const std::string& grp, const std::string& item, const std::string& data);
std::string ItemWrite(const std::string& item, const std::string& data);

// The retries of an exchange that came back empty: every routine makes four attempts, so a
// silent unit's retrying read is four time-outs.
constexpr int kRetries = 3;

std::string SelectReadRetry(int n, const std::string& grp, const std::string& item);
std::string ItemReadRetry(int n, const std::string& item);
std::string SelectWriteRetry(int n, const std::string& grp, const std::string& item,
                             const std::string& data);
std::string ItemWriteRetry(int n, const std::string& item, const std::string& data);

// Whether the unit replied to the last command of the last write attempt (SelectWrite,
// ItemWrite and their retrying forms). A write that came back empty was refused when it did
// ("CNG", "CNU", a refused group, a reply without data), and went unanswered when it did not.
bool LastWriteAnswered();

// Writes data ("F" or "1") to the maintenance switch, item 01 of group.
std::string MaintenancePrologue(const std::string& group, const std::string& data);

// The time-out timer of an exchange, on the host's clock.
void IntervalTimerOn(int ms);
void IntervalTimerOff();
bool IntervalTimerCheck();

constexpr int kCommandPauseMs = 10;
constexpr int kReplyTimeoutMs = 3000;

// After an exchange timed out, its reply is still owed up to its CR. No command goes out until
// it has come, or is given up: when the line has been quiet for kOwedQuietMs since the time-out
// or the reply's last character, when more than the longest reply has come without a CR (that
// is noise), or when a time-out has passed since it became owed. So an exchange and the wait
// after it never take longer than twice the time-out, and the pause before the next command
// follows the wait. 750 ms keeps a silent unit's retrying read (four time-outs, three waits)
// within 15 s. The bound of this rule: a reply that starts more than kOwedQuietMs after its
// time-out has been given up, and when it then arrives it can answer the next command.
constexpr std::size_t kLongestReplyChars = 64;
constexpr int kOwedQuietMs = 750;

// A monitoring pass watches for a unit that has stopped answering. Within the watch, a
// retrying routine whose every attempt timed out, with no reply from the unit after the first
// time-out, means the unit is gone: no command goes out after it until the port is opened
// again, and the rest of the pass gets no answers at once.
class SilenceWatch {
  public:
    SilenceWatch();
    ~SilenceWatch();
    SilenceWatch(const SilenceWatch&) = delete;
    SilenceWatch& operator=(const SilenceWatch&) = delete;

  private:
    bool outer_;
};
// Whether a watch found the unit silent since the port was last opened.
bool HasUnitStoppedAnswering();

// Replies the unit has sent, each up to its CR, in time or owed: a caller compares the count
// before and after its exchanges to learn whether anything answered them.
std::uint64_t RepliesHeard();

}  // namespace dunax::core
