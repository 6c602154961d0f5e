// The real termios port against dunax-unit-sim on a pseudo-terminal.
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/serial.h"
#include "support/as_nobody.h"

namespace dunax::platform {
namespace {

std::int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Polls fd until it is readable or the deadline passes; false at the deadline.
bool waitReadable(int fd, std::int64_t deadline) {
    for (;;) {
        const std::int64_t left = deadline - nowMs();
        if (left <= 0) return false;
        pollfd p{fd, POLLIN, 0};
        const int r = ::poll(&p, 1, static_cast<int>(left));
        if (r > 0) return true;
        if (r < 0 && errno != EINTR) return false;
    }
}

// A running dunax-unit-sim and the terminal it serves.
class UnitSim {
  public:
    explicit UnitSim(std::vector<std::string> args) {
        const char* exe = std::getenv("DUNAX_UNIT_SIM");
        if (!exe || !*exe) return;
        int out[2];
        if (::pipe2(out, O_CLOEXEC) < 0) return;
        const pid_t parent = ::getpid();
        pid_ = ::fork();
        if (pid_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlives a crashed test
            if (::getppid() != parent) ::_exit(1);
            ::dup2(out[1], STDOUT_FILENO);
            std::vector<char*> argv{const_cast<char*>(exe)};
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(exe, argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        out_ = out[0];
        // The first line is the terminal's path.
        const std::int64_t deadline = nowMs() + 5000;
        char c;
        while (waitReadable(out_, deadline) && ::read(out_, &c, 1) == 1 && c != '\n') path_ += c;
    }
    ~UnitSim() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) ::close(out_);
    }
    UnitSim(const UnitSim&) = delete;
    UnitSim& operator=(const UnitSim&) = delete;

    const std::string& path() const { return path_; }

  private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string path_;
};

// Reads until a CR ends what came, or the deadline passes.
std::string readReply(SerialDevice& d, int timeoutMs) {
    std::string reply;
    const std::int64_t deadline = nowMs() + timeoutMs;
    while (reply.empty() || reply.back() != '\r') {
        if (!waitReadable(d.pollFd(), deadline)) break;
        if (!d.read(reply)) break;
    }
    return reply;
}

// Whether the terminal at path carries the exclusive mark (a non-root open of it is refused).
bool markedExclusive(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == EBUSY;
    int held = 0;
    ::ioctl(fd, TIOCGEXCL, &held);
    ::close(fd);
    return held != 0;
}

std::string transact(SerialDevice& d, const std::string& cmd, int timeoutMs = 2000) {
    EXPECT_TRUE(d.write(cmd));
    return readReply(d, timeoutMs);
}

class SerialPosix : public ::testing::Test {
  protected:
    std::unique_ptr<SerialDevice> open(const std::vector<std::string>& simArgs) {
        sim_ = std::make_unique<UnitSim>(simArgs);
        if (sim_->path().empty()) return nullptr;
        std::string error;
        auto dev = openPosixSerial(sim_->path(), "9600,n,8,1", error);
        EXPECT_NE(dev, nullptr) << error;
        return dev;
    }
    void SetUp() override {
        const char* exe = std::getenv("DUNAX_UNIT_SIM");
        if (!exe || !*exe) GTEST_SKIP() << "DUNAX_UNIT_SIM is not set";
    }
    std::unique_ptr<UnitSim> sim_;
};

TEST_F(SerialPosix, SelectsReadsAndWritesItems) {
    auto dev = open({"--model", "J6P-KW4"});
    ASSERT_NE(dev, nullptr);
    // Each CR must reach the unit as CR and come back as CR: the line is raw both ways.
    EXPECT_EQ(transact(*dev, "G00\r"), "COK\r");
    EXPECT_EQ(transact(*dev, "I02\r"), "0TYPE:J6P-KW4\r");
    EXPECT_EQ(transact(*dev, "I01\r"), "0MNTSW:1\r");
    EXPECT_EQ(transact(*dev, "DF\r"), "0MNTSW:F\r");
    // Commands written together are answered in order.
    ASSERT_TRUE(dev->write("G01\rI20\rD-123\rG1\rI20\r"));
    std::string replies;
    const std::int64_t deadline = nowMs() + 2000;
    while (std::count(replies.begin(), replies.end(), '\r') < 5 &&
           waitReadable(dev->pollFd(), deadline)) {
        ASSERT_TRUE(dev->read(replies));
    }
    EXPECT_EQ(replies, "COK\r0ZS:0\r0ZS:-123\rCOK\r0ZS:-123\r");
    EXPECT_EQ(dev->available(), 0u);
}

TEST_F(SerialPosix, WaitsOutASilentUnitAndDiscardsInput) {
    auto dev = open({"--fault", "delay-next=300", "--fault", "silent-from=4"});
    ASSERT_NE(dev, nullptr);
    EXPECT_EQ(transact(*dev, "G00\r", 100), "");  // timed out: the reply is late
    EXPECT_EQ(readReply(*dev, 2000), "COK\r");

    ASSERT_TRUE(dev->write("I01\r"));
    ASSERT_TRUE(waitReadable(dev->pollFd(), nowMs() + 2000));
    EXPECT_GT(dev->available(), 0u);
    dev->discardInput();
    EXPECT_EQ(dev->available(), 0u);
    std::string none;
    EXPECT_TRUE(dev->read(none));
    EXPECT_EQ(none, "");

    EXPECT_EQ(transact(*dev, "I02\r"), "0TYPE:J6P-KW4\r");
    EXPECT_EQ(transact(*dev, "I03\r", 150), "");  // silent from the fourth command on
}

TEST_F(SerialPosix, HoldsTheLineExclusively) {
    auto dev = open({});
    ASSERT_NE(dev, nullptr);
    std::string error;
    EXPECT_EQ(openPosixSerial(sim_->path(), "9600,n,8,1", error), nullptr);
    EXPECT_NE(error.find("in use"), std::string::npos) << error;
    dev.reset();
    auto again = openPosixSerial(sim_->path(), "9600,n,8,1", error);
    ASSERT_NE(again, nullptr) << error;
    EXPECT_EQ(transact(*again, "G00\r"), "COK\r");
}

TEST_F(SerialPosix, AVanishedLineFails) {
    auto dev = open({"--fault", "vanish-at=2"});
    ASSERT_NE(dev, nullptr);
    EXPECT_EQ(transact(*dev, "G00\r"), "COK\r");
    ASSERT_TRUE(dev->write("I01\r"));
    // The hang-up wakes poll; the line then counts readable and its read fails.
    ASSERT_TRUE(waitReadable(dev->pollFd(), nowMs() + 2000));
    EXPECT_GE(dev->available(), 1u);
    std::string s;
    EXPECT_FALSE(dev->read(s));
    EXPECT_FALSE(dev->write("G00\r"));
}

TEST_F(SerialPosix, SetsUpTheLineAsAsked) {
    auto sim = std::make_unique<UnitSim>(std::vector<std::string>{});
    ASSERT_FALSE(sim->path().empty());
    std::string error;
    auto dev = openPosixSerial(sim->path(), "19200,o,8,2", error);
    ASSERT_NE(dev, nullptr) << error;
    termios t{};
    ASSERT_EQ(::tcgetattr(dev->pollFd(), &t), 0);
    // A pseudo-terminal keeps everything but the character size and the parity enable.
    EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B19200));
    EXPECT_EQ(t.c_cflag & (PARODD | CSTOPB | CLOCAL | CREAD | CRTSCTS | HUPCL),
              static_cast<tcflag_t>(PARODD | CSTOPB | CLOCAL | CREAD));
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL | INLCR | IGNCR | INPCK),
              static_cast<tcflag_t>(INPCK));
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
    dev.reset();

    // A line that cannot do what was asked (here seven data bits) is not taken.
    EXPECT_EQ(openPosixSerial(sim->path(), "9600,e,7,1", error), nullptr);
    EXPECT_NE(error.find("does not accept"), std::string::npos) << error;
    EXPECT_FALSE(markedExclusive(sim->path()));

    const char* bad[] = {"",           "9600,n,8",   "9600,n,8,1,1", "1234,n,8,1",   "9600,x,8,1",
                         "9600,m,8,1", "9600,n,9,1", "9600,n,8,3",   "9600,n,8,1.5", "abc,n,8,1"};
    for (const char* s : bad) {
        error.clear();
        EXPECT_EQ(openPosixSerial(sim->path(), s, error), nullptr) << s;
        EXPECT_NE(error, "") << s;
    }
    EXPECT_NE(openPosixSerial(sim->path(), " 9600 , N , 8 , 1 ", error), nullptr) << error;
}

TEST(SerialPosixPaths, RefusesWhatIsNoSerialLine) {
    std::string error;
    EXPECT_EQ(openPosixSerial("/dev/null", "9600,n,8,1", error), nullptr);
    EXPECT_NE(error.find("not a serial port"), std::string::npos) << error;
    error.clear();
    EXPECT_EQ(openPosixSerial("/nonexistent/tty", "9600,n,8,1", error), nullptr);
    EXPECT_NE(error, "");
}

TEST(SerialPosixPaths, NamesTheDeviceOfAPort) {
    ::setenv("DUNAX_COM3", "/tmp/my-line", 1);
    EXPECT_EQ(serialDevicePath(3), "/tmp/my-line");
    ::setenv("DUNAX_COM3", "", 1);
    const std::string p = serialDevicePath(3);
    EXPECT_TRUE(p == "/dev/ttyUSB2" || p == "/dev/ttyS2") << p;
    EXPECT_EQ(p == "/dev/ttyUSB2", ::access("/dev/ttyUSB2", F_OK) == 0);
    ::unsetenv("DUNAX_COM3");
    EXPECT_EQ(serialDevicePath(0), "");

    // The default opener goes through that name.
    ::setenv("DUNAX_COM1", "/dev/null", 1);
    setSerialOpener(nullptr);
    CommControl port;
    port.setPortOpen(true);
    EXPECT_FALSE(port.portOpen());
    EXPECT_NE(port.lastError().find("/dev/null"), std::string::npos) << port.lastError();
    ::unsetenv("DUNAX_COM1");
}

// A port that cannot be opened names itself, its device and a reason the user can act on.
class PortOpenFailure : public ::testing::Test {
  protected:
    void TearDown() override {
        ::unsetenv("DUNAX_COM2");
        setSerialOpener(nullptr);
    }
    // What COM2 on the device path says when it does not open.
    static std::string failureOf(const std::string& path) {
        ::setenv("DUNAX_COM2", path.c_str(), 1);
        setSerialOpener(nullptr);
        CommControl port;
        port.commPort = 2;
        port.setPortOpen(true);
        return port.portOpen() ? "opened" : port.lastError();
    }
};

TEST_F(PortOpenFailure, NoSuchDevice) {
    for (const char* path : {"/nonexistent/tty", "/dev/ttyDUNAX-absent"}) {
        EXPECT_EQ(failureOf(path), "COM2 (" + std::string(path) +
                                       "): no such device: DUNAX_COM2 names a path that does "
                                       "not exist");
    }
}

TEST_F(PortOpenFailure, InUseByAnotherProgram) {
    int master = -1, slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    std::string error;
    auto holder = openPosixSerial(name, "9600,n,8,1", error);
    ASSERT_NE(holder, nullptr) << error;
    EXPECT_EQ(failureOf(name), "COM2 (" + std::string(name) + "): in use by another program");
    holder.reset();
    EXPECT_EQ(failureOf(name), "opened");
    // Another program's exclusive mark alone keeps even root out, and stays as it was.
    ASSERT_EQ(::ioctl(slave, TIOCEXCL), 0);
    EXPECT_EQ(failureOf(name), "COM2 (" + std::string(name) + "): in use by another program");
    int held = 0;
    EXPECT_EQ(::ioctl(slave, TIOCGEXCL, &held), 0);
    EXPECT_NE(held, 0);
    ::close(slave);
    ::close(master);
}

TEST_F(PortOpenFailure, UserMayNotOpenIt) {
    // A device its user may not use. Tests run as root in CI, and root opens anything: the
    // open is tried by a child that has become the unprivileged user "nobody".
    char dir[] = "/tmp/dunax-perm-XXXXXX";
    ASSERT_NE(::mkdtemp(dir), nullptr);
    ::chmod(dir, 0755);
    const std::string path = std::string(dir) + "/ttyLocked";
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
    const bool root = ::geteuid() == 0;
    const group* tty = ::getgrnam("tty");
    ASSERT_NE(tty, nullptr);
    // Only root gives the device a group of its choosing.
    const std::tuple<mode_t, gid_t, const char*> rows[] = {
        {0, ::getegid(), "ask the administrator for access to it"},  // not even its group
        {0660, 0, "ask the administrator for access to it"},         // root's group
        {0660, tty->gr_gid, "join the tty group and log in again"}};
    for (const auto& [mode, group, advice] : rows) {
        if (!root && group != ::getegid()) continue;
        ASSERT_EQ(::chown(path.c_str(), ::geteuid(), group), 0);
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        EXPECT_EQ(testing::RunAsNobody([&] { return failureOf(path); }),
                  "COM2 (" + path + "): your user may not open it: " + advice);
    }
    ::unlink(path.c_str());
    ::rmdir(dir);
}

}  // namespace
}  // namespace dunax::platform
