#include "game/enemies.h"

#include "game/random.h"
#include "game/state.h"

namespace {

// A chance of one in n: one draw.
bool one_in(int32_t n) { return game_rand() % n == 0; }

void fire(char glyph, int32_t x, int32_t y) {
    b_list.push_back(make_bullet(glyph, x, y, 0, true));
}

// `@` and `%` hop between two columns: now and then they step by aux and
// turn round.
void swing(enemy& e) {
    if (one_in(10)) {
        e.x += e.aux;
        e.aux = -e.aux;
    }
}

// `<` and `>` step every tick and turn at the ends of their range. The two
// ranges are one column apart, so a `<` beside a `>` moves as one ship.
void patrol(enemy& e, int32_t left_turn, int32_t right_turn) {
    e.x += e.aux;
    if (e.x == right_turn) e.aux = -1;
    if (e.x == left_turn) e.aux = 1;
}

// `?` and `.` swap glyphs every tenth tick.
void blink(enemy& e) {
    e.aux += 1;
    if (e.aux == 10) {
        e.aux = 0;
        e.glyph = e.glyph == '?' ? '.' : '?';
    }
}

void act(enemy& e) {
    switch (e.glyph) {
    case '@':
        if (one_in(15)) fire('\xBA', e.x, e.y + 1);
        swing(e);
        break;
    case '%':
        if (one_in(15)) fire('*', game_rand() % 2 == 0 ? e.x - 1 : e.x + 1, e.y);
        swing(e);
        break;
    case '<':
        if (one_in(30)) fire('V', e.x, e.y + 1);
        patrol(e, 0, 13);
        break;
    case '>':
        if (one_in(30)) fire('V', e.x, e.y + 1);
        patrol(e, 1, 14);
        break;
    case '\xA5':
        if (one_in(20)) fire('*', e.x, e.y + 1);
        break;
    case '+':
        if (one_in(20)) {
            fire(':', e.x, e.y + 1);
            fire(':', e.x, e.y + 2);
        }
        break;
    case 'E':
    case 'Q':
    case 'U':
        if (one_in(15)) fire('V', e.x, e.y + 1);
        break;
    case '?':
    case '.':
        blink(e);
        break;
    default:
        break;  // `\`, `=`, `/` and anything else only take hits
    }
}

}  // namespace

void enemy_phase() {
    if (!enemies) return;
    for (enemy& e : *enemies) {
        if (e.hp > 0) act(e);
    }
}
