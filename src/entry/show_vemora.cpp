// The exported entry: one call is one life of the main window.

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QWindow>
#include <exception>
#include <memory>
#include <string>

#include "host/call_state.h"
#include "platform/desktop.h"
#include "ui/main_window.h"
#include "vemora/vemora.h"

namespace {

std::string ToUtf8(const char16_t* text) {
  return text == nullptr ? std::string() : QString::fromUtf16(text).toStdString();
}

// A host without a Qt application of its own gets one for the call; it stays for later
// calls, as Qt allows only one per process.
void EnsureApplication() {
  if (QApplication::instance() != nullptr) return;
#if defined(_WIN32)
  // Qt looks for its plugins (the platform plugin first) beside the host's program; ours
  // are shipped beside this library.
  QCoreApplication::addLibraryPath(
      QString::fromStdWString(vemora::platform::HelpFolder().parent_path().wstring()));
#endif
  static int argc = 1;
  static char name[] = "vemora";
  static char* argv[] = {name, nullptr};
  static QApplication* application = new QApplication(argc, argv);
  (void)application;
}

int32_t RunCall(VemoraWindowHandle appHandle, vemora::TDBGateway* gateway, int32_t hostId,
                const char16_t* settingsFolder, const char16_t* imageFolder, int32_t preselectKey,
                bool multiSelect, const char16_t* caption) {
  EnsureApplication();
  // The host's window owns ours for the call. On Windows the host passes its HWND, which
  // becomes a foreign window our form is transient for; elsewhere a host passes its QWidget
  // (or nothing).
#if defined(_WIN32)
  QPointer<QWidget> owner;
  std::unique_ptr<QWindow> hostWindow(
      appHandle != nullptr ? QWindow::fromWinId(reinterpret_cast<WId>(appHandle)) : nullptr);
#else
  QPointer<QWidget> owner = static_cast<QWidget*>(appHandle);
#endif

  const std::string settings = vemora::NormalizeSettingsFolder(ToUtf8(settingsFolder));

  std::string failure;
  vemora::CallOptions options;
  options.settingsFolder = settings;
  options.imageFolder = ToUtf8(imageFolder);
  options.tempFolder = vemora::PrepareTempFolder(settings, failure);
  if (!failure.empty()) QMessageBox::warning(owner, QString(), QString::fromStdString(failure));
  options.gateway = gateway;
  options.hostId = hostId;
  options.multiSelect = multiSelect;
  options.preselectKey = preselectKey;
  options.prompt = ToUtf8(caption);
  options.openedByHost = true;
  vemora::ui::TForm1 form(owner, options);

  QEventLoop loop;
  QObject::connect(&form, &vemora::ui::TForm1::closed, &loop, &QEventLoop::quit);
  form.setWindowModality(Qt::ApplicationModal);
#if defined(_WIN32)
  if (hostWindow) {
    form.winId();  // creates the native window, so it can be given its owner
    form.windowHandle()->setTransientParent(hostWindow.get());
  }
#endif
  form.show();
  loop.exec();
  const int32_t result = form.Result();
  if (owner) owner->activateWindow();
#if defined(_WIN32)
  if (hostWindow) hostWindow->requestActivate();
#endif
  return result;
}

}  // namespace

extern "C" VEMORA_EXPORT int32_t VEMORA_CALL ShowVemora(VemoraWindowHandle appHandle,
                                                        vemora::TDBGateway* gateway, int32_t hostId,
                                                        const char16_t* settingsFolder,
                                                        const char16_t* imageFolder,
                                                        int32_t preselectKey, bool multiSelect,
                                                        const char16_t* caption) {
  // Nothing may cross the C boundary: an error that escapes the window ends the call.
  try {
    return RunCall(appHandle, gateway, hostId, settingsFolder, imageFolder, preselectKey,
                   multiSelect, caption);
  } catch (const std::exception& error) {
    try {
      QMessageBox::critical(nullptr, QString(), QString::fromStdString(error.what()));
    } catch (...) {
    }
  } catch (...) {
  }
  return multiSelect ? -1 : 0;
}
