# The Windows tests of TARVIN_EXE, a TARVIN.exe built as it ships: programs
# that start it and drive it from outside, as a user and other programs would,
# and the benchmark's. ctest runs them under Wine in a 64-bit prefix, where
# the 32-bit TARVIN.exe runs under WoW64 as on its users' PCs; the scenarios
# for 32-bit Windows also run in a 32-bit prefix. The test programs are 32-bit
# where this machine runs 32-bit programs, so that they run in both prefixes;
# 64-bit where it runs none.

# TARVIN.exe, and the benchmark's baseline built with it, beside the test
# programs, which start them from there.
get_filename_component(tarvin_dir ${TARVIN_EXE} DIRECTORY)
set(beside_tests ${CMAKE_BINARY_DIR}/bin/TARVIN.exe ${CMAKE_BINARY_DIR}/bin/tarvin_baseline.exe)
add_custom_command(OUTPUT ${beside_tests}
                   COMMAND ${CMAKE_COMMAND} -E copy ${TARVIN_EXE} ${tarvin_dir}/tarvin_baseline.exe
                           ${CMAKE_BINARY_DIR}/bin/
                   DEPENDS ${TARVIN_EXE} ${tarvin_dir}/tarvin_baseline.exe)
add_custom_target(tarvin_beside_tests ALL DEPENDS ${beside_tests})

# Starts TARVIN.exe, clicks, reads its lists and message boxes, and seeds the
# registry it reads. The benchmark uses it too.
add_library(tarvin_driver STATIC
  tests/driver/tarvin_process.cpp
  tests/driver/test_registry.cpp)
target_include_directories(tarvin_driver PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tarvin_driver PUBLIC ntdll)
add_dependencies(tarvin_driver tarvin_beside_tests)

# Every test runs in a throwaway Wine prefix inside this build tree, made on
# first use, with the Japanese locale of the users' PCs.
set(wine_run ${CMAKE_SOURCE_DIR}/scripts/run-in-wine.sh)
set(CMAKE_CROSSCOMPILING_EMULATOR ${wine_run} --wow64 ${CMAKE_BINARY_DIR}/wineprefix)

# The tests share the prefixes' registry and the virtual display: one at a time.
set(wine_test_properties RESOURCE_LOCK wine SKIP_RETURN_CODE 77)
# The test of DLLs planted beside TARVIN.exe reads Wine's trace of the DLLs
# it loads, which Wine writes to the standard error of the program that
# starts it: it runs alone, with its standard error in a file beside it.
set(planting_test EndToEndTest.NoDllPlantedInTheDownloadFolderIsLoaded)
set(e2e_filter -${planting_test})
set(window_filter *)
foreach(kind e2e window)
  add_executable(${kind}_tests tests/win32/${kind}_test.cpp)
  target_link_libraries(${kind}_tests PRIVATE tarvin_driver GTest::gmock_main)
  gtest_discover_tests(${kind}_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 TEST_FILTER ${${kind}_filter}
                       PROPERTIES ${wine_test_properties} TIMEOUT 120)
endforeach()
# The scenario rows name their fields, as C++20 lets them.
set_target_properties(e2e_tests PROPERTIES CXX_STANDARD 20)
add_test(NAME ${planting_test}
         COMMAND sh -c "exec \"$@\" 2>loader-trace.txt" sh ${CMAKE_CROSSCOMPILING_EMULATOR}
                 $<TARGET_FILE:e2e_tests> --gtest_filter=${planting_test}
         WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set_tests_properties(${planting_test} PROPERTIES ${wine_test_properties} TIMEOUT 120)

# TARVIN's Win32 code called in the test program's own process, where
# failures can be staged that TARVIN.exe never meets under Wine.
add_executable(in_process_tests tests/win32/in_process_test.cpp)
target_link_libraries(in_process_tests PRIVATE tarvin_win32 tarvin_driver GTest::gmock_main)
gtest_discover_tests(in_process_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                     PROPERTIES ${wine_test_properties} TIMEOUT 120)

# The scenarios for 32-bit Windows too. Where this machine runs no 32-bit
# programs they are skipped, and the test says why.
add_test(NAME e2e_tests_on_32bit_windows
         COMMAND ${wine_run} --win32 ${CMAKE_BINARY_DIR}/wineprefix32 $<TARGET_FILE:e2e_tests>
                 --gtest_filter=ScenarioTest.*)
set_tests_properties(e2e_tests_on_32bit_windows PROPERTIES ${wine_test_properties} TIMEOUT 300)

# Pictures of the window at 96 and 144 DPI, in screenshots/ in this build
# tree, which must match docs/tarvin.png and docs/tarvin-144dpi.png.
set(reference_96 ${CMAKE_SOURCE_DIR}/docs/tarvin.png)
set(reference_144 ${CMAKE_SOURCE_DIR}/docs/tarvin-144dpi.png)
foreach(dpi 96 144)
  add_test(NAME window_screenshot_${dpi}dpi
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/window-screenshot.sh ${CMAKE_BINARY_DIR}/wineprefix
                   ${CMAKE_BINARY_DIR}/bin/TARVIN.exe ${dpi} ${CMAKE_BINARY_DIR}/screenshots/tarvin-${dpi}dpi.png
                   ${reference_${dpi}})
  set_tests_properties(window_screenshot_${dpi}dpi PROPERTIES ${wine_test_properties} TIMEOUT 120)
endforeach()

# The benchmark (bench/run.sh).
add_executable(tarvin_bench bench/bench_main.cpp bench/reg_exe_peer.cpp bench/report.cpp)
target_link_libraries(tarvin_bench PRIVATE tarvin_driver)
target_link_options(tarvin_bench PRIVATE -municode)
