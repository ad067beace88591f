#include "game/state.h"

bool quit = false;
int32_t wave = 0;
int32_t score = 0;
int32_t p_x = 0;
int32_t health = 0;
int32_t energy = 0;
int32_t b_x = 0;
int32_t b_y = 0;
int32_t b_active = 0;
int32_t special = 0;
int32_t special_x = 0;
std::unique_ptr<enemy_list> enemies;
// Defined in this order so that at exit b_list goes before events.
std::deque<int32_t> events;
std::vector<bullet> b_list;
size_t shots_spent = 0;

enemy make_enemy(char glyph, int32_t x, int32_t y, int32_t hp, int32_t aux) {
    return enemy{glyph, x, y, hp, aux};
}

bullet make_bullet(char glyph, int32_t x, int32_t y, int32_t age, bool active) {
    return bullet{glyph, x, y, age, active};
}

void init() {
    wave = 0;
    score = 0;
    p_x = 7;
    b_x = 0;
    b_y = 0;
    b_active = 0;
    health = 100;
    energy = 100;
    quit = false;
}

size_t first_live_shot() {
    // Between two shot phases b_list is only emptied or given new, live
    // shots, so a stale index shows as one past the end or one whose last
    // entry is live.
    if (shots_spent > b_list.size() || (shots_spent > 0 && b_list[shots_spent - 1].active)) {
        shots_spent = 0;
    }
    while (shots_spent < b_list.size() && !b_list[shots_spent].active) ++shots_spent;
    return shots_spent;
}
