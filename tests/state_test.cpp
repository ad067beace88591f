#include <gtest/gtest.h>

#include "game/random.h"
#include "game/state.h"
#include "tests/test_host.h"

TEST(State, InitSetsTheStartValuesAndLeavesTheRest) {
    fresh_process();
    special = 5;
    special_x = 9;
    b_list.push_back(make_bullet('*', 1, 1, 0, true));
    events.push_back(0x25);
    init();
    EXPECT_EQ(wave, 0);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(p_x, 7);
    EXPECT_EQ(health, 100);
    EXPECT_EQ(energy, 100);
    EXPECT_EQ(b_active, 0);
    EXPECT_EQ(b_x, 0);
    EXPECT_EQ(b_y, 0);
    EXPECT_FALSE(quit);
    // init touches nothing else
    EXPECT_EQ(special, 5);
    EXPECT_EQ(special_x, 9);
    EXPECT_EQ(b_list.size(), 1u);
    EXPECT_EQ(events.size(), 1u);
    EXPECT_EQ(enemies, nullptr);
}

TEST(State, FactoriesSetEveryFieldFromItsArgument) {
    const enemy e = make_enemy('%', 2, 2, 30, 1);
    EXPECT_EQ(e.glyph, '%');
    EXPECT_EQ(e.x, 2);
    EXPECT_EQ(e.y, 2);
    EXPECT_EQ(e.hp, 30);
    EXPECT_EQ(e.aux, 1);

    const bullet b = make_bullet('V', 5, 3, 0, true);
    EXPECT_EQ(b.glyph, 'V');
    EXPECT_EQ(b.x, 5);
    EXPECT_EQ(b.y, 3);
    EXPECT_EQ(b.age, 0);
    EXPECT_TRUE(b.active);
}

TEST(Random, RepeatsTheWindowsRuntimeFromItsUnseededStart) {
    fresh_process();
    const int32_t first[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int32_t expected : first) EXPECT_EQ(game_rand(), expected);
}

TEST(Random, StaysInRangeOverALongRun) {
    fresh_process();
    for (int i = 0; i < 100000; ++i) {
        const int32_t r = game_rand();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, 0x7FFF);
    }
}
