// The one entry a host calls: ShowVemora opens the image catalogue as a modal window over
// the host's window and returns when the user closes it.
//
// Texts are zero-terminated UTF-16. In single-selection mode the result is the key
// (BildCtr2) of the image taken over last, or 0 when nothing was taken over; in
// multi-selection mode it is -1 and the chosen keys are in bdselect.txt in the settings
// folder, one decimal key per line. The host keeps ownership of the gateway. The call is
// not reentrant and must be made on the host's GUI thread.
#pragma once

#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define VEMORA_CALL __stdcall
#else
#define VEMORA_CALL
#endif

#if defined(_WIN32)
#define VEMORA_EXPORT __declspec(dllexport)
#else
#define VEMORA_EXPORT __attribute__((visibility("default")))
#endif

namespace vemora {
class TDBGateway;
}

// The host's window handle (HWND on Windows, a QWidget* or a native window id elsewhere;
// null for none).
using VemoraWindowHandle = void*;

extern "C" VEMORA_EXPORT int32_t VEMORA_CALL ShowVemora(VemoraWindowHandle appHandle,
                                                        vemora::TDBGateway* gateway, int32_t hostId,
                                                        const char16_t* settingsFolder,
                                                        const char16_t* imageFolder,
                                                        int32_t preselectKey, bool multiSelect,
                                                        const char16_t* caption);
