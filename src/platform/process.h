// Starting other programs: one we wait for (the paint program of the editor hand-off) and
// ones we only start (the external application, the desktop's mail and open handlers).
//
// Programs are started with an argument list, never through a shell, so no path needs
// quoting (on Windows the command line is quoted so that the child's C runtime gives the
// arguments back unchanged). A test replaces a program by putting a fake of the same name first on
// PATH. A ChildProcess owns the child until it has ended; dropping it while the child still runs
// leaves the program running (the user may still be working in it) and reaps it in the
// background once it ends, so no zombie is left behind.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace vemora::platform {

class ChildProcess {
 public:
  // Starts `program` with `arguments` in `workingFolder` (empty: ours). Returns nullptr when
  // the program could not be started (missing, not executable); `error` then holds errno.
  static std::unique_ptr<ChildProcess> Start(const std::filesystem::path& program,
                                             const std::vector<std::string>& arguments,
                                             const std::filesystem::path& workingFolder,
                                             int& error);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Waits at most `timeout` for the child to end; true once it has ended.
  bool WaitFor(std::chrono::milliseconds timeout);
  bool Ended() const { return ended_; }
  pid_t Id() const { return pid_; }

 private:
  explicit ChildProcess(pid_t pid, void* handle = nullptr) : pid_(pid), handle_(handle) {}
  pid_t pid_;
  void* handle_;  // Windows: the process handle we wait on
  bool ended_ = false;
};

// Starts `program` with `arguments` so that it outlives us and is never waited for; returns
// 0, or the errno of a start that failed.
int StartDetached(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                  const std::filesystem::path& workingFolder = {});

// Splits a parameter text into arguments as a POSIX shell would: blanks separate, single
// quotes keep everything literally, double quotes keep blanks (a backslash escapes " \ $ `
// inside them), a backslash outside quotes escapes the next character. No expansions.
std::vector<std::string> SplitLikeShell(const std::string& text);

}  // namespace vemora::platform
