// The eight waves, and the step of every tick that brings the next one in.
#pragma once

#include <cstdint>
#include <memory>

#include "game/state.h"

// A new list of wave n's enemies in table order; empty for n outside 1..8.
std::unique_ptr<enemy_list> get_wave(int32_t n);

// True when the list is absent or none of its enemies has hp above 0.
bool enemy_list_dead(const enemy_list* list);

// Loads the next wave once the current one is cleared; after the eighth,
// shows the win frame and sets `quit`.
void wave_check();
