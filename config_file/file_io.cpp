#include "config_file/file_io.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>
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

[[noreturn]] void failWrite(const std::string& what, const std::string& path, int err,
                            WriteOutcome outcome) {
    throw WriteError(what + " " + path + ": " + std::strerror(err) + ".", outcome);
}

// Errors that say the folder may not be changed by this user, where writing the file itself
// may still be allowed.
bool folderRefused(int err) {
    return err == EACCES || err == EPERM;
}

long long fileSystemFreeSpace(int fd) {
    struct statvfs fsInfo {};
    if (::fstatvfs(fd, &fsInfo) != 0) return -1;
    const auto bytes = static_cast<unsigned long long>(fsInfo.f_bavail) * fsInfo.f_frsize;
    return static_cast<long long>(std::min<unsigned long long>(bytes, LLONG_MAX));
}

FreeSpaceQuery& freeSpaceQuery() {
    static FreeSpaceQuery query = fileSystemFreeSpace;
    return query;
}

// 0 when size bytes may be written to the open file from its start, else why not: the
// file-size limit of this process, and room on the file system for all of them. The room is
// reserved where the file system can; where it cannot, the free space must hold what the file
// grows by beyond the blocks it already has, so that a file that shrinks or keeps its size
// needs none.
int roomFor(int fd, off_t size) {
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        static_cast<rlim_t>(size) > limit.rlim_cur) {
        return EFBIG;
    }
    // fallocate rather than posix_fallocate: where the file system cannot reserve, the
    // latter falls back to reading the file, which a file opened write-only does not allow.
    if (size == 0 || ::fallocate(fd, 0, 0, size) == 0) return 0;
    const int err = errno;
    if (err != EOPNOTSUPP && err != ENOSYS) return err;
    struct stat st {};
    if (::fstat(fd, &st) != 0) return errno;
    const auto has = static_cast<unsigned long long>(st.st_blocks) * 512;  // 512-byte blocks
    const auto needs = static_cast<unsigned long long>(size);
    if (needs <= has) return 0;
    const long long freeBytes = freeSpaceQuery()(fd);
    if (freeBytes < 0) return errno;
    return static_cast<unsigned long long>(freeBytes) >= needs - has ? 0 : ENOSPC;
}

// Writes content over the open file in place. Nothing is overwritten before it is sure that
// all of it can be written: a full disk or a size limit leaves the old content whole.
void writeInPlace(Fd& file, const std::string& path, const std::string& content, off_t oldSize) {
    const auto size = static_cast<off_t>(content.size());
    if (const int err = roomFor(file.get(), size); err != 0) {
        // Anything the reservation added at the end goes again; a file of its old length is
        // not touched, so that its times stay as they were too.
        struct stat now {};
        if (::fstat(file.get(), &now) != 0 ||
            (now.st_size != oldSize && ::ftruncate(file.get(), oldSize) != 0)) {
            failWrite("Cannot write", path, err, WriteOutcome::PartlyWritten);
        }
        failWrite("Cannot write", path, err, WriteOutcome::NotWritten);
    }
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::pwrite(file.get(), content.data() + done, content.size() - done,
                                   static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            failWrite("Cannot write", path, errno, WriteOutcome::PartlyWritten);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::ftruncate(file.get(), size) != 0 || ::fsync(file.get()) != 0 || file.close() != 0) {
        failWrite("Cannot write", path, errno, WriteOutcome::PartlyWritten);
    }
}

// As many links as the kernel follows in one path before it gives up.
constexpr int kMaxLinks = 40;

// The name of what path finally points to: links are followed one by one, a relative one from
// its own folder, up to a name that is no link (and may not exist yet). A chain of links that
// does not end is a failure.
fs::path followLinks(const std::string& path) {
    fs::path name(path);
    for (int links = 0;; ++links) {
        struct stat st {};
        if (::lstat(name.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return name;
        if (links == kMaxLinks) failWrite("Cannot write", path, ELOOP, WriteOutcome::NotWritten);
        std::vector<char> buf(PATH_MAX);
        const ssize_t n = ::readlink(name.c_str(), buf.data(), buf.size());
        if (n < 0) failWrite("Cannot write", path, errno, WriteOutcome::NotWritten);
        if (static_cast<std::size_t>(n) == buf.size()) {
            failWrite("Cannot write", path, ENAMETOOLONG, WriteOutcome::NotWritten);
        }
        const fs::path to(std::string(buf.data(), static_cast<std::size_t>(n)));
        // Not made lexically normal: ".." after a linked folder is the kernel's to resolve.
        name = to.is_absolute() ? to : name.parent_path() / to;
    }
}

// Writes content to a temporary file in folder and renames it over target. old describes the
// file being replaced (nullptr when there is none); its mode, owner and group go to the new
// file. Returns false, having changed nothing, when an existing file must be written in place
// instead: the folder may not be changed, or the owner or group could not be kept.
bool replaceFile(const fs::path& target, const fs::path& folder, const std::string& path,
                 const std::string& content, const struct stat* old) {
    std::string tmpl = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    Fd fd(::mkstemp(name.data()));
    if (fd.get() < 0) {
        if (old && folderRefused(errno)) return false;
        failWrite("Cannot write", path, errno, WriteOutcome::NotWritten);
    }
    const std::string tmp(name.data());

    auto failAndRemove = [&](const char* what, int err) {
        ::unlink(tmp.c_str());
        failWrite(what, path, err, WriteOutcome::NotWritten);
    };

    if (old) {
        // Changing the owner clears the set-user and set-group bits: the mode comes after.
        if (::fchown(fd.get(), old->st_uid, old->st_gid) != 0) {
            const int err = errno;
            ::unlink(tmp.c_str());
            if (err == EPERM) return false;
            failWrite("Cannot write", path, err, WriteOutcome::NotWritten);
        }
    }
    const mode_t mode = old ? (old->st_mode & 07777) : (0666 & ~currentUmask());
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
    if (::rename(tmp.c_str(), target.c_str()) != 0) {
        // A folder with the sticky bit lets only the owner of a file replace it.
        const int err = errno;
        if (old && folderRefused(err)) {
            ::unlink(tmp.c_str());
            return false;
        }
        failAndRemove("Cannot replace", err);
    }

    // The rename itself reaches the disk with the folder.
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
    return true;
}

}  // namespace

void SetFreeSpaceQuery(FreeSpaceQuery query) {
    freeSpaceQuery() = query ? std::move(query) : fileSystemFreeSpace;
}

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
    if (path.empty()) throw WriteError("No file name was given.", WriteOutcome::NotWritten);
    const fs::path target = followLinks(path);
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";

    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) {
        replaceFile(target, folder, path, content, nullptr);
        return;
    }
    if (S_ISDIR(old.st_mode)) throw WriteError(path + " is a folder.", WriteOutcome::NotWritten);
    if (!S_ISREG(old.st_mode)) {
        throw WriteError(path + " is not a file.", WriteOutcome::NotWritten);
    }
    // Whether the user may write this file is what opening it for writing answers; it is not
    // emptied here.
    Fd file(::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        const int err = errno;
        const bool refused = err == EACCES || err == EPERM || err == EROFS;
        failWrite("Cannot write", path, err,
                  refused ? WriteOutcome::Refused : WriteOutcome::NotWritten);
    }
    if (replaceFile(target, folder, path, content, &old)) return;
    writeInPlace(file, path, content, old.st_size);
}

}  // namespace dunax::config_file
