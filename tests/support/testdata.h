// Where the shared test images live, for tests that read real files.
//
// The images sit beside the repository in ../shared/testdata. A checkout without them still
// passes: a test that needs them calls VEMORA_REQUIRE_TESTDATA() and is skipped with a
// message that says what is missing.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace vemora::testing {

inline std::filesystem::path TestDataDir() {
  if (const char* overridden = std::getenv("VEMORA_TESTDATA")) return overridden;
  return std::filesystem::path(VEMORA_SOURCE_DIR) / ".." / "shared" / "testdata";
}

inline bool HasTestData() { return std::filesystem::is_directory(TestDataDir()); }

}  // namespace vemora::testing

#define VEMORA_REQUIRE_TESTDATA()                                                     \
  do {                                                                                \
    if (!::vemora::testing::HasTestData())                                            \
      GTEST_SKIP() << "test images not found at " << ::vemora::testing::TestDataDir() \
                   << " (set VEMORA_TESTDATA to their folder)";                       \
  } while (0)
