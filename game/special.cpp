#include "game/special.h"

#include "display/draw.h"
#include "display/grid.h"
#include "game/state.h"

namespace {

constexpr int32_t last_charge = 7;
constexpr int32_t strike_tick = 8;
constexpr int32_t last_beam = 11;
constexpr int32_t closing_tick = 12;
constexpr int32_t beam_damage = 40;

void charge(int32_t s) {
    // Centred on the ship's column, on the row above it.
    grid_print(s % 2 == 1 ? "  |  " : "  -  ", p_x, 14);
}

void beam() {
    special_x = p_x + 2;
    for (int32_t c = special_x - 2; c <= special_x + 2; ++c) {
        grid_vline('!', c, 2, 13);
    }
}

void strike() {
    if (!enemies) return;
    for (enemy& e : *enemies) {
        if (e.hp > 0 && e.x >= p_x - 2 && e.x <= p_x + 2) e.hp -= beam_damage;
    }
}

}  // namespace

void special_phase() {
    const int32_t s = special;
    if (s <= 0) return;
    if (s <= last_charge) charge(s);
    if (s >= strike_tick && s <= last_beam) beam();
    if (s == strike_tick) strike();
    if (s == closing_tick) {
        special = 0;
        if (!quit) draw();
    } else {
        special += 1;
    }
}
