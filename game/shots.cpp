#include "game/shots.h"

#include "display/draw.h"
#include "display/grid.h"
#include "game/state.h"

namespace {

constexpr int32_t ship_row = 13;
constexpr int32_t last_row = 14;

void fall(bullet& b) {
    switch (b.glyph) {
    case ':':
        b.y += 2;
        break;
    case 'V':
        // A V hangs in its cell for five frames before it falls.
        if (b.age > 4) {
            b.y += 1;
        } else {
            b.age += 1;
        }
        break;
    default:  // `*` and 0xBA
        b.y += 1;
        break;
    }
}

int32_t damage(char glyph) {
    switch (glyph) {
    case '\xBA':
        return 5;
    case 'V':
        return 20;
    default:  // `*` and `:`
        return 10;
    }
}

void lose_sequence() {
    draw();
    grid_print("YOUR SHIP ASPLODE!", 20, 10);
    grid_print("SORRY =(", 20, 11);
    display_flip();
    quit = true;
}

}  // namespace

void shot_phase() {
    // By index: the lose sequence draws the list while we walk it.
    for (size_t i = first_live_shot(); i < b_list.size(); ++i) {
        bullet& b = b_list[i];
        if (!b.active) continue;
        fall(b);
        if (b.y > last_row) b.active = false;
        if (b.x == p_x && b.y == ship_row) {
            b.active = false;
            health -= damage(b.glyph);
        }
        // Once health is gone every further live shot of this pass shows the
        // lose frame again, with health as it stands then.
        if (health < 1) lose_sequence();
    }
}
