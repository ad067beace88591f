// The picture: a grid of 60 by 20 one-byte characters, the operations that
// write into it, and its presentation as text in the host.
#pragma once

#include <cstdint>
#include <string>

constexpr int32_t grid_width = 60;
constexpr int32_t grid_height = 20;
constexpr int32_t grid_cells = grid_width * grid_height;

// Row after row: cell (column c, row r) is screen[r * 60 + c]. Zero bytes
// until the first full redraw.
extern char screen[grid_cells];

// Every operation takes the column before the row and addresses cells by
// their flat index row * 60 + column, so a run past column 59 goes on at the
// start of the next row. Cells whose index falls outside the grid are
// skipped; a length of 0 or less writes nothing.
void grid_hline(char c, int32_t column, int32_t row, int32_t length);
void grid_vline(char c, int32_t column, int32_t row, int32_t length);
void grid_rect(char c, int32_t column, int32_t row, int32_t width, int32_t height);
// Writes the string's characters, not its terminating zero.
void grid_print(const char* text, int32_t column, int32_t row);

// One cell, skipped when outside the grid.
void grid_put(char c, int32_t column, int32_t row);

// The frame text of the grid: 20 lines of 60 characters, each ended by
// CR LF, then a zero byte (1241 bytes).
std::string frame_text();

// Hands the frame text to the host; a refusal sets `quit`.
void display_flip();
