// The real serial line: a termios device in raw mode, held exclusively, read and written
// without blocking.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "platform/serial.h"

namespace dunax::platform {

namespace {

struct LineSettings {
    speed_t speed = B9600;
    tcflag_t parity = 0;  // 0, PARENB or PARENB|PARODD
    tcflag_t size = CS8;
    bool twoStopBits = false;
};

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

bool parseSpeed(const std::string& text, speed_t& out) {
    static const struct {
        const char* text;
        speed_t speed;
    } speeds[] = {{"300", B300},     {"600", B600},      {"1200", B1200},   {"2400", B2400},
                  {"4800", B4800},   {"9600", B9600},    {"19200", B19200}, {"38400", B38400},
                  {"57600", B57600}, {"115200", B115200}};
    for (const auto& s : speeds) {
        if (text == s.text) {
            out = s.speed;
            return true;
        }
    }
    return false;
}

// "9600,n,8,1": speed, parity (n, e, o), data bits (5 to 8), stop bits (1 or 2).
bool parseSettings(const std::string& settings, LineSettings& out, std::string& error) {
    std::vector<std::string> fields;
    std::stringstream ss(settings);
    for (std::string f; std::getline(ss, f, ',');) fields.push_back(trim(f));
    if (fields.size() != 4) {
        error = "Invalid port settings \"" + settings + "\": expected speed,parity,data,stop";
        return false;
    }
    if (!parseSpeed(fields[0], out.speed)) {
        error = "Unsupported line speed \"" + fields[0] + "\"";
        return false;
    }
    const std::string& p = fields[1];
    if (p == "n" || p == "N") {
        out.parity = 0;
    } else if (p == "e" || p == "E") {
        out.parity = PARENB;
    } else if (p == "o" || p == "O") {
        out.parity = PARENB | PARODD;
    } else {
        error = "Unsupported parity \"" + p + "\"";
        return false;
    }
    const std::string& d = fields[2];
    if (d == "5") {
        out.size = CS5;
    } else if (d == "6") {
        out.size = CS6;
    } else if (d == "7") {
        out.size = CS7;
    } else if (d == "8") {
        out.size = CS8;
    } else {
        error = "Unsupported data bits \"" + d + "\"";
        return false;
    }
    const std::string& s = fields[3];
    if (s == "1") {
        out.twoStopBits = false;
    } else if (s == "2") {
        out.twoStopBits = true;
    } else {
        error = "Unsupported stop bits \"" + s + "\"";
        return false;
    }
    return true;
}

std::int64_t monotonicMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

class PosixSerialDevice final : public SerialDevice {
  public:
    PosixSerialDevice(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~PosixSerialDevice() override {
        // The exclusive flag belongs to the tty, not to this descriptor: clear it so that the
        // line can be opened again while another holder (a simulator) keeps it alive.
        ::ioctl(fd_, TIOCNXCL);
        ::close(fd_);
    }
    PosixSerialDevice(const PosixSerialDevice&) = delete;
    PosixSerialDevice& operator=(const PosixSerialDevice&) = delete;

    bool write(std::string_view data) override {
        // The kernel may still take characters for a moment after a read has seen the hang-up;
        // a line seen gone stays gone for this device.
        if (gone_) return false;
        // Commands are a few characters; at the slowest speed this leaves ample time while a
        // line that takes nothing at all is given up instead of waited for forever.
        const std::int64_t deadline =
            monotonicMs() + kWriteBaseMs + static_cast<std::int64_t>(data.size()) * 10;
        while (!data.empty()) {
            const ssize_t n = ::write(fd_, data.data(), data.size());
            if (n > 0) {
                data.remove_prefix(static_cast<std::size_t>(n));
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return lost();
            const std::int64_t left = deadline - monotonicMs();
            if (left <= 0) return false;
            pollfd p{fd_, POLLOUT, 0};
            const int r = ::poll(&p, 1, static_cast<int>(left));
            if (r < 0 && errno != EINTR) return lost();
            if (r > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL))) return lost();
        }
        return true;
    }

    bool read(std::string& out) override {
        if (gone_) return false;
        char buf[512];
        int emptyButReadable = 0;
        for (;;) {
            const ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n > 0) {
                out.append(buf, static_cast<std::size_t>(n));
                emptyButReadable = 0;
                continue;
            }
            if (n < 0) {
                if (errno == EINTR) continue;
                if (errno == EAGAIN || errno == EWOULDBLOCK) return true;
                return lost();
            }
            // With VMIN = VTIME = 0 a read of nothing returns 0 both when no character waits
            // and when the line has hung up; poll tells the two apart. A character that came
            // just after the read makes the line readable: read again, but a line that stays
            // readable with nothing to read has gone.
            const short ev = pollNow();
            if (ev & (POLLHUP | POLLERR | POLLNVAL)) return lost();
            if (!(ev & POLLIN)) return true;
            if (++emptyButReadable > 3) return lost();
        }
    }

    std::size_t available() override {
        // A line that has gone counts as readable, as poll counts it: the read that follows
        // reports the failure, so a caller that reads only when something waits learns of it.
        int n = 0;
        if (::ioctl(fd_, FIONREAD, &n) < 0) return 1;
        if (n > 0) return static_cast<std::size_t>(n);
        return gone_ || (pollNow() & (POLLHUP | POLLERR | POLLNVAL)) ? 1 : 0;
    }

    void discardInput() override {
        ::tcflush(fd_, TCIFLUSH);
        // Characters the driver handed over meanwhile are dropped as well.
        std::string ignored;
        read(ignored);
    }

    int pollFd() const override { return fd_; }
    std::string name() const override { return path_; }

  private:
    static constexpr std::int64_t kWriteBaseMs = 2000;

    // The line has failed: every later read and write of this device fails as well.
    bool lost() {
        gone_ = true;
        return false;
    }

    short pollNow() const {
        pollfd p{fd_, POLLIN, 0};
        int r;
        do {
            r = ::poll(&p, 1, 0);
        } while (r < 0 && errno == EINTR);
        if (r < 0) return POLLERR;
        return r > 0 ? p.revents : short{0};
    }

    int fd_;
    std::string path_;
    bool gone_ = false;
};

std::string describe(const std::string& path, int err) {
    return path + ": " + std::strerror(err);
}

OpenFailure failureOf(int err) {
    switch (err) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR:
            return OpenFailure::NotFound;
        case EACCES:
        case EPERM:
            return OpenFailure::NoPermission;
        case EBUSY:
        case EWOULDBLOCK:
            return OpenFailure::InUse;
        default:
            return OpenFailure::Other;
    }
}

}  // namespace

std::unique_ptr<SerialDevice> openPosixSerial(const std::string& path, const std::string& settings,
                                              std::string& error, OpenFailure* kind) {
    OpenFailure ignored = OpenFailure::None;
    OpenFailure& failure = kind ? *kind : ignored;
    failure = OpenFailure::Other;
    LineSettings ls;
    if (!parseSettings(settings, ls, error)) return nullptr;
    if (path.empty()) {
        failure = OpenFailure::NotFound;
        error = "No device for this port";
        return nullptr;
    }

    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int err = errno;
        failure = failureOf(err);
        error = err == EBUSY ? path + " is in use by another program"
                             : "Cannot open " + describe(path, err);
        return nullptr;
    }
    // Whether this open has marked the line exclusive: a failure after that clears the mark, which
    // belongs to the terminal and would outlive the descriptor.
    bool marked = false;
    auto fail = [&](std::string why) -> std::unique_ptr<SerialDevice> {
        if (marked) ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        error = std::move(why);
        return nullptr;
    };

    // The lock first: TIOCEXCL alone leaves a window in which two programs both open the line.
    if (::flock(fd, LOCK_EX | LOCK_NB) < 0) {
        const int err = errno;
        failure = failureOf(err);
        return fail(err == EWOULDBLOCK ? path + " is in use by another program"
                                       : "Cannot lock " + describe(path, err));
    }
    termios t{};
    if (::tcgetattr(fd, &t) < 0) {
        const int err = errno;
        return fail(err == ENOTTY ? path + " is not a serial port"
                                  : "Cannot read settings of " + describe(path, err));
    }
    // The kernel lets root past another program's mark: ask for it, and leave it alone.
    if (int held = 0; ::ioctl(fd, TIOCGEXCL, &held) == 0 && held != 0) {
        failure = OpenFailure::InUse;
        return fail(path + " is in use by another program");
    }
    if (::ioctl(fd, TIOCEXCL) < 0) {
        failure = failureOf(errno);
        return fail("Cannot hold " + describe(path, errno) + " exclusively");
    }
    marked = true;

    ::cfmakeraw(&t);
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | INPCK);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL);
    t.c_cflag |= CLOCAL | CREAD | ls.size | ls.parity;
    if (ls.twoStopBits) t.c_cflag |= CSTOPB;
    if (ls.parity != 0) t.c_iflag |= INPCK;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (::cfsetispeed(&t, ls.speed) < 0 || ::cfsetospeed(&t, ls.speed) < 0) {
        return fail("Cannot set the speed of " + path);
    }
    if (::tcsetattr(fd, TCSANOW, &t) < 0) {
        return fail("Cannot set up " + describe(path, errno));
    }
    // A driver may drop what it cannot do without saying so.
    termios check{};
    if (::tcgetattr(fd, &check) < 0 || ::cfgetospeed(&check) != ls.speed ||
        (check.c_cflag & CSIZE) != ls.size) {
        return fail(path + " does not accept the settings \"" + settings + "\"");
    }
    // Whatever the line held before it was opened is no reply to anything of ours.
    ::tcflush(fd, TCIOFLUSH);
    failure = OpenFailure::None;
    return std::make_unique<PosixSerialDevice>(fd, path);
}

std::string serialDevicePath(int port) {
    if (port < 1) return {};
    const std::string n = std::to_string(port);
    if (const char* env = std::getenv(("DUNAX_COM" + n).c_str()); env && *env) return env;
    const std::string index = std::to_string(port - 1);
    const std::string usb = "/dev/ttyUSB" + index;
    struct stat st {};
    if (::stat(usb.c_str(), &st) == 0) return usb;
    return "/dev/ttyS" + index;
}

}  // namespace dunax::platform
