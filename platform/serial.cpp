// The serial port control and the choice of the device behind it.
#include <grp.h>
#include <sys/stat.h>

#include <cstdlib>
#include <utility>

#include "platform/serial.h"

namespace dunax::platform {

namespace {

SerialOpener& currentOpener() {
    static SerialOpener opener = defaultSerialOpener();
    return opener;
}

std::string portName(int port) {
    return "COM" + std::to_string(port);
}

// What the user may do about a device they may not open: join its group when that group may
// use it. Root's own group is no group to join: only the administrator can help there.
std::string accessAdvice(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || st.st_gid == 0 ||
        (st.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP)) {
        return "ask the administrator for access to it";
    }
    const group* gr = ::getgrgid(st.st_gid);
    const std::string name = gr ? gr->gr_name : std::to_string(st.st_gid);
    return "join the " + name + " group and log in again";
}

}  // namespace

std::string openFailureText(OpenFailure why, int port, const std::string& path) {
    const std::string variable = "DUNAX_" + portName(port);
    struct stat st {};
    switch (why) {
        case OpenFailure::NotFound:
            if (const char* set = std::getenv(variable.c_str());
                set && path == set && ::stat(path.c_str(), &st) != 0) {
                return "no such device: " + variable + " names a path that does not exist";
            }
            return "no such device: check the adapter, or set " + variable;
        case OpenFailure::NoPermission:
            return "your user may not open it: " + accessAdvice(path);
        case OpenFailure::InUse:
            return "in use by another program";
        case OpenFailure::None:
        case OpenFailure::Other:
            break;
    }
    return {};
}

void setSerialOpener(SerialOpener opener) {
    currentOpener() = opener ? std::move(opener) : defaultSerialOpener();
}

SerialOpener defaultSerialOpener() {
    return [](int port, const std::string& settings, std::string& error) {
        const std::string path = serialDevicePath(port);
        std::string reason;
        OpenFailure why = OpenFailure::None;
        auto dev = openPosixSerial(path, settings, reason, &why);
        if (!dev) {
            const std::string words = openFailureText(why, port, path);
            error = portName(port) + " (" + path + "): " + (words.empty() ? reason : words);
        }
        return dev;
    };
}

std::string CommControl::describe(const std::string& what) const {
    const std::string device = device_ ? " (" + device_->name() + ")" : "";
    return portName(commPort) + device + ": " + what;
}

// A line that failed (an adapter pulled) is treated as closed.
void CommControl::closeFailedLine() {
    lastError_ = describe("the line was lost");
    lineLost_ = true;
    device_.reset();
}

void CommControl::setPortOpen(bool open) {
    lineLost_ = false;
    if (!open) {
        device_.reset();
        return;
    }
    if (device_) return;
    const std::string name = portName(commPort);
    if (commPort < 1 || commPort > 8) {
        lastError_ = name + ": not a port of this program (COM1 to COM8)";
        return;
    }
    std::string error;
    std::unique_ptr<SerialDevice> dev = currentOpener()(commPort, settings, error);
    if (!dev) {
        lastError_ = error.empty() ? name + ": cannot be opened" : error;
        return;
    }
    lastError_.clear();
    device_ = std::move(dev);
}

void CommControl::output(std::string_view data) {
    if (!device_) return;
    if (!device_->write(data)) closeFailedLine();
}

std::string CommControl::input() {
    std::string in;
    if (!device_) return in;
    if (!device_->read(in)) {
        closeFailedLine();
        in.clear();
    }
    return in;
}

std::size_t CommControl::inBufferCount() {
    return device_ ? device_->available() : 0;
}

void CommControl::discardInput() {
    if (device_) device_->discardInput();
}

}  // namespace dunax::platform
