// padstorm-bot: plays a whole game by reading the state before every tick,
// and prints the keys it pressed as a replay script. It made the winning
// game kept in tests/games/.
//
// The ship may take several steps in one tick, so the bot always stands
// where no shot lands next tick: under the lowest live enemy it can reach
// safely, firing whenever the laser is free, and it starts a special attack
// whenever one is free, standing under the most enemies in its damage tick.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/loop.h"
#include "game/port.h"
#include "game/state.h"

bool window_write(const char*) { return true; }
bool wait_for_tick() { return true; }

namespace {

// Row a live shot stands on after the next shot phase.
int32_t next_row(const bullet& b) {
    switch (b.glyph) {
    case ':':
        return b.y + 2;
    case 'V':
        return b.age > 4 ? b.y + 1 : b.y;
    default:
        return b.y + 1;
    }
}

bool safe(int32_t column) {
    for (const bullet& b : b_list) {
        if (b.active && b.x == column && next_row(b) == 13) return false;
    }
    return true;
}

int32_t live_within(int32_t column, int32_t reach) {
    int32_t n = 0;
    for (const enemy& e : *enemies) n += e.hp > 0 && e.x >= column - reach && e.x <= column + reach;
    return n;
}

// Where an enemy will stand when a laser fired now reaches its row: the
// laser meets row y in the (12 - y)th tick from now, counting this one, and
// a patrolling `<` or `>` steps every tick before the laser moves.
int32_t arrival_column(const enemy& e) {
    if (e.glyph != '<' && e.glyph != '>') return e.x;
    const int32_t left_turn = e.glyph == '<' ? 0 : 1;
    const int32_t right_turn = e.glyph == '<' ? 13 : 14;
    int32_t x = e.x, aux = e.aux;
    for (int32_t t = 0; t < 12 - e.y; ++t) {
        x += aux;
        if (x == right_turn) aux = -1;
        if (x == left_turn) aux = 1;
    }
    return x;
}

// Best column for the ship this tick, by a score: higher is better.
int32_t choose_column() {
    int32_t best = p_x;
    long best_score = -1'000'000;
    for (int32_t c = 0; c <= 14; ++c) {
        if (!safe(c)) continue;
        long score = -std::abs(c - p_x);  // stay close
        if (enemies && special == 8) score += 1000 * live_within(c, 2);
        if (enemies && b_active == 0) {
            for (const enemy& e : *enemies) {
                if (e.hp > 0 && arrival_column(e) == c) score = std::max(score, 100L + e.y * 10 - std::abs(c - p_x));
            }
        }
        if (score > best_score) {
            best_score = score;
            best = c;
        }
    }
    return best;
}

// Presses this tick's keys and returns them as a line of the script.
std::string press_keys() {
    std::string line;
    auto press = [&line](int32_t code, const char* name) {
        events.push_back(code);
        line += (line.empty() ? "" : " ") + std::string(name);
    };
    if (!enemies) return line;  // the first tick: nothing to aim at yet
    const int32_t target = choose_column();
    for (int32_t c = p_x; c > target; --c) press(key_left, "left");
    for (int32_t c = p_x; c < target; ++c) press(key_right, "right");
    bool under_enemy = false;
    for (const enemy& e : *enemies) under_enemy |= e.hp > 0 && arrival_column(e) == target;
    if (b_active == 0 && under_enemy) press(key_up, "up");
    if (special == 0 && energy >= 25 && live_within(target, 2) >= 3) press(key_down, "down");
    return line;
}

}  // namespace

int main() {
    init();
    std::vector<std::string> lines;
    while (!quit && lines.size() < 100000) {
        lines.push_back(press_keys());
        tick();
    }
    // The first tick has no keys; its line also carries the header.
    lines[0] = "# A won game, played by tests/bot.cpp: " + std::to_string(lines.size()) +
               " ticks, score " + std::to_string(score) + ", health " + std::to_string(health);
    // Runs of equal lines as one line with *N.
    for (size_t i = 0; i < lines.size();) {
        size_t j = i;
        while (j < lines.size() && lines[j] == lines[i]) ++j;
        const std::string& keys = lines[i];
        if (i == 0 || j - i == 1) {
            std::printf("%s\n", keys.c_str());
        } else {
            std::printf("%s%s*%zu\n", keys.c_str(), keys.empty() ? "" : " ", j - i);
        }
        i = j;
    }
    return wave == 9 && health > 0 ? 0 : 1;
}
