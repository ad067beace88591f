// Key scripts: one line for each tick, holding the virtual-key codes that
// reach the game just before that tick.
//
//   left left up      # three codes in one tick
//   0x28              # Down, by its code
//                     # an empty line is a tick without keys
//   right *20         # twenty ticks, each with one Right
//   close             # the host is gone from this tick on
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

struct script_line {
    std::vector<int32_t> keys;
    bool close = false;     // the host refuses every frame from this tick on
    int64_t repeat = 1;     // how many ticks the line stands for
};

using key_script = std::vector<script_line>;

// Reads a whole script. On the first bad token returns false and sets
// `error` to one line naming the line number and the token.
bool parse_script(std::istream& in, key_script& script, std::string& error);

// Ticks the script stands for, repeats expanded.
int64_t script_ticks(const key_script& script);
