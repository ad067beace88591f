// The game's own random numbers. They repeat the draws of the Windows C
// runtime's never-seeded `rand`, so a game with the same keys on the same
// ticks plays out the same on every platform.
#pragma once

#include <cstdint>

// Next number, 0 to 32767.
int32_t game_rand();

// Generator state; 1 at process start.
extern uint32_t rand_state;
