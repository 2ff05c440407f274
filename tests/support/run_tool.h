// Running a command line from a test through the shell: its exit status and what it wrote to
// standard output (add "2>&1" to the command for standard error too). Shared by the tests
// that drive our own tool, exiftool and poppler's PDF tools.
#pragma once

#ifndef _WIN32
#include <sys/wait.h>
#endif

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
#ifdef _WIN32
  FILE* pipe = ::_popen(command.c_str(), "rb");
#else
  FILE* pipe = ::popen(command.c_str(), "r");
#endif
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer{};
  while (const size_t read = std::fread(buffer.data(), 1, buffer.size(), pipe))
    run.output.append(buffer.data(), read);
#ifdef _WIN32
  run.status = ::_pclose(pipe);
#else
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  return run;
}

inline std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

}  // namespace vemora::testing
