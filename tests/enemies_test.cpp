#include <gtest/gtest.h>

#include <set>
#include <string>

#include "game/enemies.h"
#include "game/random.h"
#include "game/state.h"
#include "game/waves.h"
#include "tests/test_host.h"

namespace {

// How many numbers were drawn between two generator states (up to 16).
int draws_between(uint32_t before, uint32_t after) {
    for (int n = 0; n <= 16; ++n) {
        if (before == after) return n;
        before = before * 214013u + 2531011u;
    }
    return -1;
}

int32_t peek(uint32_t state, int ahead) {
    int32_t r = 0;
    for (int i = 0; i <= ahead; ++i) {
        state = state * 214013u + 2531011u;
        r = static_cast<int32_t>((state >> 16) & 0x7FFF);
    }
    return r;
}

// A generator state whose next draw is 0 modulo n (or not, with fires false),
// and whose draw after that is even or odd as asked (side of a `%` shot).
uint32_t state_where(int32_t n, bool fires, int side = -1) {
    for (uint32_t s = 1;; ++s) {
        if ((peek(s, 0) % n == 0) != fires) continue;
        if (side >= 0 && peek(s, 1) % 2 != side) continue;
        return s;
    }
}

void only_enemy(enemy e) {
    new_game();
    enemies = std::make_unique<enemy_list>(enemy_list{e});
}

}  // namespace

TEST(EnemyPhase, DrawsPerTickByGlyph) {
    const struct {
        char glyph;
        int32_t odds;   // 1 in this to fire
        bool fires;
        int draws;
        size_t shots;
    } table[] = {
        {'@', 15, false, 2, 0},  {'@', 15, true, 2, 1},
        {'%', 15, false, 2, 0},  {'%', 15, true, 3, 1},
        {'<', 30, false, 1, 0},  {'<', 30, true, 1, 1},
        {'>', 30, false, 1, 0},  {'>', 30, true, 1, 1},
        {'\xA5', 20, false, 1, 0}, {'\xA5', 20, true, 1, 1},
        {'+', 20, false, 1, 0},  {'+', 20, true, 1, 2},
        {'E', 15, true, 1, 1},   {'Q', 15, true, 1, 1},  {'U', 15, false, 1, 0},
        {'?', 1, true, 0, 0},    {'.', 1, true, 0, 0},
        {'=', 1, true, 0, 0},    {'\\', 1, true, 0, 0},  {'/', 1, true, 0, 0},
        {'#', 1, true, 0, 0},    {'\xBA', 1, true, 0, 0},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(std::string("glyph ") + row.glyph + (row.fires ? " firing" : " holding"));
        only_enemy(make_enemy(row.glyph, 5, 2, 1, row.glyph == '<' || row.glyph == '>' ? 1 : 0));
        rand_state = state_where(row.odds, row.fires);
        const uint32_t before = rand_state;
        enemy_phase();
        EXPECT_EQ(draws_between(before, rand_state), row.draws);
        EXPECT_EQ(b_list.size(), row.shots);
    }
}

TEST(EnemyPhase, DeadEnemiesDrawNothingAndKeepStill) {
    new_game();
    enemies = get_wave(8);
    for (enemy& e : *enemies) e.hp = 0;
    (*enemies)[1].hp = -20;
    const enemy_list before = *enemies;
    enemy_phase();
    EXPECT_EQ(rand_state, 1u);
    EXPECT_TRUE(b_list.empty());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ((*enemies)[i].glyph, before[i].glyph);
        EXPECT_EQ((*enemies)[i].aux, before[i].aux);
    }
    enemies.reset();
    enemy_phase();  // no list: nothing
    EXPECT_EQ(rand_state, 1u);
}

TEST(EnemyPhase, ListOrderDecidesWhoDrawsWhat) {
    // Two `@` in list order draw fire, swing, fire, swing from the same
    // sequence; swapping them swaps their fates.
    new_game();
    enemies = std::make_unique<enemy_list>(
        enemy_list{make_enemy('@', 2, 2, 10, 1), make_enemy('@', 12, 2, 10, -1)});
    // The 4th draw of the game (26500) is 0 modulo 10: the second swings.
    enemy_phase();
    EXPECT_EQ((*enemies)[0].x, 2);
    EXPECT_EQ((*enemies)[1].x, 11);
    EXPECT_EQ((*enemies)[1].aux, 1);
}

TEST(EnemyPhase, SwingHopsBetweenTwoColumnsOnly) {
    only_enemy(make_enemy('@', 3, 4, 10, 2));
    std::set<int32_t> columns;
    for (int i = 0; i < 2000; ++i) {
        enemy_phase();
        columns.insert((*enemies)[0].x);
    }
    EXPECT_EQ(columns, (std::set<int32_t>{3, 5}));

    only_enemy(make_enemy('@', 7, 3, 10, 0));
    for (int i = 0; i < 500; ++i) enemy_phase();
    EXPECT_EQ((*enemies)[0].x, 7);
    uint32_t two_draws_a_tick = 1;
    for (int i = 0; i < 1000; ++i) two_draws_a_tick = two_draws_a_tick * 214013u + 2531011u;
    EXPECT_EQ(rand_state, two_draws_a_tick);
}

TEST(EnemyPhase, PatrolTurnsAtItsKindsColumns) {
    const struct {
        char glyph;
        int32_t x, aux, want_x, want_aux;
    } table[] = {
        {'<', 12, 1, 13, -1}, {'<', 13, -1, 12, -1}, {'<', 1, -1, 0, 1}, {'<', 0, 1, 1, 1},
        {'>', 13, 1, 14, -1}, {'>', 14, -1, 13, -1}, {'>', 2, -1, 1, 1}, {'>', 5, 1, 6, 1},
    };
    for (const auto& row : table) {
        only_enemy(make_enemy(row.glyph, row.x, 1, 100, row.aux));
        enemy_phase();
        EXPECT_EQ((*enemies)[0].x, row.want_x) << row.glyph << " from " << row.x;
        EXPECT_EQ((*enemies)[0].aux, row.want_aux) << row.glyph << " from " << row.x;
    }
}

TEST(EnemyPhase, APatrollingPairStaysSideBySide) {
    new_game();
    enemies = get_wave(6);
    std::set<int32_t> lefts;
    for (int i = 0; i < 300; ++i) {
        enemy_phase();
        EXPECT_EQ((*enemies)[1].x, (*enemies)[0].x + 1);
        lefts.insert((*enemies)[0].x);
    }
    EXPECT_EQ(*lefts.begin(), 0);
    EXPECT_EQ(*lefts.rbegin(), 13);
}

TEST(EnemyPhase, ShotsStartWhereTheEnemyStoodBeforeItMoved) {
    only_enemy(make_enemy('>', 5, 3, 100, 1));
    rand_state = state_where(30, true);
    enemy_phase();
    ASSERT_EQ(b_list.size(), 1u);
    EXPECT_EQ(b_list[0].glyph, 'V');
    EXPECT_EQ(b_list[0].x, 5);
    EXPECT_EQ(b_list[0].y, 4);
    EXPECT_EQ(b_list[0].age, 0);
    EXPECT_TRUE(b_list[0].active);
    EXPECT_EQ((*enemies)[0].x, 6);
}

TEST(EnemyPhase, WhereEachKindsShotsAppear) {
    const struct {
        char glyph;
        int32_t x, y, odds;
        int side;  // for `%`: the parity of the side draw
        std::string shots;  // "glyph x y" for each new shot, in list order
    } table[] = {
        {'@', 6, 2, 15, -1, "\xBA 6 3"},
        {'%', 6, 2, 15, 0, "* 5 2"},
        {'%', 6, 2, 15, 1, "* 7 2"},
        {'%', 1, 2, 15, 0, "* 0 2"},
        {'\xA5', 4, 1, 20, -1, "* 4 2"},
        {'+', 7, 3, 20, -1, ": 7 4; : 7 5"},
        {'E', 8, 1, 15, -1, "V 8 2"},
        {'<', 3, 1, 30, -1, "V 3 2"},
    };
    for (const auto& row : table) {
        only_enemy(make_enemy(row.glyph, row.x, row.y, 10, row.glyph == '<' ? 1 : 0));
        rand_state = state_where(row.odds, true, row.side);
        enemy_phase();
        std::string shots;
        for (const bullet& b : b_list) {
            if (!shots.empty()) shots += "; ";
            shots += std::string(1, b.glyph) + " " + std::to_string(b.x) + " " + std::to_string(b.y);
        }
        EXPECT_EQ(shots, row.shots) << row.glyph;
    }
}

TEST(EnemyPhase, BlinkersSwapEveryTenthTick) {
    only_enemy(make_enemy('?', 5, 1, 80, 0));
    std::string seen;
    for (int i = 1; i <= 21; ++i) {
        enemy_phase();
        seen += (*enemies)[0].glyph;
    }
    EXPECT_EQ(seen, "?????????..........??");
    EXPECT_EQ((*enemies)[0].x, 5);
    EXPECT_EQ(rand_state, 1u);
}
