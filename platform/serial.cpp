// The serial port control and the choice of the device behind it.
#include <utility>

#include "platform/serial.h"

namespace dunax::platform {

namespace {

SerialOpener& currentOpener() {
    static SerialOpener opener = defaultSerialOpener();
    return opener;
}

// A line that failed (an adapter pulled) is treated as closed.
void closeFailedLine(std::unique_ptr<SerialDevice>& device, std::string& error, int port) {
    device.reset();
    error = "The line of COM" + std::to_string(port) + " failed";
}

}  // namespace

void setSerialOpener(SerialOpener opener) {
    currentOpener() = opener ? std::move(opener) : defaultSerialOpener();
}

SerialOpener defaultSerialOpener() {
    return [](int port, const std::string& settings, std::string& error) {
        return openPosixSerial(serialDevicePath(port), settings, error);
    };
}

void CommControl::setPortOpen(bool open) {
    if (!open) {
        device_.reset();
        return;
    }
    if (device_) return;
    const std::string name = "COM" + std::to_string(commPort);
    if (commPort < 1 || commPort > 8) {
        lastError_ = name + " is not a port of this program (COM1 to COM8)";
        return;
    }
    std::string error;
    std::unique_ptr<SerialDevice> dev = currentOpener()(commPort, settings, error);
    if (!dev) {
        lastError_ = error.empty() ? name + " cannot be opened" : error;
        return;
    }
    lastError_.clear();
    device_ = std::move(dev);
}

void CommControl::output(std::string_view data) {
    if (!device_) return;
    if (!device_->write(data)) closeFailedLine(device_, lastError_, commPort);
}

std::string CommControl::input() {
    std::string in;
    if (!device_) return in;
    if (!device_->read(in)) {
        closeFailedLine(device_, lastError_, commPort);
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
