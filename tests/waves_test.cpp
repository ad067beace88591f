#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "display/grid.h"
#include "game/loop.h"
#include "game/state.h"
#include "game/waves.h"
#include "tests/test_host.h"

namespace {

// One enemy as the wave table lists it: "glyph x y hp aux", with 0xA5
// written Y.
std::string describe(const enemy& e) {
    const std::string glyph = e.glyph == '\xA5' ? "Y" : std::string(1, e.glyph);
    return glyph + " " + std::to_string(e.x) + " " + std::to_string(e.y) + " " +
           std::to_string(e.hp) + " " + std::to_string(e.aux);
}

std::vector<std::string> describe(const enemy_list& list) {
    std::vector<std::string> out;
    for (const enemy& e : list) out.push_back(describe(e));
    return out;
}

// A formation picture of playfield rows 1 to 4, columns 0 to 14, Y for 0xA5.
std::vector<std::string> picture(const enemy_list& list) {
    std::vector<std::string> rows(4, std::string(15, ' '));
    for (const enemy& e : list) rows[e.y - 1][e.x] = e.glyph == '\xA5' ? 'Y' : e.glyph;
    return rows;
}

// Waves 5 and 8 list their enemies row by row, left to right.
bool row_by_row(const enemy_list& list) {
    for (size_t i = 1; i < list.size(); ++i) {
        const enemy& a = list[i - 1];
        const enemy& b = list[i];
        if (a.y > b.y || (a.y == b.y && a.x >= b.x)) return false;
    }
    return true;
}

void clear_current_wave() {
    for (enemy& e : *enemies) e.hp = 0;
}

}  // namespace

TEST(WaveTable, SizesAndHitPoints) {
    const struct {
        int32_t wave;
        size_t enemies;
        int32_t hp;
    } table[] = {{1, 3, 30},    {2, 5, 50},  {3, 2, 60},  {4, 4, 120},
                 {5, 19, 1180}, {6, 2, 200}, {7, 4, 400}, {8, 29, 2320}};
    size_t all = 0;
    for (const auto& row : table) {
        const auto list = get_wave(row.wave);
        EXPECT_EQ(list->size(), row.enemies) << "wave " << row.wave;
        int32_t hp = 0;
        for (const enemy& e : *list) hp += e.hp;
        EXPECT_EQ(hp, row.hp) << "wave " << row.wave;
        all += list->size();
    }
    EXPECT_EQ(all, 68u);
}

TEST(WaveTable, TheMovingWavesEntryByEntry) {
    using list = std::vector<std::string>;
    EXPECT_EQ(describe(*get_wave(1)), (list{"@ 2 2 10 1", "@ 12 2 10 -1", "@ 7 3 10 0"}));
    EXPECT_EQ(describe(*get_wave(2)), (list{"@ 1 2 10 1", "@ 13 2 10 -1", "@ 3 4 10 2",
                                            "@ 11 4 10 -2", "@ 7 3 10 0"}));
    EXPECT_EQ(describe(*get_wave(3)), (list{"% 2 2 30 1", "% 12 2 30 -1"}));
    EXPECT_EQ(describe(*get_wave(4)), (list{"% 1 2 30 1", "% 13 2 30 -1", "% 3 4 30 1",
                                            "% 11 4 30 -1"}));
    EXPECT_EQ(describe(*get_wave(6)), (list{"< 3 1 100 1", "> 4 1 100 1"}));
    EXPECT_EQ(describe(*get_wave(7)), (list{"< 3 1 100 1", "> 4 1 100 1", "< 10 3 100 1",
                                            "> 11 3 100 1"}));
}

TEST(WaveTable, TheStandingWavesAsFormations) {
    const auto five = get_wave(5);
    EXPECT_EQ(picture(*five), (std::vector<std::string>{
                                  "   Y\\=====/Y   ",
                                  "    Y\\===/Y    ",
                                  "     Y + Y     ",
                                  "               ",
                              }));
    EXPECT_TRUE(row_by_row(*five));
    for (const enemy& e : *five) {
        EXPECT_EQ(e.hp, e.glyph == '+' ? 100 : 60);
        EXPECT_EQ(e.aux, 0);
    }

    const auto eight = get_wave(8);
    EXPECT_EQ(picture(*eight), (std::vector<std::string>{
                                   " Y?.Y?QUE?Y.?Y ",
                                   "  Y?.?Y?Y?.?Y  ",
                                   "   Y Y Y Y Y   ",
                                   "               ",
                               }));
    EXPECT_TRUE(row_by_row(*eight));
    for (const enemy& e : *eight) {
        EXPECT_EQ(e.hp, 80);
        EXPECT_EQ(e.aux, 0);
    }
}

TEST(GetWave, OutsideOneToEightGivesANewEmptyList) {
    for (int32_t n : {0, 9, -1, INT_MIN, INT_MAX}) {
        const auto list = get_wave(n);
        ASSERT_NE(list, nullptr) << n;
        EXPECT_TRUE(list->empty()) << n;
    }
    const auto a = get_wave(1);
    const auto b = get_wave(1);
    EXPECT_NE(a.get(), b.get());
    (*a)[0].hp = 0;
    EXPECT_EQ((*b)[0].hp, 10);
}

TEST(EnemyListDead, Cases) {
    auto with_hp = [](std::vector<int32_t> hps) {
        enemy_list list;
        for (int32_t hp : hps) list.push_back(make_enemy('@', 1, 1, hp, 0));
        return list;
    };
    EXPECT_TRUE(enemy_list_dead(nullptr));
    const struct {
        std::vector<int32_t> hps;
        bool dead;
    } table[] = {
        {{}, true},          {{0, 0, 0}, true},  {{-5, -30, 0}, true}, {{INT_MIN}, true},
        {{1}, false},        {{1, 0, 0}, false}, {{0, 0, 1}, false},   {{0, 1, -1}, false},
        {{INT_MAX}, false},
    };
    for (const auto& row : table) {
        const enemy_list list = with_hp(row.hps);
        EXPECT_EQ(enemy_list_dead(&list), row.dead) << ::testing::PrintToString(row.hps);
    }
}

TEST(WaveCheck, TheFirstTickLoadsWaveOne) {
    new_game();
    tick();
    EXPECT_EQ(wave, 1);
    ASSERT_NE(enemies, nullptr);
    EXPECT_EQ(enemies->size(), 3u);
    EXPECT_EQ(screen_row(2).substr(20, 7), "WAVE: 1");
}

TEST(WaveCheck, ClearingAWaveBringsTheNextAndEmptiesTheShots) {
    for (int32_t n = 1; n <= 7; ++n) {
        SCOPED_TRACE("wave " + std::to_string(n));
        new_game();
        wave = n;
        enemies = get_wave(n);
        clear_current_wave();
        b_list = {make_bullet('*', 3, 5, 0, false), make_bullet('V', 4, 6, 2, true)};
        score = 120;
        health = 55;
        energy = 75;
        special = 3;
        b_active = 1;
        b_x = 0;
        b_y = 9;
        p_x = 6;
        wave_check();
        EXPECT_EQ(wave, n + 1);
        EXPECT_TRUE(b_list.empty());
        EXPECT_EQ(describe(*enemies), describe(*get_wave(n + 1)));
        EXPECT_EQ(score, 120);
        EXPECT_EQ(health, 55);
        EXPECT_EQ(energy, 75);
        EXPECT_EQ(special, 3);
        EXPECT_EQ(b_active, 1);
        EXPECT_EQ(b_y, 9);
        EXPECT_FALSE(quit);
        EXPECT_TRUE(test_host::frames.empty());
    }
}

TEST(WaveCheck, ALiveEnemyKeepsTheWave) {
    new_game();
    wave = 3;
    enemies = get_wave(3);
    (*enemies)[0].hp = 0;
    (*enemies)[1].hp = 1;
    b_list = {make_bullet('*', 3, 5, 0, true)};
    wave_check();
    EXPECT_EQ(wave, 3);
    EXPECT_EQ(b_list.size(), 1u);
}

TEST(WaveCheck, ClearingTheEighthWaveWins) {
    new_game();
    wave = 8;
    enemies = get_wave(8);
    clear_current_wave();
    b_list = {make_bullet('*', 0, 3, 0, true)};  // far from the ship
    tick();
    EXPECT_EQ(wave, 9);
    EXPECT_TRUE(quit);
    EXPECT_EQ(enemies->size(), 29u);  // the cleared list stays
    ASSERT_EQ(test_host::frames.size(), 2u);  // the win frame, then the tick's present
    const auto rows = frame_rows(test_host::frames[0].text);
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(rows[2].substr(20, 10), "WAVE: --  ");
    EXPECT_EQ(rows[10].substr(18, 12), "  YOU WIN!  ");
    EXPECT_EQ(rows[11].substr(18, 20), "  CONGRATULATIONS!  ");
    EXPECT_EQ(rows[5][2], '*');  // drawn before the shot phase moved it
    // The shot still moves, but the redraw is skipped: the present shows
    // the win frame again as it was.
    EXPECT_EQ(test_host::frames[1].text, test_host::frames[0].text);
    EXPECT_EQ(b_list.size(), 1u);
    EXPECT_EQ(b_list[0].y, 4);
}

TEST(WaveCheck, AShotThatStrikesInTheWinningTickCanStillLose) {
    new_game();
    wave = 8;
    health = 10;
    enemies = get_wave(8);
    clear_current_wave();
    b_list = {make_bullet('*', 7, 12, 0, true)};
    tick();
    EXPECT_TRUE(quit);
    EXPECT_EQ(health, 0);
    ASSERT_EQ(test_host::frames.size(), 3u);  // win, lose, present
    const auto lost = frame_rows(test_host::frames[2].text);
    EXPECT_EQ(lost[10].substr(20, 18), "YOUR SHIP ASPLODE!");
    EXPECT_EQ(lost[11].substr(20, 16), "SORRY =(        ");
    EXPECT_EQ(lost[2].substr(20, 8), "WAVE: --");
}

TEST(WaveCheck, QInTheClearingTickStillLoadsTheNextWave) {
    new_game();
    wave = 2;
    enemies = get_wave(2);
    clear_current_wave();
    events.push_back(key_q);
    tick();
    EXPECT_TRUE(quit);
    EXPECT_EQ(wave, 3);
    EXPECT_EQ(enemies->size(), 2u);
}
