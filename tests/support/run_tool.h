// Running a command line from a test through the shell: its exit status and what it wrote to
// standard output (add "2>&1" to the command for standard error too). Shared by the tests
// that drive our own tool, exiftool and poppler's PDF tools.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

namespace vemora::testing {

struct ToolRun {
  int status = -1;  // the exit status; -1 when the command did not start or was killed
  std::string output;
};

inline ToolRun RunTool(const std::string& command) {
  ToolRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer{};
  while (const size_t read = std::fread(buffer.data(), 1, buffer.size(), pipe))
    run.output.append(buffer.data(), read);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

inline std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

}  // namespace vemora::testing
