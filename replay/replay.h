// The replay host: plays a key script through the real main loop and
// prints every frame the game presents.
#pragma once

#include <cstdio>
#include <string>

#include "replay/script.h"

enum class replay_output {
    every_frame,  // each frame with its header, then the end line
    last_frame,   // only the last frame and the end line
    end_only,     // only the end line
};

struct replay_options {
    replay_output output = replay_output::every_frame;
    bool utf8 = false;  // LF line ends and UTF-8 text, for reading
};

// Plays a fresh game (one per process: the game's state is process-wide)
// and writes the report to `out`.
void run_replay(const key_script& script, const replay_options& options, std::FILE* out);
