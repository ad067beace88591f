// The two services the game asks of its host: showing a frame in Notepad's
// edit control and waiting for the next tick of the 50 ms timer.
#include "host/windows/host.h"

#include "game/port.h"

HWND hwnd = NULL;
HWND edit = NULL;
MSG m;

// A synchronous send: returns once Notepad has taken the text. A zero result
// means the edit control is gone (Notepad was closed), which ends the game.
bool window_write(const char* text) {
    return SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

// Whatever message arrives, the timer's or any other, one tick follows; the
// message itself is neither looked at nor dispatched. While the thread waits
// here the system runs KeyboardHook for every key on the desktop.
bool wait_for_tick() {
    GetMessageA(&m, NULL, 0, 0);
    return true;
}
