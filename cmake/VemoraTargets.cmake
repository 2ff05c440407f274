# Warning and sanitizer settings shared by every target of the project.

add_library(vemora_build_flags INTERFACE)
target_compile_options(vemora_build_flags INTERFACE -Wall -Wextra -Wpedantic)
if(VEMORA_WERROR)
  target_compile_options(vemora_build_flags INTERFACE -Werror)
endif()
if(VEMORA_SANITIZE)
  target_compile_options(vemora_build_flags INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(vemora_build_flags INTERFACE -fsanitize=address,undefined)
endif()

# vemora_library(NAME SOURCES... [DEPS ...]): a static library of one area, linked into
# libvemora, the tools and the tests. Its public include root is src/.
function(vemora_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/include)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE vemora_build_flags)
endfunction()

# vemora_test(NAME SOURCES... DEPS ...): one GoogleTest executable registered with CTest.
# Tests run from the repository root's build folder; VEMORA_SOURCE_DIR lets them find
# ../shared/testdata relative to the repository.
function(vemora_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main vemora_build_flags)
  target_compile_definitions(${name} PRIVATE VEMORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(CMAKE_CROSSCOMPILING)
    # Listing the cases would run the program at build time (under wine, or not at all for
    # 32-bit Windows): one test per program instead, self-contained so wine needs no DLL path.
    target_link_options(${name} PRIVATE -static)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
    return()
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "${ARG_LABELS}")
endfunction()

# Fuzz builds instrument all code for coverage; the fuzz targets add the libFuzzer driver.
# The usual fuzzing macro shrinks the codec's pixel budget (codec/budget.h), so an input
# that claims a large picture costs milliseconds instead of a second.
if(VEMORA_BUILD_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_compile_definitions(FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION)
endif()
