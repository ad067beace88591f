// Composition of a whole frame: the box, the status panel, the controls
// line, and everything on the playfield.
#pragma once

#include <cstdint>
#include <string>

// Clears the grid and composes the frame of the current game state.
void draw();

// The bar of a health or energy value: a `0` for every full ten, then `o`
// for a rest of 6 to 9 or `.` for 1 to 5. Empty below 1; never longer than
// 11 characters (the longest bar the panel has room for), so values above
// 110 are cut to their first 11 characters.
std::string int_to_graph(int32_t value);

constexpr const char* controls_line =
    "CONTROLS: Left/Right=Move  Up=Shoot  Down=Special  Q=Quit";
