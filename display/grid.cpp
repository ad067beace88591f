#include "display/grid.h"

#include <algorithm>
#include <cstring>

#include "game/port.h"
#include "game/state.h"

char screen[grid_cells] = {};

namespace {

// Flat index of a cell, wide enough for any pair of 32-bit coordinates.
int64_t flat(int64_t column, int64_t row) { return row * grid_width + column; }

// Cells start, start+1, ... start+count-1, those inside the grid only.
void fill_run(char c, int64_t start, int64_t count) {
    const int64_t from = std::max<int64_t>(start, 0);
    const int64_t to = std::min<int64_t>(start + count, grid_cells);
    for (int64_t i = from; i < to; ++i) screen[i] = c;
}

int64_t floor_div(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

void grid_hline(char c, int32_t column, int32_t row, int32_t length) {
    if (length <= 0) return;
    fill_run(c, flat(column, row), length);
}

void grid_vline(char c, int32_t column, int32_t row, int32_t length) {
    // Only the steps i whose index (row + i) * 60 + column lies in the grid.
    const int64_t first = std::max<int64_t>(0, -floor_div(column, grid_width) - row - 1);
    for (int64_t i = first; i < length; ++i) {
        const int64_t index = flat(column, row + i);
        if (index >= grid_cells) break;
        if (index >= 0) screen[index] = c;
    }
}

void grid_rect(char c, int32_t column, int32_t row, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return;
    if (width >= grid_width) {
        // Neighbouring rows' runs meet, so the block is one unbroken run.
        const int64_t start = flat(column, row);
        fill_run(c, start, (int64_t{height} - 1) * grid_width + width);
        return;
    }
    const int64_t first = std::max<int64_t>(0, -floor_div(column, grid_width) - row - 2);
    for (int64_t j = first; j < height; ++j) {
        const int64_t start = flat(column, row + j);
        if (start >= grid_cells) break;
        fill_run(c, start, width);
    }
}

void grid_print(const char* text, int32_t column, int32_t row) {
    const int64_t start = flat(column, row);
    const int64_t length = static_cast<int64_t>(std::strlen(text));
    const int64_t from = std::max<int64_t>(0, -start);
    const int64_t to = std::min<int64_t>(length, grid_cells - start);
    for (int64_t i = from; i < to; ++i) screen[start + i] = text[i];
}

void grid_put(char c, int32_t column, int32_t row) {
    const int64_t index = flat(column, row);
    if (index >= 0 && index < grid_cells) screen[index] = c;
}

std::string frame_text() {
    std::string text;
    text.reserve(grid_height * (grid_width + 2) + 1);
    for (int32_t r = 0; r < grid_height; ++r) {
        text.append(screen + r * grid_width, grid_width);
        text += "\r\n";
    }
    text += '\0';
    return text;
}

void display_flip() {
    const std::string text = frame_text();
    if (!window_write(text.c_str())) quit = true;
}
