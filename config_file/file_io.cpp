#include "config_file/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "config_file/record_io.h"

namespace dunax::config_file {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void failErrno(const std::string& what, const std::string& path, int err) {
    throw ConfigError(what + " " + path + ": " + std::strerror(err) + ".");
}

// Closes a descriptor when it goes out of scope.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now, reporting the result (a delayed write error shows up here).
    int close() {
        const int r = ::close(fd_);
        fd_ = -1;
        return r;
    }

  private:
    int fd_;
};

mode_t currentUmask() {
    const mode_t m = ::umask(0);
    ::umask(m);
    return m;
}

}  // namespace

std::string ReadConfigBytes(const std::string& path) {
    // O_NONBLOCK: opening a pipe without a writer must not wait; regular files ignore it.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) failErrno("Cannot open", path, errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) failErrno("Cannot open", path, errno);
    if (!S_ISREG(st.st_mode)) throw ConfigError(path + " is not a file.");
    if (static_cast<std::size_t>(st.st_size) > kMaxConfigFileBytes) {
        throw ConfigError(path + " is too large to be a configuration file.");
    }

    std::string bytes;
    std::vector<char> buf(64 * 1024);
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf.data(), buf.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            failErrno("Cannot read", path, errno);
        }
        if (n == 0) break;
        bytes.append(buf.data(), static_cast<std::size_t>(n));
        // The file may have grown since fstat.
        if (bytes.size() > kMaxConfigFileBytes) {
            throw ConfigError(path + " is too large to be a configuration file.");
        }
    }
    return bytes;
}

void WriteConfigBytes(const std::string& path, const std::string& content) {
    if (path.empty()) throw ConfigError("No file name was given.");
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status)) throw ConfigError(path + " is a folder.");
    const bool existed = fs::exists(status);
    struct stat old {};
    if (existed && ::stat(target.c_str(), &old) != 0) failErrno("Cannot write", path, errno);

    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string tmpl = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    Fd fd(::mkstemp(name.data()));
    if (fd.get() < 0) failErrno("Cannot write", path, errno);
    const std::string tmp(name.data());

    auto failAndRemove = [&](const char* what, int err) {
        ::unlink(tmp.c_str());
        failErrno(what, path, err);
    };

    const mode_t mode = existed ? (old.st_mode & 07777) : (0666 & ~currentUmask());
    if (::fchmod(fd.get(), mode) != 0) failAndRemove("Cannot write", errno);

    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd.get(), content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            failAndRemove("Cannot write", errno);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0) failAndRemove("Cannot write", errno);
    if (fd.close() != 0) failAndRemove("Cannot write", errno);
    if (::rename(tmp.c_str(), target.c_str()) != 0) failAndRemove("Cannot replace", errno);

    // The rename itself reaches the disk with the folder.
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

}  // namespace dunax::config_file
