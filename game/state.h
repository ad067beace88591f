// The whole state of one game: the two entity records, their factories and
// every process-wide variable of the game, the display and the host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

// One enemy of the current wave. Its glyph is both its picture and its kind.
struct enemy {
    char glyph;
    int32_t x;
    int32_t y;
    int32_t hp;   // alive while greater than 0
    int32_t aux;  // step of a mover, or tick counter of a blinker
};

// One shot fired by an enemy.
struct bullet {
    char glyph;
    int32_t x;
    int32_t y;
    int32_t age;  // how long a V shot has hung in its cell
    bool active;
};

using enemy_list = std::vector<enemy>;

enemy make_enemy(char glyph, int32_t x, int32_t y, int32_t hp, int32_t aux);
bullet make_bullet(char glyph, int32_t x, int32_t y, int32_t age, bool active);

// Sets the start values of a game. Leaves special, special_x, enemies,
// b_list, events and the screen as they are.
void init();

// Game variables. Playfield coordinates run from 0 to 14; the ship is on row 13.
extern bool quit;
extern int32_t wave;     // 0 before the first tick, 1..8 in play, 9 after the win
extern int32_t score;
extern int32_t p_x;      // ship column
extern int32_t health;
extern int32_t energy;
extern int32_t b_x;      // laser column
extern int32_t b_y;      // laser row
extern int32_t b_active; // laser in flight
extern int32_t special;  // 0 idle, 1..12 the tick of the special attack to play next
extern int32_t special_x;  // screen column of the beam's centre
extern std::unique_ptr<enemy_list> enemies;  // the current wave; null before the first
extern std::vector<bullet> b_list;           // every enemy shot of this wave, spent ones too
extern std::deque<int32_t> events;           // virtual-key codes not yet handled

// Spent shots stay in b_list until the next wave, so a long wave piles them
// up. Passes over the shots start at the first one that may still be live:
// every shot before this index is spent. Shots only become spent in order
// of the list in the long run (they all fall), so the index keeps up.
size_t first_live_shot();
extern size_t shots_spent;  // leading entries of b_list known to be spent
