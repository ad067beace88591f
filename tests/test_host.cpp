#include "tests/test_host.h"

#include <cstring>

#include "display/grid.h"
#include "game/port.h"
#include "game/random.h"
#include "game/state.h"

namespace test_host {

std::vector<presented_frame> frames;
bool refuse = false;
int64_t ticks_to_give = 0;
int64_t waits = 0;

}  // namespace test_host

bool window_write(const char* text) {
    test_host::frames.push_back({std::string(text, std::strlen(text)), !test_host::refuse});
    return !test_host::refuse;
}

bool wait_for_tick() {
    ++test_host::waits;
    if (test_host::ticks_to_give <= 0) return false;
    --test_host::ticks_to_give;
    return true;
}

void fresh_process() {
    quit = false;
    wave = score = p_x = health = energy = 0;
    b_x = b_y = b_active = special = special_x = 0;
    enemies.reset();
    b_list.clear();
    shots_spent = 0;
    events.clear();
    std::memset(screen, 0, sizeof screen);
    rand_state = 1;
    test_host::frames.clear();
    test_host::refuse = false;
    test_host::ticks_to_give = 0;
    test_host::waits = 0;
}

void new_game() {
    fresh_process();
    init();
}

std::string screen_row(int r) { return std::string(screen + r * grid_width, grid_width); }

std::vector<std::string> frame_rows(const std::string& text) {
    std::vector<std::string> rows;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            rows.push_back(text.substr(start));
            break;
        }
        rows.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return rows;
}
