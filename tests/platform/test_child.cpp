// A stand-in program for the process tests on Windows, where the POSIX suites' shell scripts
// cannot run. It appends its working folder and then each argument as "[argument]" (UTF-8)
// to the file its first argument names. With "--until FLAG" after that, it then waits until
// the file FLAG exists and appends "ended".
#include <windows.h>
// windows.h first: shellapi.h builds on its types.
#include <shellapi.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
  const auto u8 = std::filesystem::path(text).u8string();
  return std::string(u8.begin(), u8.end());
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (arguments == nullptr || count < 2) return 2;
  const std::filesystem::path record(arguments[1]);
  const bool waits = count >= 4 && std::wstring(arguments[2]) == L"--until";
  {
    std::ofstream out(record, std::ios::binary | std::ios::app);
    out << Utf8(std::filesystem::current_path().wstring()) << "\n";
    for (int i = waits ? 4 : 2; i < count; ++i) out << "[" << Utf8(arguments[i]) << "]\n";
  }
  if (waits) {
    const std::filesystem::path flag(arguments[3]);
    // Bounded, so a test that fails half-way leaves no program behind for long.
    for (int i = 0; i < 12000 && !std::filesystem::exists(flag); ++i) ::Sleep(5);
    std::ofstream(record, std::ios::binary | std::ios::app) << "ended\n";
  }
  return 0;
}
