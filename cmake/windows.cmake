# Windows build: TARVIN.exe, one self-contained 32-bit GUI program, as it
# ships; and the benchmark's baseline program.

enable_language(RC)

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
add_executable(TARVIN WIN32 app/win32/main.cpp app/win32/load_configuration.cpp resources/tarvin.rc)
set_source_files_properties(resources/tarvin.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/tarvin.ico;${CMAKE_SOURCE_DIR}/resources/tarvin.manifest;${CMAKE_SOURCE_DIR}/resources/resource_ids.h")
target_link_libraries(TARVIN PRIVATE tarvin_win32)
target_compile_options(TARVIN PRIVATE ${TARVIN_LEAN_COMPILE_OPTIONS})
# Stripped, and without the link time in the header: the same sources give
# the same bytes (scripts/release.sh).
target_link_options(TARVIN PRIVATE -municode -s -Wl,--gc-sections -Wl,--no-insert-timestamp)
# The load configuration (app/win32/load_configuration.cpp), which nothing
# refers to, is kept; the link map says where it went, and the data directory
# is pointed there.
set(tarvin_map ${CMAKE_CURRENT_BINARY_DIR}/TARVIN.map)
target_link_options(TARVIN PRIVATE -Wl,--require-defined=__load_config_used -Wl,-Map=${tarvin_map})
set(fill_load_configuration ${CMAKE_SOURCE_DIR}/cmake/fill-load-configuration.sh)
add_custom_command(TARGET TARVIN POST_BUILD COMMAND ${fill_load_configuration} $<TARGET_FILE:TARVIN> ${tarvin_map})
# An edit to the script links the program again, and so fills it again.
set_property(TARGET TARVIN APPEND PROPERTY LINK_DEPENDS ${fill_load_configuration})

# The least that TARVIN's work needs with the raw API, for the benchmark
# (bench/run.sh): a 32-bit program like TARVIN.exe.
add_executable(tarvin_baseline WIN32 bench/baseline_main.cpp)
target_include_directories(tarvin_baseline PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(tarvin_baseline PRIVATE -municode)
