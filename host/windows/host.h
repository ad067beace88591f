// The Windows side of the game: the handles that start-up finds and keeps,
// and the two hook procedures the system calls.
#pragma once

#include <windows.h>

extern HWND hwnd;   // the Notepad window we play in
extern HWND edit;   // its edit control: the screen
extern MSG m;       // the message taken by each wait of the main loop
extern HHOOK hHook; // the desktop-wide keyboard hook
extern HHOOK sHook; // the message-filter hook

// Queues the virtual-key code of every key-down on the desktop and passes
// the key on, so whichever window has the focus still gets it.
LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam);

// Prints "MSG!" for every call and passes the call on.
LRESULT CALLBACK MessageHook(int code, WPARAM wParam, LPARAM lParam);
