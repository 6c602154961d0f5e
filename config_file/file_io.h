// Reading and writing whole configuration files safely.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "config_file/record_io.h"

namespace dunax::config_file {

// A configuration file is a few kilobytes; anything much larger is not one.
inline constexpr std::size_t kMaxConfigFileBytes = 1 << 20;

// The bytes of the regular file at path. Throws ConfigError when it cannot be read, is not a
// regular file (a folder, a device or a pipe is never opened in a way that could block) or
// is larger than kMaxConfigFileBytes.
std::string ReadConfigBytes(const std::string& path);

// What a failed write did to the file at its path.
enum class WriteOutcome {
    Refused,        // the user may not write the existing file: nothing was written
    NotWritten,     // nothing was written: a file that existed is as it was
    PartlyWritten,  // writing the file in place failed: it may now be incomplete
};

struct WriteError : ConfigError {
    WriteError(const std::string& what, WriteOutcome o) : ConfigError(what), outcome(o) {}
    WriteOutcome outcome;
};

// Replaces the file at path with content and throws WriteError when it cannot.
//
// An existing file is written only when the user may write it, exactly as opening it for
// writing decides (its mode, owner and group, the read-only state of its file system); a
// file the user may not write is refused untouched, whatever the folder allows. A link at
// path is followed link by link and the file it ends at is written, created when it is not
// there yet; the link itself stays. Only regular files are written.
//
// The content goes to a temporary file in the same folder, which is flushed to disk and then
// renamed over path, so that a failure leaves the old file whole; the new file gets the old
// one's mode, owner and group. Where that cannot be done (a folder the user may not change,
// or a file of another owner that the user may write) the file is written in place instead:
// the file-size limit and room for the whole content are checked first (room is reserved
// where the file system can, else its free space must hold what the file grows by), then it
// is overwritten, cut to length and flushed to disk. A write beyond the file-size limit fails
// like any other, as the program ignores SIGXFSZ from its start.
void WriteConfigBytes(const std::string& path, const std::string& content);

// The bytes free to the user on the file system of the open file fd, -1 with errno set when
// that cannot be told. Asked where room cannot be reserved.
using FreeSpaceQuery = std::function<long long(int fd)>;

// Replaces how the free space is asked, so that tests can stand in for a file system whose
// free space they choose; an empty query asks the file system.
void SetFreeSpaceQuery(FreeSpaceQuery query);

}  // namespace dunax::config_file
