#include "replay/replay.h"

#include <cstring>

#include "game/loop.h"
#include "game/port.h"
#include "game/state.h"
#include "replay/utf8.h"

namespace {

// The scripted host.
struct {
    const key_script* script = nullptr;
    replay_options options;
    std::FILE* out = nullptr;
    size_t line = 0;        // script line of the next tick
    int64_t left = 0;       // ticks still to play from that line
    int64_t tick = 0;       // the tick running now, from 1
    int64_t frames = 0;     // frames presented so far
    bool closed = false;    // the host is gone: every frame is refused
    std::string last;       // the last frame's report, for --last
} host;

void emit(const std::string& text) {
    if (host.options.utf8) {
        const std::string converted = to_utf8(text);
        std::fwrite(converted.data(), 1, converted.size(), host.out);
    } else {
        std::fwrite(text.data(), 1, text.size(), host.out);
    }
}

}  // namespace

bool window_write(const char* text) {
    ++host.frames;
    const bool ok = !host.closed;
    if (host.options.output == replay_output::end_only) return ok;
    std::string report = "@frame " + std::to_string(host.tick) + " " +
                         std::to_string(host.frames) + (ok ? " ok\n" : " refused\n");
    report.append(text, std::strlen(text));
    if (host.options.output == replay_output::last_frame) {
        host.last = std::move(report);
    } else {
        emit(report);
    }
    return ok;
}

bool wait_for_tick() {
    const key_script& script = *host.script;
    while (host.left == 0) {
        if (host.line >= script.size()) return false;
        host.left = script[host.line].repeat;
        ++host.line;
    }
    const script_line& line = script[host.line - 1];
    // A closed host stays closed, from the first tick of its line on.
    if (line.close) host.closed = true;
    events.insert(events.end(), line.keys.begin(), line.keys.end());
    --host.left;
    ++host.tick;
    return true;
}

void run_replay(const key_script& script, const replay_options& options, std::FILE* out) {
    host.script = &script;
    host.options = options;
    host.out = out;
    init();
    main_loop();
    if (options.output == replay_output::last_frame) emit(host.last);
    char end[160];
    std::snprintf(end, sizeof end, "@end %lld wave=%d score=%d health=%d energy=%d quit=%d\n",
                  static_cast<long long>(host.tick), static_cast<int>(wave),
                  static_cast<int>(score), static_cast<int>(health),
                  static_cast<int>(energy), quit ? 1 : 0);
    emit(end);
    std::fflush(out);
}
