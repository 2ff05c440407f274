// Waiting in tests for something another process or thread brings about: poll the condition
// until it holds. The 20-second bound only ends a broken test; no test relies on it.
#pragma once

#include <chrono>
#include <thread>

namespace vemora::testing {

template <typename Condition>
bool WaitUntil(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace vemora::testing
