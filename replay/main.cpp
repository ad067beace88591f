// padstorm-replay: plays a game from a key script and prints its frames.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "replay/replay.h"
#include "replay/script.h"

namespace {

const char* const usage =
    "usage: padstorm-replay [--last | --quiet] [--utf8] [SCRIPT | -]\n"
    "\n"
    "Plays a game of padstorm from a key script and prints every frame.\n"
    "\n"
    "SCRIPT (standard input when absent or -): line i holds the keys of tick i.\n"
    "  Tokens are separated by white space; # starts a comment. A token is a\n"
    "  virtual-key code in hex (25, 0x26, 1b), a name (left up right down q),\n"
    "  close (the host refuses every frame from this tick on), or *N as the\n"
    "  last token (the line stands for N ticks, 1 to 10000000).\n"
    "\n"
    "Output: for every frame presented, '@frame T N ok' (or 'refused') and the\n"
    "frame text as the host gets it (CR LF line ends, Windows-1252); at the end\n"
    "'@end T wave=W score=S health=H energy=E quit=Q'.\n"
    "\n"
    "  --last   only the last frame and the end line\n"
    "  --quiet  only the end line\n"
    "  --utf8   LF line ends and UTF-8 text, for reading\n"
    "  --help   this text\n"
    "\n"
    "Bad script or missing file: a message on stderr, exit status 2.\n";

int fail(const std::string& message) {
    std::fprintf(stderr, "padstorm-replay: %s\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Frames are bytes: no line-end translation on the way out.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    replay_options options;
    std::string path = "-";
    bool have_path = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(usage, stdout);
            return 0;
        } else if (arg == "--last") {
            if (options.output != replay_output::end_only) options.output = replay_output::last_frame;
        } else if (arg == "--quiet") {
            options.output = replay_output::end_only;
        } else if (arg == "--utf8") {
            options.utf8 = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return fail("unknown option '" + arg + "' (try --help)");
        } else if (have_path) {
            return fail("more than one script named (try --help)");
        } else {
            path = arg;
            have_path = true;
        }
    }

    key_script script;
    std::string error;
    bool parsed = false;
    if (path == "-") {
        parsed = parse_script(std::cin, script, error);
    } else {
        std::ifstream file(path, std::ios::binary);
        if (!file) return fail("cannot open '" + path + "': " + std::strerror(errno));
        parsed = parse_script(file, script, error);
    }
    if (!parsed) return fail(error);

    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    run_replay(script, options, stdout);
    return 0;
}
