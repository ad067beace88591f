#include <gtest/gtest.h>

#include <string>

#include "game/loop.h"
#include "game/special.h"
#include "game/state.h"
#include "tests/test_host.h"

namespace {

void against(enemy_list list, int32_t ship) {
    new_game();
    wave = 5;
    enemies = std::make_unique<enemy_list>(std::move(list));
    p_x = ship;
}

// Screen columns 0 to 18 of a row of the last frame.
std::string left_of_panel(int row) {
    return frame_rows(test_host::frames.back().text)[row].substr(0, 19);
}

}  // namespace

TEST(Special, TwelveTickTimeline) {
    against({make_enemy('=', 0, 5, 60, 0)}, 7);
    events.push_back(key_down);
    // What each tick of the attack shows on screen row 14 (playfield row 12)
    // and on screen row 2 (playfield row 0), and `special` after the tick.
    const struct {
        const char* row14;
        const char* row2;
        int32_t special_after;
    } timeline[] = {
        {" #       |       # ", " #               # ", 2},   // 1
        {" #       -       # ", " #               # ", 3},   // 2
        {" #       |       # ", " #               # ", 4},   // 3
        {" #       -       # ", " #               # ", 5},   // 4
        {" #       |       # ", " #               # ", 6},   // 5
        {" #       -       # ", " #               # ", 7},   // 6
        {" #       |       # ", " #               # ", 8},   // 7
        {" #     !!!!!     # ", " #     !!!!!     # ", 9},   // 8
        {" #     !!!!!     # ", " #     !!!!!     # ", 10},  // 9
        {" #     !!!!!     # ", " #     !!!!!     # ", 11},  // 10
        {" #     !!!!!     # ", " #     !!!!!     # ", 12},  // 11
        {" #               # ", " #               # ", 0},   // 12
    };
    for (size_t t = 0; t < 12; ++t) {
        SCOPED_TRACE("tick " + std::to_string(t + 1));
        if (t == 11) events.push_back(key_down);  // too early: still running
        tick();
        EXPECT_EQ(left_of_panel(14), timeline[t].row14);
        EXPECT_EQ(left_of_panel(2), timeline[t].row2);
        EXPECT_EQ(special, timeline[t].special_after);
        // Never on the ship's row or the last playfield row.
        EXPECT_EQ(left_of_panel(15), " #       ^       # ");
        EXPECT_EQ(left_of_panel(16), " #               # ");
    }
    EXPECT_EQ(energy, 75);
    events.push_back(key_down);  // tick 13: the next attack may start
    tick();
    EXPECT_EQ(special, 2);
    EXPECT_EQ(energy, 50);
}

TEST(Special, TheBeamStrikesOnceEveryLiveEnemyInItsFiveColumns) {
    against({make_enemy('=', 4, 1, 40, 0),    // p_x - 3: out of reach
             make_enemy('=', 5, 3, 100, 0),   // p_x - 2
             make_enemy('=', 7, 1, 10, 0),    // p_x
             make_enemy('=', 9, 4, 40, 0),    // p_x + 2
             make_enemy('=', 10, 2, 60, 0),   // p_x + 3: out of reach
             make_enemy('=', 8, 2, 0, 0)},    // dead: left alone
            7);
    special = 8;
    special_phase();
    EXPECT_EQ((*enemies)[0].hp, 40);
    EXPECT_EQ((*enemies)[1].hp, 60);
    EXPECT_EQ((*enemies)[2].hp, -30);
    EXPECT_EQ((*enemies)[3].hp, 0);
    EXPECT_EQ((*enemies)[4].hp, 60);
    EXPECT_EQ((*enemies)[5].hp, 0);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(special_x, 9);
    for (int32_t s = 9; s <= 11; ++s) special_phase();  // beam only
    EXPECT_EQ((*enemies)[1].hp, 60);
}

TEST(Special, DamageFollowsTheShipOnlyInTheFirstBeamTick) {
    against({make_enemy('=', 2, 1, 100, 0), make_enemy('=', 12, 1, 100, 0)}, 2);
    special = 8;
    tick();  // damage around column 2
    for (int i = 0; i < 10; ++i) events.push_back(key_right);
    tick();  // beam over column 12, no damage
    EXPECT_EQ(p_x, 12);
    EXPECT_EQ(left_of_panel(5), " #" + std::string(10, ' ') + "!!!!!# ");
    EXPECT_EQ((*enemies)[0].hp, 60);
    EXPECT_EQ((*enemies)[1].hp, 100);
}

TEST(Special, AtTheEdgesTheMarkAndBeamCoverTheBorder) {
    const std::string gap12(12, ' '), gap14(14, ' ');
    const struct {
        int32_t ship;
        std::string charge;  // screen row 14, columns 0 to 18
        std::string beam;    // screen rows 2 to 14
    } table[] = {
        {0, "  |" + gap14 + "# ", "!!!!!" + gap12 + "# "},
        {14, " #" + gap14 + "|  ", " #" + gap12 + "!!!!!"},
    };
    for (const auto& row : table) {
        against({make_enemy('=', 0, 5, 60, 0)}, row.ship);
        events.push_back(key_down);
        tick();
        EXPECT_EQ(left_of_panel(14), row.charge) << row.ship;
        for (int i = 0; i < 7; ++i) tick();
        EXPECT_EQ(left_of_panel(2), row.beam) << row.ship;
        EXPECT_EQ(left_of_panel(14), row.beam) << row.ship;
        // The panel's text, from column 20, is never touched.
        EXPECT_EQ(frame_rows(test_host::frames.back().text)[2].substr(19, 9), " WAVE: 5 ");
    }
}

TEST(Special, ItsClosingTickKeepsAnEndFrame) {
    // The attack closes in the tick that loses the game: the lose frame stays.
    against({make_enemy('=', 0, 5, 60, 0)}, 7);
    special = 12;
    health = 5;
    b_list = {make_bullet('*', 7, 12, 0, true)};
    tick();
    EXPECT_TRUE(quit);
    EXPECT_EQ(special, 0);
    EXPECT_EQ(frame_rows(test_host::frames.back().text)[10].substr(20, 18), "YOUR SHIP ASPLODE!");

    // And in a tick after Q: the previous picture stays as it was.
    against({make_enemy('=', 0, 5, 60, 0)}, 7);
    tick();
    const std::string before = test_host::frames.back().text;
    special = 12;
    events.push_back(key_q);
    tick();
    EXPECT_EQ(test_host::frames.back().text, before);
}

TEST(Special, ItGoesOnAcrossAWaveItCleared) {
    against({make_enemy('@', 7, 2, 10, 0)}, 7);
    wave = 1;
    special = 8;
    tick();  // the beam kills the last enemy
    EXPECT_EQ((*enemies)[0].hp, -30);
    tick();  // wave 2 arrives under the beam, which does it no harm
    EXPECT_EQ(wave, 2);
    EXPECT_EQ(special, 10);
    EXPECT_EQ(left_of_panel(3), " #     !!!!!     # ");
    for (const enemy& e : *enemies) EXPECT_EQ(e.hp, 10);
}
