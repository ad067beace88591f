// Keyboard capture: the game has no window, so it listens to the keyboard of
// the whole desktop and never takes a key away from anyone.
#include "host/windows/host.h"

#include <cstdio>

#include "game/state.h"

HHOOK hHook = NULL;
HHOOK sHook = NULL;

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN)) {
        const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        events.push_back(static_cast<int32_t>(key->vkCode));
    }
    return CallNextHookEx(hHook, code, wParam, lParam);
}

LRESULT CALLBACK MessageHook(int code, WPARAM wParam, LPARAM lParam) {
    printf("MSG!\n");
    return CallNextHookEx(sHook, code, wParam, lParam);
}
