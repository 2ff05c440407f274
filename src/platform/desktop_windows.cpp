// The Windows side of desktop.cpp: the shell's "open" verb, Simple MAPI for the mail
// client's compose window, and HTML Help for our pages. MAPI and HTML Help are loaded when
// used, so a machine without a mail client or help viewer still loads the library.
#if defined(_WIN32)
#include <windows.h>
// windows.h first: the shell and MAPI headers build on its types.
#include <mapi.h>
#include <shellapi.h>

#include <cstdlib>
#include <string_view>

#include "platform/desktop.h"
#include "platform/utf8_path.h"

namespace vemora::platform {
namespace {

std::wstring Wide(const std::string& text) { return PathFromUtf8(text).wstring(); }

// Simple MAPI's wide forms, which the mingw headers lack (layout as Windows declares it).
struct MapiFileDescWide {
  ULONG ulReserved;
  ULONG flFlags;
  ULONG nPosition;
  PWSTR lpszPathName;
  PWSTR lpszFileName;
  PVOID lpFileType;
};
struct MapiMessageWide {
  ULONG ulReserved;
  PWSTR lpszSubject;
  PWSTR lpszNoteText;
  PWSTR lpszMessageType;
  PWSTR lpszDateReceived;
  PWSTR lpszConversationID;
  FLAGS flFlags;
  void* lpOriginator;
  ULONG nRecipCount;
  void* lpRecips;
  ULONG nFileCount;
  MapiFileDescWide* lpFiles;
};
using SendMailWide = ULONG(WINAPI*)(LHANDLE, ULONG_PTR, MapiMessageWide*, FLAGS, ULONG);

template <typename Function>
Function Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace

std::filesystem::path FindOnPath(const std::string& name) {
  const wchar_t* variable = ::_wgetenv(L"PATH");
  std::wstring_view folders = variable != nullptr ? variable : L"";
  // A name without an extension is tried with each of PATHEXT's, as the command prompt does.
  std::vector<std::wstring> extensions = {L""};
  if (std::filesystem::path(Wide(name)).extension().empty()) {
    const wchar_t* pathext = ::_wgetenv(L"PATHEXT");
    std::wstring_view list = pathext != nullptr ? pathext : L".COM;.EXE;.BAT;.CMD";
    while (!list.empty()) {
      const auto semicolon = list.find(L';');
      if (semicolon != 0) extensions.emplace_back(list.substr(0, semicolon));
      if (semicolon == std::wstring_view::npos) break;
      list.remove_prefix(semicolon + 1);
    }
  }
  while (!folders.empty()) {
    const auto semicolon = folders.find(L';');
    const std::filesystem::path folder(folders.substr(0, semicolon));
    for (const auto& extension : extensions) {
      std::filesystem::path candidate = folder / Wide(name);
      candidate += extension;
      std::error_code error;
      if (!folder.empty() && std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    if (semicolon == std::wstring_view::npos) break;
    folders.remove_prefix(semicolon + 1);
  }
  return {};
}

void OpenWithDesktop(const std::string& target) {
  const auto result = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(nullptr, L"open", Wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  // Values up to 32 are errors.
  if (result <= 32) {
    throw DesktopError("\"" + target + "\" kann nicht geöffnet werden: Windows meldet Fehler " +
                       std::to_string(result) + ".");
  }
}

void ComposeMail(const std::string& subject, const std::vector<std::string>& attachments) {
  const HMODULE mapi = ::LoadLibraryW(L"MAPI32.DLL");
  const auto send = mapi != nullptr ? Entry<SendMailWide>(mapi, "MAPISendMailW") : nullptr;
  if (send == nullptr) {
    if (mapi != nullptr) ::FreeLibrary(mapi);
    throw DesktopError(
        "Die Nachricht kann nicht an das E-Mail-Programm übergeben werden: Es ist kein "
        "MAPI-fähiges E-Mail-Programm eingerichtet.");
  }
  std::wstring wideSubject = Wide(subject);
  std::vector<std::wstring> paths;
  for (const auto& attachment : attachments) paths.push_back(Wide(attachment));
  std::vector<MapiFileDescWide> files(paths.size());
  for (std::size_t i = 0; i < paths.size(); ++i) {
    files[i].nPosition = static_cast<ULONG>(-1);
    files[i].lpszPathName = paths[i].data();
  }
  MapiMessageWide message{};
  message.lpszSubject = wideSubject.data();
  message.nFileCount = static_cast<ULONG>(files.size());
  message.lpFiles = files.empty() ? nullptr : files.data();
  // The client's own compose window; it returns once the user has sent or dropped it.
  const ULONG result = send(0, 0, &message, MAPI_DIALOG | MAPI_LOGON_UI, 0);
  ::FreeLibrary(mapi);
  if (result != SUCCESS_SUCCESS && result != MAPI_USER_ABORT) {
    throw DesktopError(
        "Die Nachricht kann nicht an das E-Mail-Programm übergeben werden: MAPI meldet Fehler " +
        std::to_string(result) + ".");
  }
}

std::filesystem::path ModuleFolder() {
  // The address of this very function names the module that holds it: vemora.dll, or the
  // program it was linked into.
  HMODULE module = nullptr;
  if (::GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&ModuleFolder)), &module)) {
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
      const DWORD length =
          ::GetModuleFileNameW(module, name.data(), static_cast<DWORD>(name.size()));
      if (length == 0) break;
      if (length < name.size())
        return std::filesystem::path(name.data(), name.data() + length).parent_path();
      name.resize(name.size() * 2);
    }
  }
  return {};
}

std::filesystem::path HelpFolder() {
  const std::filesystem::path module = ModuleFolder();
  return module.empty() ? std::filesystem::path("help") : module / "help";
}

void OpenHelpTopic(int topic, const std::filesystem::path& folder) {
  const std::filesystem::path page = folder / HelpPageForTopic(topic);
  std::error_code error;
  if (!std::filesystem::is_regular_file(page, error)) {
    throw DesktopError("Die Hilfe kann nicht angezeigt werden: Die Hilfedatei \"" +
                       Utf8FromPath(page) + "\" wurde nicht gefunden.");
  }
  // HTML Help shows a page in its own viewer; without it, the browser takes the page.
  using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  if (const HMODULE viewer = ::LoadLibraryW(L"hhctrl.ocx"); viewer != nullptr) {
    if (const auto show = Entry<HtmlHelpFunction>(viewer, "HtmlHelpW");
        show != nullptr && show(::GetDesktopWindow(), page.c_str(), 0 /* HH_DISPLAY_TOPIC */, 0))
      return;  // the viewer keeps the module loaded while it is shown
    ::FreeLibrary(viewer);
  }
  OpenWithDesktop(Utf8FromPath(page));
}

}  // namespace vemora::platform
#endif
