// How long the game's own work takes: a whole tick, a redraw, a
// presentation. The host's write is a no-op here.
#include <benchmark/benchmark.h>

#include <cstring>

#include "display/draw.h"
#include "display/grid.h"
#include "game/loop.h"
#include "game/port.h"
#include "game/random.h"
#include "game/state.h"

bool window_write(const char* text) {
    benchmark::DoNotOptimize(text);
    return true;
}

bool wait_for_tick() { return true; }

namespace {

void start_game() {
    enemies.reset();
    b_list.clear();
    events.clear();
    special = 0;
    rand_state = 1;
    std::memset(screen, 0, sizeof screen);
    init();
}

// A game in wave 1 with the ship parked where no shot falls.
void BM_Tick(benchmark::State& state) {
    start_game();
    p_x = 0;
    for (auto _ : state) {
        tick();
        if (quit) state.SkipWithError("the game ended");
    }
}
BENCHMARK(BM_Tick);

// Wave 8, the largest, with shots in flight.
void BM_TickWave8(benchmark::State& state) {
    start_game();
    wave = 7;
    enemies = std::make_unique<enemy_list>();  // cleared: the next tick loads wave 8
    p_x = 0;
    for (int i = 0; i < 40; ++i) tick();
    for (auto _ : state) {
        health = 100;
        tick();
    }
}
BENCHMARK(BM_TickWave8);

void BM_Draw(benchmark::State& state) {
    start_game();
    tick();
    for (auto _ : state) draw();
}
BENCHMARK(BM_Draw);

void BM_DisplayFlip(benchmark::State& state) {
    start_game();
    tick();
    for (auto _ : state) display_flip();
}
BENCHMARK(BM_DisplayFlip);

}  // namespace

BENCHMARK_MAIN();
