// The Windows side of process.cpp: CreateProcessW with a command line quoted for the C
// runtime's argument parser. Windows has no zombies, so dropping a running child only
// closes our handle.
#if defined(_WIN32)
#include <windows.h>

#include <cerrno>

#include "platform/process.h"
#include "platform/utf8_path.h"

namespace vemora::platform {
namespace {

std::wstring Wide(const std::string& text) { return PathFromUtf8(text).wstring(); }

// One argument as the C runtime reads it back: quotes around anything with blanks or
// quotes, quotes escaped, and backslashes doubled only where a quote follows them.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
    return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(backslashes * 2, L'\\');
  quoted.push_back(L'"');
  return quoted;
}

int ErrnoFromWindows(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
      return EACCES;
    case ERROR_BAD_EXE_FORMAT:
      return ENOEXEC;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    default:
      return EINVAL;
  }
}

// Starts the program; 0 and `started` filled, or the errno of the failure.
int Launch(const std::filesystem::path& program, const std::vector<std::string>& arguments,
           const std::filesystem::path& workingFolder, DWORD flags, PROCESS_INFORMATION& started) {
  std::wstring commandLine = Quoted(program.wstring());
  for (const auto& argument : arguments) commandLine += L" " + Quoted(Wide(argument));
  const std::wstring folder = workingFolder.wstring();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        flags | CREATE_UNICODE_ENVIRONMENT, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
    return ErrnoFromWindows(::GetLastError());
  }
  ::CloseHandle(started.hThread);
  return 0;
}

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::filesystem::path& program,
                                                  const std::vector<std::string>& arguments,
                                                  const std::filesystem::path& workingFolder,
                                                  int& error) {
  PROCESS_INFORMATION started{};
  error = Launch(program, arguments, workingFolder, 0, started);
  if (error != 0) return nullptr;
  return std::unique_ptr<ChildProcess>(
      new ChildProcess(static_cast<pid_t>(started.dwProcessId), started.hProcess));
}

ChildProcess::~ChildProcess() { ::CloseHandle(handle_); }

bool ChildProcess::WaitFor(std::chrono::milliseconds timeout) {
  if (!ended_) {
    const auto milliseconds = static_cast<DWORD>(std::max<long long>(timeout.count(), 0));
    ended_ = ::WaitForSingleObject(handle_, milliseconds) == WAIT_OBJECT_0;
  }
  return ended_;
}

int StartDetached(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                  const std::filesystem::path& workingFolder) {
  PROCESS_INFORMATION started{};
  const int error = Launch(program, arguments, workingFolder,
                           DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, started);
  if (error == 0) ::CloseHandle(started.hProcess);
  return error;
}

}  // namespace vemora::platform
#endif
