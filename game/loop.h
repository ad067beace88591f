// The main loop and the tick: the order in which one step of the game runs.
#pragma once

#include <cstdint>

// Virtual-key codes that act on the game; every other code is dropped.
enum : int32_t {
    key_left = 0x25,
    key_up = 0x26,
    key_right = 0x27,
    key_down = 0x28,
    key_q = 0x51,
};

// Runs one tick for every message the host delivers, until `quit` is set.
void main_loop();

// One tick: key drain, wave check, enemy phase, shot phase, laser phase,
// redraw, special phase, present.
void tick();

// Applies and removes every queued key code, oldest first.
void key_drain();
