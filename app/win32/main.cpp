#include <windows.h>

#include "app/win32/main_window.h"
#include "common/win32/system_library.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    tarvin::RestrictDllSearchToSystemFolder();
    tarvin::MainWindow window(instance);
    if (!window.Create()) return 1;
    window.LoadAndShow(showCommand);
    return window.RunMessageLoop();
}
