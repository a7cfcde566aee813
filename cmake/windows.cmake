# Windows build: TARVIN.exe, one self-contained 32-bit GUI program, and the
# tests that ctest runs under Wine.

enable_language(RC)

add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN
                        WINVER=0x0601 _WIN32_WINNT=0x0601)
# No DLL beyond those Windows ships: the C++ runtime, libgcc and winpthread go in.
add_link_options(-static)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# The platform layer: the portable interfaces on the Win32 API.
add_library(tarvin_win32 STATIC
  access/win32/win32_account_directory.cpp
  app/win32/dpi.cpp
  app/win32/layout.cpp
  app/win32/main_window.cpp
  app/win32/tooltips.cpp
  products/win32/win32_product_list.cpp
  common/win32/system_message_text.cpp
  registry/win32/win32_registry.cpp)
target_link_libraries(tarvin_win32 PUBLIC tarvin_core comctl32 ntdll)

# TARVIN.exe's own code is small and uses neither exceptions nor RTTI: without
# them, and with every unused function and datum dropped at the link, the
# program stays a fraction of its size. The source path is mapped to ".", so
# that where the tree was built leaves no trace in the binary.
set(TARVIN_LEAN_COMPILE_OPTIONS -Os -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections
    -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.)
foreach(target tarvin_core tarvin_win32)
  target_compile_options(${target} PRIVATE ${TARVIN_LEAN_COMPILE_OPTIONS})
endforeach()

# Icon, version information and manifest: resources/tarvin.rc.
add_executable(TARVIN WIN32 app/win32/main.cpp resources/tarvin.rc)
set_source_files_properties(resources/tarvin.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/tarvin.ico;${CMAKE_SOURCE_DIR}/resources/tarvin.manifest;${CMAKE_SOURCE_DIR}/resources/resource_ids.h")
target_link_libraries(TARVIN PRIVATE tarvin_win32)
target_compile_options(TARVIN PRIVATE ${TARVIN_LEAN_COMPILE_OPTIONS})
# Stripped, and without the link time in the header: the same sources give
# the same bytes (scripts/release.sh).
target_link_options(TARVIN PRIVATE -municode -s -Wl,--gc-sections -Wl,--no-insert-timestamp)

# Every Windows test runs in a throwaway Wine prefix inside this build tree,
# made on first use, with the Japanese locale of the target PCs.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_SOURCE_DIR}/tests/run-in-wine.sh ${CMAKE_BINARY_DIR}/wineprefix)

function(add_wine_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tarvin_win32 GTest::gmock_main)
  # The tests share the prefix's registry and desktop: one at a time. The
  # rows for 64-bit Windows run in a prefix of their own (native.cmake).
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 TEST_FILTER -Wow64/*
                       PROPERTIES RESOURCE_LOCK wineprefix TIMEOUT 120)
endfunction()

# Drives the real TARVIN.exe from outside: starts it, clicks, reads its lists
# and message boxes, and seeds the registry it reads. The benchmark uses it too.
add_library(tarvin_driver STATIC
  tests/driver/tarvin_process.cpp
  tests/driver/test_registry.cpp)
target_link_libraries(tarvin_driver PUBLIC tarvin_win32)

function(add_end_to_end_test name)
  add_wine_test(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tarvin_driver)
  add_dependencies(${name} TARVIN)
endfunction()

add_end_to_end_test(e2e_tests tests/win32/e2e_test.cpp)
add_end_to_end_test(window_tests tests/win32/window_test.cpp)
target_link_libraries(window_tests PRIVATE version)

# Pictures of the window at 96 and 144 DPI, to look at: screenshots/ in this
# build tree. They change the prefix's DPI while they run, and take the prefix
# to themselves like every Wine test.
foreach(dpi 96 144)
  add_test(NAME window_screenshot_${dpi}dpi
           COMMAND ${CMAKE_SOURCE_DIR}/tests/win32/window_screenshot.sh ${CMAKE_BINARY_DIR}/wineprefix
                   $<TARGET_FILE:TARVIN> ${dpi} ${CMAKE_BINARY_DIR}/screenshots/tarvin-${dpi}dpi.png)
  set_tests_properties(window_screenshot_${dpi}dpi PROPERTIES RESOURCE_LOCK wineprefix TIMEOUT 120)
endforeach()

add_subdirectory(bench)
