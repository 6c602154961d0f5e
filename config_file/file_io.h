// Reading and writing whole configuration files safely.
#pragma once

#include <cstddef>
#include <string>

namespace dunax::config_file {

// A configuration file is a few kilobytes; anything much larger is not one.
inline constexpr std::size_t kMaxConfigFileBytes = 1 << 20;

// The bytes of the regular file at path. Throws ConfigError when it cannot be read, is not a
// regular file (a folder, a device or a pipe is never opened in a way that could block) or
// is larger than kMaxConfigFileBytes.
std::string ReadConfigBytes(const std::string& path);

// Replaces the file at path with content: the content goes to a temporary file in the same
// folder, which is flushed to disk and then renamed over path. On any failure the temporary
// file is removed, the file at path is left as it was, and ConfigError tells what failed.
// A link at path is followed: the file it points to is replaced. A file that existed keeps
// its permissions.
void WriteConfigBytes(const std::string& path, const std::string& content);

}  // namespace dunax::config_file
