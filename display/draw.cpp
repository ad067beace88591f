#include "display/draw.h"

#include <cstdio>

#include "display/grid.h"
#include "game/state.h"

namespace {

constexpr int32_t bar_limit = 11;
constexpr int32_t panel_column = 20;

// A playfield cell (x, y) is drawn at screen column x + 2, row y + 2.
constexpr int32_t to_screen(int32_t v) { return v + 2; }

void draw_bar_line(const char* label, int32_t value, int32_t row) {
    char line[32];
    std::snprintf(line, sizeof line, "%s%s", label, int_to_graph(value).c_str());
    grid_print("                        ", panel_column, row);
    grid_print(line, panel_column, row);
}

}  // namespace

std::string int_to_graph(int32_t value) {
    std::string bar;
    const int32_t tens = value / 10;
    const int32_t rest = value - tens * 10;
    for (int32_t i = 0; i < tens && i < bar_limit; ++i) bar += '0';
    if (rest > 5) {
        bar += 'o';
    } else if (rest > 0) {
        bar += '.';
    }
    if (bar.size() > bar_limit) bar.resize(bar_limit);
    return bar;
}

void draw() {
    grid_rect(' ', 0, 0, grid_width, grid_height);
    grid_hline('#', 1, 1, 17);
    grid_hline('#', 1, 17, 17);
    grid_vline('#', 1, 1, 17);
    grid_vline('#', 17, 1, 17);
    grid_print(controls_line, 1, 19);

    char line[32];
    if (wave == 9) {
        std::snprintf(line, sizeof line, "WAVE: --");
    } else {
        std::snprintf(line, sizeof line, "WAVE: %d", static_cast<int>(wave));
    }
    grid_print(line, panel_column, 2);
    std::snprintf(line, sizeof line, "SCORE: %d", static_cast<int>(score));
    grid_print(line, panel_column, 4);
    draw_bar_line("HEALTH: ", health, 6);
    draw_bar_line("ENERGY: ", energy, 8);

    grid_print("^", to_screen(p_x), to_screen(13));
    if (b_active != 0) grid_print("|", to_screen(b_x), to_screen(b_y));
    if (enemies) {
        for (const enemy& e : *enemies) {
            if (e.hp > 0) grid_put(e.glyph, to_screen(e.x), to_screen(e.y));
        }
    }
    for (size_t i = first_live_shot(); i < b_list.size(); ++i) {
        const bullet& b = b_list[i];
        if (b.active) grid_put(b.glyph, to_screen(b.x), to_screen(b.y));
    }
}
