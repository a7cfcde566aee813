#include <windows.h>

#include "app/win32/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    tarvin::MainWindow window(instance);
    if (!window.Create()) return 1;
    window.LoadAndShow(showCommand);
    return window.RunMessageLoop();
}
