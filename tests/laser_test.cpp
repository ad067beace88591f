#include <gtest/gtest.h>

#include <string>

#include "game/laser.h"
#include "game/loop.h"
#include "game/state.h"
#include "tests/test_host.h"

namespace {

// A game whose only enemies are the given ones; none of them fires.
void against(enemy_list list, int32_t ship = 7) {
    new_game();
    wave = 5;
    enemies = std::make_unique<enemy_list>(std::move(list));
    p_x = ship;
}

// Column of the laser's glyph on each playfield row of the last frame, as
// "row:column" of every `|` found in rows 0 to 12.
std::string lasers_in_last_frame() {
    const auto rows = frame_rows(test_host::frames.back().text);
    std::string found;
    for (int y = 0; y <= 12; ++y) {
        for (int x = 0; x <= 14; ++x) {
            if (rows[y + 2][x + 2] == '|') found += std::to_string(y) + ":" + std::to_string(x) + " ";
        }
    }
    return found;
}

}  // namespace

TEST(Laser, ClimbsOneRowATickFromRowElevenToRowZero) {
    against({make_enemy('=', 0, 0, 60, 0)}, 9);
    events.push_back(key_up);
    std::string course;
    for (int i = 0; i < 13; ++i) {
        tick();
        course += lasers_in_last_frame();
    }
    EXPECT_EQ(course, "11:9 10:9 9:9 8:9 7:9 6:9 5:9 4:9 3:9 2:9 1:9 0:9 ");
    EXPECT_EQ(b_active, 0);
    EXPECT_EQ(b_y, -1);
    EXPECT_EQ(b_x, 9);  // kept after it stops
    events.push_back(key_up);
    tick();
    EXPECT_EQ(lasers_in_last_frame(), "11:9 ");
}

TEST(Laser, StrikesEveryLiveEnemyInItsNewCell) {
    const struct {
        const char* what;
        int32_t enemy_row, hp;
        int ticks_to_hit;
        int32_t want_hp;
    } table[] = {
        {"row 11: struck in the launching tick", 11, 60, 1, 45},
        {"row 1: struck in the eleventh tick", 1, 60, 11, 45},
        {"15 hp: killed", 5, 15, 7, 0},
        {"10 hp: killed below zero", 5, 10, 7, -5},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        against({make_enemy('=', 4, row.enemy_row, row.hp, 0), make_enemy('=', 0, 0, 60, 0)}, 4);
        events.push_back(key_up);
        for (int i = 1; i < row.ticks_to_hit; ++i) tick();
        EXPECT_EQ((*enemies)[0].hp, row.hp);
        tick();
        EXPECT_EQ((*enemies)[0].hp, row.want_hp);
        EXPECT_EQ(score, 10);
        EXPECT_EQ(b_active, 0);
        EXPECT_EQ(b_y, row.enemy_row);
        EXPECT_EQ(lasers_in_last_frame(), "");
    }
}

TEST(Laser, FliesThroughADeadEnemy) {
    against({make_enemy('=', 4, 10, 0, 0), make_enemy('=', 4, 6, 60, 0)}, 4);
    events.push_back(key_up);
    for (int i = 0; i < 6; ++i) tick();
    EXPECT_EQ((*enemies)[0].hp, 0);
    EXPECT_EQ((*enemies)[1].hp, 45);
    EXPECT_EQ(score, 10);
}

TEST(Laser, UpDuringTheLastTickOfAFlightDoesNothing) {
    against({make_enemy('=', 0, 0, 60, 0)}, 9);
    b_active = 1;
    b_x = 9;
    b_y = 0;  // ends this tick
    events.push_back(key_up);
    tick();
    EXPECT_EQ(b_active, 0);
    EXPECT_EQ(b_y, -1);
}

TEST(Laser, TestsOnlyItsNewCellAfterTheEnemiesMoved) {
    // A patrolling `<` steps into the laser's next cell and is struck.
    against({make_enemy('<', 4, 5, 100, 1)}, 5);
    b_active = 1;
    b_x = 5;
    b_y = 6;
    tick();
    EXPECT_EQ((*enemies)[0].x, 5);
    EXPECT_EQ((*enemies)[0].hp, 85);
}
