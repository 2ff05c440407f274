#include "platform/process.h"

#if !defined(_WIN32)  // the Windows side is process_windows.cpp
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#endif

namespace vemora::platform {
#if !defined(_WIN32)
namespace {

// Everything the child touches is prepared before fork: only async-signal-safe calls may
// follow it in a threaded process.
struct PreparedExec {
  PreparedExec(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& workingFolder)
      : path(program.string()), folder(workingFolder.string()), texts(arguments) {
    argv.push_back(path.data());
    for (auto& text : texts) argv.push_back(text.data());
    argv.push_back(nullptr);
  }
  // In the child: never returns; a failed exec reports its errno through `report`.
  [[noreturn]] void Exec(int report) {
    // The program inherits none of our files (the catalogue, sockets of the window): all
    // close at exec, the report pipe included, which stays usable until then.
    ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) ReportAndExit(report, errno);
    ::execv(path.c_str(), argv.data());
    ReportAndExit(report, errno);
  }
  [[noreturn]] static void ReportAndExit(int report, int error) {
    [[maybe_unused]] const auto ignored = ::write(report, &error, sizeof error);
    ::_exit(127);
  }

  std::string path;
  std::string folder;
  std::vector<std::string> texts;
  std::vector<char*> argv;
};

// Reads the errno a child wrote before its exec failed; 0 when the exec closed the pipe.
int ReadStartError(int pipeEnd) {
  int error = 0;
  ssize_t count;
  do {
    count = ::read(pipeEnd, &error, sizeof error);
  } while (count < 0 && errno == EINTR);
  ::close(pipeEnd);
  return count == static_cast<ssize_t>(sizeof error) ? error : 0;
}

void WaitBlocking(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::filesystem::path& program,
                                                  const std::vector<std::string>& arguments,
                                                  const std::filesystem::path& workingFolder,
                                                  int& error) {
  PreparedExec exec(program, arguments, workingFolder);
  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
    error = errno;
    return nullptr;
  }
  const pid_t child = ::fork();
  if (child < 0) {
    error = errno;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    return nullptr;
  }
  if (child == 0) {
    ::close(pipeEnds[0]);
    exec.Exec(pipeEnds[1]);
  }
  ::close(pipeEnds[1]);
  error = ReadStartError(pipeEnds[0]);
  if (error != 0) {
    WaitBlocking(child);
    return nullptr;
  }
  return std::unique_ptr<ChildProcess>(new ChildProcess(child));
}

ChildProcess::~ChildProcess() {
  if (ended_) return;
  // The program keeps running; someone must still collect its exit status.
  std::thread([pid = pid_] { WaitBlocking(pid); }).detach();
}

bool ChildProcess::WaitFor(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!ended_) {
    int status = 0;
    const pid_t result = ::waitpid(pid_, &status, WNOHANG);
    if (result == pid_ || (result < 0 && errno != EINTR)) {
      ended_ = true;
      break;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) break;
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
        std::chrono::milliseconds(5), deadline - now));
  }
  return ended_;
}

int StartDetached(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                  const std::filesystem::path& workingFolder) {
  PreparedExec exec(program, arguments, workingFolder);
  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return errno;
  const pid_t child = ::fork();
  if (child < 0) {
    const int error = errno;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    return error;
  }
  if (child == 0) {
    // The grandchild belongs to init once this child has gone, so nobody waits for it.
    ::close(pipeEnds[0]);
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild == 0) exec.Exec(pipeEnds[1]);
    if (grandchild < 0) PreparedExec::ReportAndExit(pipeEnds[1], errno);
    ::_exit(0);
  }
  ::close(pipeEnds[1]);
  WaitBlocking(child);
  return ReadStartError(pipeEnds[0]);
}
#endif

std::vector<std::string> SplitLikeShell(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\n') {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '\\') {
      if (i + 1 < text.size()) word += text[++i];
    } else if (c == '\'') {
      const size_t end = text.find('\'', i + 1);
      word += text.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
      i = end == std::string::npos ? text.size() : end;
    } else if (c == '"') {
      for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\' && i + 1 < text.size() &&
            std::string_view("\"\\$`").find(text[i + 1]) != std::string_view::npos) {
          ++i;
        }
        word += text[i];
      }
    } else {
      word += c;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

}  // namespace vemora::platform
