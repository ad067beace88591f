// What the game asks of the program it runs in. To put the game in a new
// host, implement these two functions and append the virtual-key code of
// every key press to `events` (game/state.h) between ticks, then call
// `init` and `main_loop`.
#pragma once

// Replace the host's whole text with the zero-terminated frame text.
// Returns whether the host took it; a refusal ends the game.
bool window_write(const char* text);

// Block until the next message for the game's thread (the tick timer in
// play). Returns false only when the host has no more ticks to give and the
// loop must stop; a real desktop host always returns true.
bool wait_for_tick();
