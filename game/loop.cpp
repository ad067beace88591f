#include "game/loop.h"

#include "display/draw.h"
#include "display/grid.h"
#include "game/enemies.h"
#include "game/laser.h"
#include "game/port.h"
#include "game/shots.h"
#include "game/special.h"
#include "game/state.h"
#include "game/waves.h"

namespace {

void apply_key(int32_t code) {
    switch (code) {
    case key_left:
        if (p_x > 0) p_x -= 1;
        break;
    case key_up:
        if (b_active == 0) {
            b_active = 1;
            b_x = p_x;
            b_y = 12;
        }
        break;
    case key_right:
        if (p_x <= 13) p_x += 1;
        break;
    case key_down:
        if (energy > 24 && special == 0) {
            special = 1;
            energy -= 25;
        }
        break;
    case key_q:
        quit = true;
        break;
    default:
        break;
    }
}

}  // namespace

void key_drain() {
    while (!events.empty()) {
        apply_key(events.front());
        events.pop_front();
    }
}

void tick() {
    key_drain();
    wave_check();
    enemy_phase();
    shot_phase();
    laser_phase();
    if (!quit) draw();
    special_phase();
    display_flip();
}

void main_loop() {
    while (!quit) {
        if (!wait_for_tick()) break;
        tick();
    }
}
