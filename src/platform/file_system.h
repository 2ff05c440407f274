// The file system as the catalogue's commands see it: whole files in and out, sizes and
// existence. Commands reach it through their session, so a test can put a fake in front of
// the real one (a full disk, a file that vanishes); the real one keeps no state and may be
// used from any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vemora::platform {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Throws std::runtime_error with a German message naming the file.
  virtual std::string ReadWholeFile(const std::string& path) const = 0;
  // Creates or overwrites the file; throws std::runtime_error naming the file.
  virtual void WriteWholeFile(const std::string& path, const std::string& bytes) const = 0;
  // The size of a regular file; none for anything else or a missing one.
  virtual std::optional<std::uintmax_t> FileSize(const std::string& path) const = 0;
  virtual bool Exists(const std::string& path) const = 0;
  virtual bool IsFolder(const std::string& path) const = 0;
};

// The machine's own file system.
const FileSystem& LocalFileSystem();

}  // namespace vemora::platform
