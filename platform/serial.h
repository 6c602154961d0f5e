// The serial port control of the main window and the line devices behind it: the real
// termios port, or a simulated unit in tests.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace dunax::platform {

// One open serial line.
class SerialDevice {
  public:
    virtual ~SerialDevice() = default;
    // Writes all of data; false when the line failed.
    virtual bool write(std::string_view data) = 0;
    // Appends every character waiting to out; false when the line failed or vanished (a USB
    // adapter pulled): the caller then treats the port as closed.
    virtual bool read(std::string& out) = 0;
    // Characters waiting to be read. A line that has failed counts as readable (at least 1),
    // as poll counts it, so that a caller who reads only when something waits learns of it.
    virtual std::size_t available() = 0;
    // Throws away every character waiting.
    virtual void discardInput() = 0;
    // The descriptor to poll for input, -1 when the device has none (in-process simulation).
    virtual int pollFd() const { return -1; }
    // For devices in virtual time: when the next character arrives, if one is on its way.
    virtual std::optional<std::int64_t> nextArrivalMs() const { return std::nullopt; }
    // What the user knows the line by: its device path, or what stands in for it.
    virtual std::string name() const = 0;
};

// Why a line could not be opened, where the user can do something about it.
enum class OpenFailure { None, NotFound, NoPermission, InUse, Other };

// The user's words for such a failure of COMn on the device at path ("in use by another
// program"): a device that is not there says whether DUNAX_COMn named it, one the user may not
// open names the group to join. Empty for None and Other, whose reason is the opener's own
// text.
std::string openFailureText(OpenFailure why, int port, const std::string& path);

// Opens COMn (1..8) with settings such as "9600,n,8,1"; null when it cannot, with one line for
// the user that names the port, its device and the reason: "COM1 (/dev/ttyUSB0): in use by
// another program".
using SerialOpener = std::function<std::unique_ptr<SerialDevice>(
    int port, const std::string& settings, std::string& error)>;

// Replaces the way ports are opened (tests plug in the simulated unit). The default opens
// the real device of openPosixSerial.
void setSerialOpener(SerialOpener opener);
SerialOpener defaultSerialOpener();

// The serial port control: CommPort, Settings, PortOpen, Output, Input, InBufferCount.
class CommControl {
  public:
    int commPort = 1;
    std::string settings = "9600,n,8,1";

    bool portOpen() const { return device_ != nullptr; }
    // Opens or closes the line. A port that cannot be opened stays closed; the reason is
    // kept in lastError().
    void setPortOpen(bool open);
    // The line failed or vanished while open (an adapter pulled) and the port closed itself;
    // lastError() then says so. Cleared when the port is opened or closed again.
    bool lineLost() const { return lineLost_; }
    // Writes data; a failed line closes the port. Nothing happens while the port is closed.
    void output(std::string_view data);
    // Takes every character waiting; a failed line closes the port and gives nothing.
    std::string input();
    std::size_t inBufferCount();
    void discardInput();
    SerialDevice* device() { return device_.get(); }
    const std::string& lastError() const { return lastError_; }
    // A line for the user about the port, naming it and, while open, its device:
    // "COM1 (/dev/ttyUSB0): " followed by what.
    std::string describe(const std::string& what) const;

  private:
    void closeFailedLine();

    std::unique_ptr<SerialDevice> device_;
    std::string lastError_;
    bool lineLost_ = false;
};

// The device a port number names: $DUNAX_COMn when set, else /dev/ttyUSB(n-1) when it
// exists, else /dev/ttyS(n-1).
std::string serialDevicePath(int port);

// The real serial line: raw termios, 8N1 at the speed in settings, no flow control, held
// exclusively. When it cannot be opened, error says why and kind (when given) sorts it.
std::unique_ptr<SerialDevice> openPosixSerial(const std::string& path, const std::string& settings,
                                              std::string& error, OpenFailure* kind = nullptr);

}  // namespace dunax::platform
