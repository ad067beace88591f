#include "replay/replay.h"

#include <cstring>

#include "game/loop.h"
#include "game/port.h"
#include "game/state.h"

namespace {

// Unicode code points of Windows-1252 bytes 0x80..0x9F; the five bytes the
// code page leaves unassigned keep their own value.
constexpr char16_t cp1252_high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

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

std::string to_utf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else if (byte < 0xA0) {
            append_utf8(out, cp1252_high[byte - 0x80]);
        } else {
            append_utf8(out, byte);  // 0xA0..0xFF are Latin-1
        }
    }
    return out;
}

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
