// Start-up: the notice, then wait for Notepad, take its edit control, hook
// the keyboard, start the tick timer and play until the game ends.
#include "host/windows/host.h"

#include "game/loop.h"
#include "game/state.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    MessageBoxA(NULL, "Close this window, open Notepad, and enjoy!", "padstorm",
                MB_OK | MB_ICONWARNING);

    // No time limit: the player may take as long as they like to open Notepad.
    while (hwnd == NULL) {
        hwnd = FindWindowA("Notepad", NULL);
        Sleep(100);
    }
    edit = FindWindowExA(hwnd, NULL, "Edit", NULL);

    hHook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHook, hInstance, 0);
    sHook = SetWindowsHookExA(WH_SYSMSGFILTER, MessageHook, hInstance, 0);
    SetTimer(NULL, 0, 50, NULL);

    init();
    main_loop();

    // The hooks and the timer go with the process; the last frame stays.
    return 0;
}
