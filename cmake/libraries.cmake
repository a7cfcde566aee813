# TARVIN's code, as two libraries: the behaviour, portable C++ without
# <windows.h>; and in a Windows build the platform layer, the portable
# interfaces on the Win32 API. TARVIN.exe links both; so do the native tests
# the first, and the Windows tests that call TARVIN's Win32 code in their own
# process both.
add_library(tarvin_core STATIC
  access/desktop_user.cpp
  access/is_administrator.cpp
  app/cleanup_form.cpp
  products/move_items.cpp
  products/product_name_table.cpp
  registry/enum_sub_keys.cpp)
target_include_directories(tarvin_core PUBLIC ${CMAKE_SOURCE_DIR})

if(WIN32)
  add_library(tarvin_win32 STATIC
    access/win32/sids.cpp
    access/win32/win32_account_directory.cpp
    access/win32/win32_desk_shell.cpp
    app/win32/dpi.cpp
    app/win32/main_window.cpp
    app/win32/tooltips.cpp
    common/win32/system_library.cpp
    products/win32/win32_list_box.cpp
    registry/win32/win32_registry.cpp)
  target_link_libraries(tarvin_win32 PUBLIC tarvin_core comctl32 ntdll)
endif()
