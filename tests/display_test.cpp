#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "display/draw.h"
#include "display/grid.h"
#include "game/loop.h"
#include "game/state.h"
#include "game/waves.h"
#include "tests/test_host.h"

namespace {

void fill_screen(char c) { std::memset(screen, c, sizeof screen); }

// Indices of the cells that hold c.
std::string cells_holding(char c) {
    std::string found;
    for (int i = 0; i < grid_cells; ++i) {
        if (screen[i] == c) found += std::to_string(i) + " ";
    }
    return found;
}

}  // namespace

TEST(Grid, FrameTextOfAGridOfSpaces) {
    fresh_process();
    fill_screen(' ');
    const std::string text = frame_text();
    ASSERT_EQ(text.size(), 1241u);
    std::string want;
    for (int r = 0; r < 20; ++r) want += std::string(60, ' ') + "\r\n";
    EXPECT_EQ(text.substr(0, 1240), want);
    EXPECT_EQ(text[1240], '\0');
}

TEST(Grid, PrintLeavesTheCellsAfterTheString) {
    fresh_process();
    fill_screen(' ');
    grid_print("xyz", 20, 3);
    grid_print("ab", 20, 3);
    EXPECT_EQ(screen_row(3).substr(20, 3), "abz");
    grid_print("", 20, 3);
    EXPECT_EQ(screen_row(3).substr(20, 3), "abz");
}

TEST(Grid, OperationsAddressCellsByFlatIndexAndSkipWhatFallsOutside) {
    const struct {
        const char* what;
        void (*write)();
        const char* cells;  // indices that now hold 'x'
    } table[] = {
        {"hline", [] { grid_hline('x', 3, 2, 3); }, "123 124 125 "},
        {"vline", [] { grid_vline('x', 3, 2, 3); }, "123 183 243 "},
        {"rect", [] { grid_rect('x', 3, 2, 2, 2); }, "123 124 183 184 "},
        {"print", [] { grid_print("xx", 3, 2); }, "123 124 "},
        {"zero and negative lengths",
         [] {
             grid_hline('x', 3, 2, 0);
             grid_vline('x', 3, 2, -1);
             grid_rect('x', 3, 2, 0, 5);
             grid_rect('x', 3, 2, 5, INT_MIN);
         },
         ""},
        {"a run past column 59 goes on in the next row", [] { grid_hline('x', 58, 0, 4); },
         "58 59 60 61 "},
        {"a run past the last cell stops there", [] { grid_hline('x', 58, 19, 5); }, "1198 1199 "},
        {"a run from before the first cell starts there", [] { grid_print("xxxx", -2, 0); },
         "0 1 "},
        {"a column above the grid", [] { grid_vline('x', 0, -3, 5); }, "0 60 "},
        {"a column below the grid", [] { grid_vline('x', 5, 19, 10); }, "1145 "},
        {"a block over the corner", [] { grid_rect('x', 58, 18, 5, 5); },
         "1138 1139 1140 1141 1142 1198 1199 "},
        {"far outside", [] {
             grid_hline('x', INT_MAX, INT_MAX, INT_MAX);
             grid_hline('x', INT_MIN, INT_MIN, INT_MAX);
             grid_vline('x', 0, INT_MIN, INT_MAX);
             grid_vline('x', 0, INT_MAX, INT_MAX);
             grid_rect('x', 0, INT_MAX, INT_MAX, INT_MAX);
             grid_rect('x', INT_MIN, INT_MIN, INT_MAX, INT_MAX);
             grid_print("xx", INT_MAX, INT_MAX);
             grid_print("xx", INT_MIN, INT_MIN);
             grid_put('x', -1, 0);
             grid_put('x', 0, 20);
         },
         ""},
    };
    for (const auto& row : table) {
        fresh_process();
        row.write();
        EXPECT_EQ(cells_holding('x'), row.cells) << row.what;
    }
}

TEST(Grid, HugeRunsFillExactlyTheGrid) {
    fresh_process();
    grid_rect('x', -100, -100, INT_MAX, INT_MAX);
    EXPECT_EQ(cells_holding('\0'), "");
    fresh_process();
    grid_hline('x', -100, 0, INT_MAX);
    EXPECT_EQ(cells_holding('\0'), "");
    fresh_process();
    grid_vline('x', 7, -5, INT_MAX);
    EXPECT_EQ(cells_holding('x'),
              "7 67 127 187 247 307 367 427 487 547 607 667 727 787 847 907 967 1027 1087 1147 ");
}

TEST(Grid, DisplayFlipHandsTheTextToTheHostAndQuitsWhenRefused) {
    fresh_process();
    fill_screen(' ');
    screen[0] = '\xA5';
    screen[1] = '\xBA';
    display_flip();
    ASSERT_EQ(test_host::frames.size(), 1u);
    EXPECT_EQ(test_host::frames[0].text.size(), 1240u);
    EXPECT_EQ(test_host::frames[0].text.substr(0, 2), "\xA5\xBA");
    EXPECT_FALSE(quit);

    test_host::refuse = true;
    display_flip();
    EXPECT_TRUE(quit);

    // A zero byte ends the text for the host.
    fresh_process();
    fill_screen(' ');
    screen[65] = '\0';
    display_flip();
    EXPECT_EQ(test_host::frames[0].text, std::string(60, ' ') + "\r\n" + std::string(5, ' '));
}

TEST(IntToGraph, Table) {
    const struct {
        int32_t value;
        const char* bar;
    } table[] = {
        {100, "0000000000"}, {95, "000000000."}, {75, "0000000."}, {56, "00000o"},
        {55, "00000."},      {50, "00000"},      {6, "o"},         {5, "."},
        {1, "."},            {0, ""},            {-5, ""},         {-15, ""},
        {INT_MIN, ""},       {110, "00000000000"}, {109, "0000000000o"},
        // Longer bars are cut at the 11 characters the panel has room for.
        {119, "00000000000"}, {INT_MAX, "00000000000"},
    };
    for (const auto& row : table) EXPECT_EQ(int_to_graph(row.value), row.bar) << row.value;
}

TEST(Draw, TheFirstFrameOfAGame) {
    new_game();
    tick();
    ASSERT_EQ(test_host::frames.size(), 1u);
    // Wave 1 after one tick of its behaviour: the right-hand `@` has
    // already hopped one column towards the middle.
    EXPECT_EQ(frame_rows(test_host::frames[0].text), (std::vector<std::string>{
        "                                                            ",
        " #################                                          ",
        " #               #  WAVE: 1                                 ",
        " #               #                                          ",
        " #  @        @   #  SCORE: 0                                ",
        " #       @       #                                          ",
        " #               #  HEALTH: 0000000000                      ",
        " #               #                                          ",
        " #               #  ENERGY: 0000000000                      ",
        " #               #                                          ",
        " #               #                                          ",
        " #               #                                          ",
        " #               #                                          ",
        " #               #                                          ",
        " #               #                                          ",
        " #       ^       #                                          ",
        " #               #                                          ",
        " #################                                          ",
        "                                                            ",
        " CONTROLS: Left/Right=Move  Up=Shoot  Down=Special  Q=Quit  ",
    }));
    EXPECT_EQ(test_host::frames[0].text.size(), 1240u);
}

TEST(Draw, StatusPanel) {
    const struct {
        int32_t wave, score, health, energy;
        const char *row2, *row4, *row6, *row8;
    } table[] = {
        {9, 680, 35, 0, "WAVE: --", "SCORE: 680", "HEALTH: 000.", "ENERGY: "},
        {8, 0, 0, 25, "WAVE: 8", "SCORE: 0", "HEALTH: ", "ENERGY: 00."},
        {0, 10, -15, 100, "WAVE: 0", "SCORE: 10", "HEALTH: ", "ENERGY: 0000000000"},
        {10, 99999, 56, 50, "WAVE: 10", "SCORE: 99999", "HEALTH: 00000o", "ENERGY: 00000"},
    };
    // Columns 20 to 43 of a panel row, and a text padded to that width.
    auto panel = [](int row) { return screen_row(row).substr(20, 24); };
    auto pad = [](std::string text) { return text.append(24 - text.size(), ' '); };
    for (const auto& row : table) {
        new_game();
        wave = row.wave;
        score = row.score;
        health = row.health;
        energy = row.energy;
        draw();
        EXPECT_EQ(panel(2), pad(row.row2));
        EXPECT_EQ(panel(4), pad(row.row4));
        EXPECT_EQ(panel(6), pad(row.row6));
        EXPECT_EQ(panel(8), pad(row.row8));
    }
}

TEST(Draw, WhatIsOnThePlayfield) {
    new_game();
    enemies = std::make_unique<enemy_list>(enemy_list{
        make_enemy('\xA5', 3, 1, 60, 0),
        make_enemy('=', 4, 1, 0, 0),    // dead: not drawn
        make_enemy('+', 7, 3, 100, 0),  // under a live shot
    });
    b_list = {make_bullet(':', 7, 3, 0, true), make_bullet('*', 9, 9, 0, false),
              make_bullet('\xBA', 0, 14, 0, true)};
    b_active = 1;
    b_x = 12;
    b_y = 0;
    p_x = 14;
    draw();
    EXPECT_EQ(screen_row(2).substr(0, 18), " #            |  #");
    EXPECT_EQ(screen_row(3).substr(0, 18), " #   \xA5           #");
    EXPECT_EQ(screen_row(5).substr(0, 18), " #       :       #");
    EXPECT_EQ(screen_row(11).substr(0, 18), " #               #");
    EXPECT_EQ(screen_row(15).substr(0, 18), " #              ^#");
    EXPECT_EQ(screen_row(16).substr(0, 18), " #\xBA              #");

    enemies.reset();  // no list: shots are still drawn
    draw();
    EXPECT_EQ(screen_row(3).substr(0, 18), " #               #");
    EXPECT_EQ(screen_row(16).substr(0, 18), " #\xBA              #");
}
