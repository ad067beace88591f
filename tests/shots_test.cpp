#include <gtest/gtest.h>

#include <string>

#include "game/loop.h"
#include "game/shots.h"
#include "game/state.h"
#include "tests/test_host.h"

namespace {

// A game in progress with no enemies, so that only the given shots act.
void shots_only(std::vector<bullet> shots, int32_t ship = 7, int32_t hp = 100) {
    new_game();
    wave = 1;
    enemies = std::make_unique<enemy_list>(enemy_list{make_enemy('=', 0, 0, 60, 0)});
    b_list = std::move(shots);
    p_x = ship;
    health = hp;
}

}  // namespace

TEST(ShotPhase, HowEachKindFalls) {
    const struct {
        char glyph;
        int32_t y, age;
        int32_t want_y, want_age;
        bool want_active;
    } table[] = {
        {'*', 3, 0, 4, 0, true},      {'\xBA', 3, 0, 4, 0, true},
        {':', 3, 0, 5, 0, true},      {'V', 3, 0, 3, 1, true},
        {'V', 3, 4, 3, 5, true},      {'V', 3, 5, 4, 5, true},
        {'*', 14, 0, 15, 0, false},   {':', 13, 0, 15, 0, false},
        {':', 14, 0, 16, 0, false},   {'V', 14, 4, 14, 5, true},
        {'V', 14, 5, 15, 5, false},
    };
    for (const auto& row : table) {
        shots_only({make_bullet(row.glyph, 2, row.y, row.age, true)});
        shot_phase();
        const bullet& b = b_list[0];
        EXPECT_EQ(b.y, row.want_y) << row.glyph << " from row " << row.y;
        EXPECT_EQ(b.age, row.want_age) << row.glyph << " from row " << row.y;
        EXPECT_EQ(b.active, row.want_active) << row.glyph << " from row " << row.y;
        EXPECT_EQ(b.x, 2);
    }
}

TEST(ShotPhase, StrikesOnlyOnLandingInTheShipsCell) {
    const struct {
        const char* what;
        char glyph;
        int32_t x, y, age;
        int32_t want_health;
        bool want_active;
    } table[] = {
        {"* lands on the ship", '*', 7, 12, 0, 90, false},
        {"0xBA lands on the ship", '\xBA', 7, 12, 0, 95, false},
        {"V lands on the ship", 'V', 7, 12, 5, 80, false},
        {"V still hanging above", 'V', 7, 12, 4, 100, true},
        {": lands on the ship", ':', 7, 11, 0, 90, false},
        {": jumps over the ship", ':', 7, 12, 0, 100, true},
        {"* beside the ship", '*', 8, 12, 0, 100, true},
        {"* already below the ship", '*', 7, 13, 0, 100, true},
    };
    for (const auto& row : table) {
        shots_only({make_bullet(row.glyph, row.x, row.y, row.age, true)});
        shot_phase();
        EXPECT_EQ(health, row.want_health) << row.what;
        EXPECT_EQ(b_list[0].active, row.want_active) << row.what;
        EXPECT_FALSE(quit) << row.what;
    }
}

TEST(ShotPhase, AShotThatMissedCannotStrikeWhenTheShipMovesUnder) {
    shots_only({make_bullet('*', 8, 12, 0, true)});
    tick();  // lands on row 13 beside the ship
    EXPECT_EQ(b_list[0].y, 13);
    events.push_back(key_right);
    tick();  // ship moves under it; it goes on to row 14
    EXPECT_EQ(p_x, 8);
    EXPECT_EQ(b_list[0].y, 14);
    EXPECT_EQ(frame_rows(test_host::frames.back().text)[16][10], '*');
    tick();
    EXPECT_FALSE(b_list[0].active);
    EXPECT_EQ(health, 100);
}

TEST(ShotPhase, AVHangsForFiveFramesThenFalls) {
    shots_only({make_bullet('V', 3, 4, 0, true)});
    std::string rows;
    for (int i = 0; i < 8; ++i) {
        tick();
        rows += std::to_string(b_list[0].y) + " ";
    }
    EXPECT_EQ(rows, "4 4 4 4 4 5 6 7 ");
}

TEST(ShotPhase, HealthAndTheEndOfTheGame) {
    const struct {
        int32_t health;
        std::vector<char> strikes;  // shots landing on the ship this tick
        int32_t want_health;
        bool want_quit;
    } table[] = {
        {20, {'V'}, 0, true},
        {25, {'*', '*'}, 5, false},
        {1, {'\xBA'}, -4, true},
        {5, {'V'}, -15, true},
        {100, {'V', 'V', ':', '*', '\xBA'}, 35, false},
    };
    for (const auto& row : table) {
        std::vector<bullet> shots;
        for (char g : row.strikes) {
            shots.push_back(make_bullet(g, 7, g == ':' ? 11 : 12, g == 'V' ? 5 : 0, true));
        }
        shots_only(shots, 7, row.health);
        shot_phase();
        EXPECT_EQ(health, row.want_health) << row.health;
        EXPECT_EQ(quit, row.want_quit) << row.health;
    }
}

TEST(ShotPhase, TheLoseSequenceRepeatsForEveryFurtherLiveShot) {
    shots_only({make_bullet('*', 7, 12, 0, true),   // strikes: health 5 -> -5
                make_bullet('*', 3, 5, 0, false),   // spent: skipped
                make_bullet('*', 1, 2, 0, true),    // three more live shots
                make_bullet('\xBA', 7, 12, 0, true),  // strikes again: -10
                make_bullet('V', 9, 6, 0, true)},
               7, 5);
    tick();
    EXPECT_TRUE(quit);
    EXPECT_EQ(health, -10);
    // Four lose frames from the pass, then the tick's present.
    ASSERT_EQ(test_host::frames.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        const auto rows = frame_rows(test_host::frames[i].text);
        EXPECT_EQ(rows[10].substr(20, 18), "YOUR SHIP ASPLODE!") << i;
        EXPECT_EQ(rows[11].substr(20, 10), "SORRY =(  ") << i;
        EXPECT_EQ(rows[6].substr(20, 24), "HEALTH:                 ") << i;
    }
    // Each repetition shows the shots moved so far: the * on row 2 is on
    // row 3 from the second frame on, and the 0xBA that struck second is
    // gone from the third.
    EXPECT_EQ(frame_rows(test_host::frames[0].text)[4][3], '*');
    EXPECT_EQ(frame_rows(test_host::frames[1].text)[5][3], '*');
    EXPECT_EQ(frame_rows(test_host::frames[1].text)[14][9], '\xBA');
    EXPECT_EQ(frame_rows(test_host::frames[2].text)[14][9], ' ');
    EXPECT_EQ(test_host::frames[4].text, test_host::frames[3].text);
}
