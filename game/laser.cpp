#include "game/laser.h"

#include "display/grid.h"
#include "game/state.h"

void laser_phase() {
    if (b_active == 0) return;
    // Only seen when this tick's redraw is skipped: an end frame composed
    // earlier in the tick then shows a blank where the laser was.
    grid_print(" ", b_x + 2, b_y + 2);
    b_y -= 1;
    if (b_y == -1) b_active = 0;
    if (!enemies) return;
    for (enemy& e : *enemies) {
        if (e.hp > 0 && e.x == b_x && e.y == b_y) {
            e.hp -= 15;
            score += 10;
            b_active = 0;
        }
    }
}
