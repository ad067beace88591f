#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "display/grid.h"
#include "game/loop.h"
#include "game/state.h"
#include "tests/test_host.h"

namespace {

struct key_case {
    const char* what;
    // state before the drain
    int32_t p_x, b_active, energy, special;
    std::vector<int32_t> codes;
    // state after it
    int32_t want_p_x, want_b_active, want_b_x, want_b_y, want_special, want_energy;
    bool want_quit;
};

const key_case key_table[] = {
    // what                         p_x act en  sp   codes                       p_x act b_x b_y sp en   quit
    {"left moves left",              7, 0, 100, 0, {0x25},                        6, 0, 0, 0, 0, 100, false},
    {"left stops at column 0",       0, 0, 100, 0, {0x25},                        0, 0, 0, 0, 0, 100, false},
    {"right moves right",            7, 0, 100, 0, {0x27},                        8, 0, 0, 0, 0, 100, false},
    {"right reaches column 14",     13, 0, 100, 0, {0x27},                       14, 0, 0, 0, 0, 100, false},
    {"right stops at column 14",    14, 0, 100, 0, {0x27},                       14, 0, 0, 0, 0, 100, false},
    {"three lefts in one tick",      7, 0, 100, 0, {0x25, 0x25, 0x25},            4, 0, 0, 0, 0, 100, false},
    {"up launches from the ship",    9, 0, 100, 0, {0x26},                        9, 1, 9, 12, 0, 100, false},
    {"up then left: old column",     9, 0, 100, 0, {0x26, 0x25},                  8, 1, 9, 12, 0, 100, false},
    {"left then up: new column",     9, 0, 100, 0, {0x25, 0x26},                  8, 1, 8, 12, 0, 100, false},
    {"up while a laser flies",       9, 1, 100, 0, {0x26},                        9, 1, 0, 0, 0, 100, false},
    {"down starts the special",      7, 0, 100, 0, {0x28},                        7, 0, 0, 0, 1, 75, false},
    {"down with the last 25",        7, 0, 25, 0, {0x28},                         7, 0, 0, 0, 1, 0, false},
    {"down with 24 energy",          7, 0, 24, 0, {0x28},                         7, 0, 0, 0, 0, 24, false},
    {"down while one runs",          7, 0, 100, 3, {0x28},                        7, 0, 0, 0, 3, 100, false},
    {"two downs: one special",       7, 0, 100, 0, {0x28, 0x28},                  7, 0, 0, 0, 1, 75, false},
    {"q quits",                      7, 0, 100, 0, {0x51},                        7, 0, 0, 0, 0, 100, true},
    {"q then right: both act",       7, 0, 100, 0, {0x51, 0x27},                  8, 0, 0, 0, 0, 100, true},
    {"lower-case q code is not Q",   7, 0, 100, 0, {0x71},                        7, 0, 0, 0, 0, 100, false},
    {"space, escape, A: nothing",    7, 0, 100, 0, {0x20, 0x1B, 0x41},            7, 0, 0, 0, 0, 100, false},
    {"odd codes: nothing",           7, 0, 100, 0, {0, -1, INT_MIN, INT_MAX, 0x125, 0x10025},
                                                                                  7, 0, 0, 0, 0, 100, false},
};

}  // namespace

TEST(KeyDrain, FollowsTheKeyTable) {
    for (const key_case& k : key_table) {
        SCOPED_TRACE(k.what);
        new_game();
        p_x = k.p_x;
        b_active = k.b_active;
        energy = k.energy;
        special = k.special;
        events.assign(k.codes.begin(), k.codes.end());
        key_drain();
        EXPECT_TRUE(events.empty());
        EXPECT_EQ(p_x, k.want_p_x);
        EXPECT_EQ(b_active, k.want_b_active);
        EXPECT_EQ(b_x, k.want_b_x);
        EXPECT_EQ(b_y, k.want_b_y);
        EXPECT_EQ(special, k.want_special);
        EXPECT_EQ(energy, k.want_energy);
        EXPECT_EQ(quit, k.want_quit);
    }
}

TEST(KeyDrain, AFifthDownInAGameIsIgnored) {
    new_game();
    for (int attack = 1; attack <= 5; ++attack) {
        events.push_back(key_down);
        tick();
        EXPECT_EQ(special, attack <= 4 ? 2 : 0) << "attack " << attack;
        for (int i = 0; i < 12; ++i) tick();  // let it run out
        EXPECT_EQ(special, 0);
    }
    EXPECT_EQ(energy, 0);
}

TEST(MainLoop, EveryMessageRunsOneTickAndPresentsOneFrame) {
    new_game();
    p_x = 0;  // out of the way of wave 1's shots
    test_host::ticks_to_give = 5;
    main_loop();
    EXPECT_EQ(test_host::waits, 6);  // the sixth wait finds no more ticks
    EXPECT_EQ(test_host::frames.size(), 5u);
    EXPECT_EQ(wave, 1);
}

TEST(MainLoop, ARefusedFrameEndsTheLoopAfterItsTick) {
    new_game();
    test_host::refuse = true;
    test_host::ticks_to_give = 100;
    main_loop();
    EXPECT_TRUE(quit);
    EXPECT_EQ(test_host::waits, 1);
    ASSERT_EQ(test_host::frames.size(), 1u);
    EXPECT_FALSE(test_host::frames[0].taken);
    EXPECT_NE(test_host::frames[0].text.find("WAVE: 1"), std::string::npos);
}

TEST(MainLoop, QBeforeTheFirstTickPresentsAnEmptyText) {
    new_game();
    events.push_back(key_q);
    test_host::ticks_to_give = 100;
    main_loop();
    EXPECT_EQ(test_host::waits, 1);
    // The redraw is skipped, and the grid still holds the zero bytes of
    // process start, so the host reads nothing.
    ASSERT_EQ(test_host::frames.size(), 1u);
    EXPECT_EQ(test_host::frames[0].text, "");
    EXPECT_EQ(wave, 1);  // the wave check still ran
}

TEST(MainLoop, QWithALaserInFlightShowsItsOldCellBlank) {
    new_game();
    p_x = 0;
    tick();
    events.push_back(key_up);
    tick();
    tick();  // laser on row 10
    ASSERT_EQ(b_y, 10);
    EXPECT_EQ(screen_row(12)[2], '|');
    events.push_back(key_q);
    tick();
    EXPECT_TRUE(quit);
    EXPECT_EQ(b_y, 9);  // it still moved
    const auto rows = frame_rows(test_host::frames.back().text);
    EXPECT_EQ(rows[12][2], ' ');  // old cell blanked
    EXPECT_EQ(rows[11][2], ' ');  // new cell never drawn
}
