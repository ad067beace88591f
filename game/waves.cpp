#include "game/waves.h"

#include <span>

#include "display/draw.h"
#include "display/grid.h"

namespace {

constexpr char yen = '\xA5';

// Each wave in list order: glyph, x, y, hp, aux.
constexpr enemy wave1[] = {
    {'@', 2, 2, 10, 1},
    {'@', 12, 2, 10, -1},
    {'@', 7, 3, 10, 0},
};

constexpr enemy wave2[] = {
    {'@', 1, 2, 10, 1},
    {'@', 13, 2, 10, -1},
    {'@', 3, 4, 10, 2},
    {'@', 11, 4, 10, -2},
    {'@', 7, 3, 10, 0},
};

constexpr enemy wave3[] = {
    {'%', 2, 2, 30, 1},
    {'%', 12, 2, 30, -1},
};

constexpr enemy wave4[] = {
    {'%', 1, 2, 30, 1},
    {'%', 13, 2, 30, -1},
    {'%', 3, 4, 30, 1},
    {'%', 11, 4, 30, -1},
};

//  ¥\=====/¥
//   ¥\===/¥
//    ¥ + ¥
constexpr enemy wave5[] = {
    {yen, 3, 1, 60, 0},  {'\\', 4, 1, 60, 0}, {'=', 5, 1, 60, 0},
    {'=', 6, 1, 60, 0},  {'=', 7, 1, 60, 0},  {'=', 8, 1, 60, 0},
    {'=', 9, 1, 60, 0},  {'/', 10, 1, 60, 0}, {yen, 11, 1, 60, 0},
    {yen, 4, 2, 60, 0},  {'\\', 5, 2, 60, 0}, {'=', 6, 2, 60, 0},
    {'=', 7, 2, 60, 0},  {'=', 8, 2, 60, 0},  {'/', 9, 2, 60, 0},
    {yen, 10, 2, 60, 0}, {yen, 5, 3, 60, 0},  {'+', 7, 3, 100, 0},
    {yen, 9, 3, 60, 0},
};

constexpr enemy wave6[] = {
    {'<', 3, 1, 100, 1},
    {'>', 4, 1, 100, 1},
};

constexpr enemy wave7[] = {
    {'<', 3, 1, 100, 1},
    {'>', 4, 1, 100, 1},
    {'<', 10, 3, 100, 1},
    {'>', 11, 3, 100, 1},
};

// ¥?.¥?QUE?¥.?¥
//  ¥?.?¥?¥?.?¥
//   ¥ ¥ ¥ ¥ ¥
constexpr enemy wave8[] = {
    {yen, 1, 1, 80, 0},  {'?', 2, 1, 80, 0},  {'.', 3, 1, 80, 0},
    {yen, 4, 1, 80, 0},  {'?', 5, 1, 80, 0},  {'Q', 6, 1, 80, 0},
    {'U', 7, 1, 80, 0},  {'E', 8, 1, 80, 0},  {'?', 9, 1, 80, 0},
    {yen, 10, 1, 80, 0}, {'.', 11, 1, 80, 0}, {'?', 12, 1, 80, 0},
    {yen, 13, 1, 80, 0}, {yen, 2, 2, 80, 0},  {'?', 3, 2, 80, 0},
    {'.', 4, 2, 80, 0},  {'?', 5, 2, 80, 0},  {yen, 6, 2, 80, 0},
    {'?', 7, 2, 80, 0},  {yen, 8, 2, 80, 0},  {'?', 9, 2, 80, 0},
    {'.', 10, 2, 80, 0}, {'?', 11, 2, 80, 0}, {yen, 12, 2, 80, 0},
    {yen, 3, 3, 80, 0},  {yen, 5, 3, 80, 0},  {yen, 7, 3, 80, 0},
    {yen, 9, 3, 80, 0},  {yen, 11, 3, 80, 0},
};

constexpr std::span<const enemy> wave_table[] = {
    wave1, wave2, wave3, wave4, wave5, wave6, wave7, wave8,
};

void win_sequence() {
    draw();
    grid_print("YOU WIN!", 20, 10);
    grid_print("CONGRATULATIONS!", 20, 11);
    display_flip();
    quit = true;
}

}  // namespace

std::unique_ptr<enemy_list> get_wave(int32_t n) {
    auto list = std::make_unique<enemy_list>();
    if (n >= 1 && n <= 8) {
        for (const enemy& e : wave_table[n - 1]) {
            list->push_back(make_enemy(e.glyph, e.x, e.y, e.hp, e.aux));
        }
    }
    return list;
}

bool enemy_list_dead(const enemy_list* list) {
    if (list == nullptr) return true;
    for (const enemy& e : *list) {
        if (e.hp > 0) return false;
    }
    return true;
}

void wave_check() {
    if (!enemy_list_dead(enemies.get())) return;
    wave += 1;
    if (wave <= 8) {
        b_list.clear();
        shots_spent = 0;
        enemies = get_wave(wave);
        return;
    }
    win_sequence();
}
