# Native build: the portable layer's unit tests, plus the cross builds nested
# in tarvin/ and win32/, so that one ctest run covers everything.

# Every index into the standard containers is checked: item data that another
# program set, used out of bounds, fails a test rather than reading past the end.
target_compile_definitions(tarvin_core PUBLIC _GLIBCXX_ASSERTIONS)
add_executable(native_tests tests/native/cleanup_form_test.cpp tests/native/command_runner_test.cpp
                            tests/native/is_administrator_test.cpp)
target_link_libraries(native_tests PRIVATE tarvin_core GTest::gmock_main)
gtest_discover_tests(native_tests)
# The package install's decisions when the mirror is out of step, on stand-ins for apt.
add_test(NAME install_debian_packages
         COMMAND ${CMAKE_SOURCE_DIR}/tests/scripts/install_debian_packages_test.sh ${CMAKE_SOURCE_DIR})

option(TARVIN_WIN32 "Cross-build TARVIN.exe and its Windows tests" ON)
if(TARVIN_WIN32)
  include(ExternalProject)
  # Its own make, not a sub-make: the job slots of the outer make do not reach it.
  set(own_make ${CMAKE_COMMAND} -E env --unset=MAKEFLAGS --unset=MAKELEVEL)

  # TARVIN.exe as it ships, built by the release build itself; and the
  # benchmark's baseline beside it.
  set(tarvin_dir ${CMAKE_BINARY_DIR}/tarvin)
  ExternalProject_Add(tarvin
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${tarvin_dir}
    CONFIGURE_COMMAND ""
    BUILD_COMMAND ${own_make} ${CMAKE_SOURCE_DIR}/scripts/release-build.sh <BINARY_DIR>
          COMMAND ${own_make} ${CMAKE_COMMAND} --build <BINARY_DIR> --target tarvin_baseline
    INSTALL_COMMAND ""
    BUILD_ALWAYS TRUE)

  # The Windows tests of that TARVIN.exe, 32-bit programs where this machine
  # runs them, 64-bit where it does not (scripts/run-in-wine.sh --arch).
  execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/run-in-wine.sh --arch
                  OUTPUT_VARIABLE wine_arch OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(wine_arch STREQUAL "win64")
    message(STATUS "This machine runs no 32-bit programs: the Windows tests are 64-bit programs")
    set(tests_toolchain ${CMAKE_SOURCE_DIR}/cmake/mingw-x86_64.cmake)
  else()
    set(tests_toolchain ${CMAKE_SOURCE_DIR}/cmake/mingw-i686.cmake)
  endif()
  set(win32_dir ${CMAKE_BINARY_DIR}/win32)
  ExternalProject_Add(win32
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${win32_dir}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${tests_toolchain}
      -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
      -DTARVIN_EXE=${tarvin_dir}/bin/TARVIN.exe
    INSTALL_COMMAND ""
    BUILD_ALWAYS TRUE
    USES_TERMINAL_BUILD TRUE
    DEPENDS tarvin)
  # The Windows tests are all declared in that build's top directory.
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${win32_dir}/CTestTestfile.cmake)

  # The release build gives the same bytes from two copies of the tree, and
  # those of the TARVIN.exe that the Windows tests run, beside them. No Wine:
  # it runs beside the Wine tests.
  add_test(NAME release_reproducible
           COMMAND ${CMAKE_SOURCE_DIR}/tests/release/reproducible_build.sh ${CMAKE_SOURCE_DIR}
                   ${win32_dir}/bin/TARVIN.exe)
  set_tests_properties(release_reproducible PROPERTIES TIMEOUT 300)
  # That TARVIN.exe, signed as a release is, verifies and gives back its bytes.
  add_test(NAME release_signed
           COMMAND ${CMAKE_SOURCE_DIR}/tests/release/signed_release.sh ${CMAKE_SOURCE_DIR}
                   ${win32_dir}/bin/TARVIN.exe)
  # That TARVIN.exe loads nothing from its own folder before its first statement.
  add_test(NAME release_dll_search
           COMMAND ${CMAKE_SOURCE_DIR}/tests/release/dll_search.sh ${win32_dir}/bin/TARVIN.exe)
  # That TARVIN.exe imports only what Windows 7 has.
  add_test(NAME release_windows7_imports
           COMMAND ${CMAKE_SOURCE_DIR}/tests/release/windows7_imports.sh ${win32_dir}/bin/TARVIN.exe
                   ${CMAKE_SOURCE_DIR}/tests/release/windows7_imports.txt)
endif()
