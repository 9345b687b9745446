# GoogleTest built from source with the test programs that use it (GTest::gtest_main), so that it
# is compiled by the same compiler, runtime and flags as they are:
#
#   - Debian's googletest package (/usr/src/googletest), as in the mingw cross build;
#   - otherwise release 1.12.1, the same version, downloaded at configure time (a native Windows
#     build, where no GoogleTest is installed).
#
# Included by each test folder that needs it; the targets are made once. GoogleTest marks its own
# headers as system headers (/external:I with MSVC), so that warnings inside its templates, such
# as EXPECT_EQ's signed/unsigned comparison, are not reported against the tests.
include_guard(GLOBAL)

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# Keep GoogleTest on the runtime the programs use (CMAKE_MSVC_RUNTIME_LIBRARY, /MT).
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)

if(EXISTS /usr/src/googletest/CMakeLists.txt)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  include(FetchContent)
  if(POLICY CMP0135)
    cmake_policy(SET CMP0135 NEW)  # extracted files get the time of extraction
  endif()
  FetchContent_Declare(googletest
    URL https://github.com/google/googletest/archive/refs/tags/release-1.12.1.tar.gz
    URL_HASH SHA256=81964fe578e9bd7c94dfdb09c8e4d6e6759e19967e397dbea48d1c10e45d0df2)
  FetchContent_MakeAvailable(googletest)
  if(MSVC)
    # GoogleTest's own build turns warnings into errors; a newer compiler than it was written
    # for must not stop ours.
    target_compile_options(gtest PRIVATE /WX-)
    target_compile_options(gtest_main PRIVATE /WX-)
  endif()
endif()

