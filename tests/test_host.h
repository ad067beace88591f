// A host for the tests: it keeps every frame the game presents, can refuse
// them like a closed Notepad, and gives a set number of ticks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct presented_frame {
    std::string text;  // as the host reads it: up to the first zero byte
    bool taken;
};

namespace test_host {

extern std::vector<presented_frame> frames;
extern bool refuse;           // refuse every frame from now on
extern int64_t ticks_to_give; // wait_for_tick returns false once this reaches 0
extern int64_t waits;         // calls of wait_for_tick

}  // namespace test_host

// Everything as at process start: zero bytes in the screen, no enemy list,
// no shots or keys, special attack idle, generator at its start, host
// taking frames.
void fresh_process();

// A fresh process after `init`: the state the first tick of a game sees.
void new_game();

// Row r of the screen grid as text.
std::string screen_row(int r);

// The 20 rows of a frame text, without their CR LF.
std::vector<std::string> frame_rows(const std::string& text);
