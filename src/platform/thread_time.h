// The processor time the calling thread has used: set against the time that passed, it tells
// whether the thread kept busy or waited.
#pragma once

#include <chrono>

namespace vemora::platform {

std::chrono::nanoseconds ThisThreadCpuTime();

}  // namespace vemora::platform
