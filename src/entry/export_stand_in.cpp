// The entry without its window, for builds without Qt: the same declaration and export
// rules as the library, so how ShowVemora is exported can be checked there. A host calling
// it gets the answer of a window closed without a choice.

#include "vemora/vemora.h"

extern "C" VEMORA_EXPORT int32_t VEMORA_CALL ShowVemora(VemoraWindowHandle, vemora::TDBGateway*,
                                                        int32_t, const char16_t*, const char16_t*,
                                                        int32_t, bool multiSelect,
                                                        const char16_t*) {
  return multiSelect ? -1 : 0;
}
