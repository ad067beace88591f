// padstorm-probe: looks at the desktop from the outside for the end-to-end
// tests. It finds windows, reads and sets Notepad's text, reads and closes
// the start-up notice, and watches the frames arrive. Every wait polls with
// a bound given on the command line and reports failure with exit status 1.
//
//   padstorm-probe wait-window CLASS MS       a visible top-level window
//   padstorm-probe wait-no-window CLASS MS    until none is visible
//   padstorm-probe notice MS                  the notice's caption and texts
//   padstorm-probe notice-ok MS               press the notice's button
//   padstorm-probe text FILE                  Notepad's text, exact bytes
//   padstorm-probe set-text TEXT              replace Notepad's text
//   padstorm-probe wait-text MS FILE COND...  until the text meets them all
//   padstorm-probe watch MS                   count text changes for MS
//   padstorm-probe rate COVER MS              frames written per second
//   padstorm-probe menu                       the open menu, if any
//   padstorm-probe selection                  the edit control's selection
//   padstorm-probe codepage                   how 0xA5 and 0xBA get through
//   padstorm-probe edit                       handle of Notepad's edit control
//   padstorm-probe wait-destroyed HANDLE MS   until that window is destroyed
//   padstorm-probe discard                    mark Notepad's text unchanged
//   padstorm-probe close-notepad              as if its close box was hit
//
// Conditions of wait-text: has:STR (the text contains STR), not:STR,
// cell:C:R:X (frame cell at column C, row R holds the character X),
// row:R:STR (frame row R is exactly STR), col:C:X (X somewhere in column C
// between rows 2 and 14, the playfield above the ship), beam:C (the columns
// C-2 to C+2 all '!' from row 2 to row 14), byte:HH (the byte 0xHH occurs),
// frame (20 lines of 60 characters, each ended by CR LF), differs (not the
// text seen at the first look).
// Texts are passed through as bytes; FILE may be - for standard output.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

DWORD start_ms;

bool timed_out(DWORD bound_ms) { return GetTickCount() - start_ms >= bound_ms; }

void nap() { Sleep(2); }

HWND find_notepad_edit() {
    HWND notepad = FindWindowA("Notepad", NULL);
    if (notepad == NULL) return NULL;
    return FindWindowExA(notepad, NULL, "Edit", NULL);
}

// The text of the edit control as an 8-bit program sees it; false when the
// control is gone.
bool read_text(HWND edit, std::string& out) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return false;
    std::vector<char> buffer(length + 64);
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(edit, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, 5000, &got))
        return false;
    out.assign(buffer.data(), got);
    return true;
}

bool write_file(const char* path, const std::string& bytes) {
    FILE* f = std::strcmp(path, "-") == 0 ? stdout : std::fopen(path, "wb");
    if (f == NULL) return false;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    if (f != stdout) std::fclose(f);
    else std::fflush(f);
    return true;
}

bool is_frame(const std::string& t) {
    if (t.size() != 20 * 62) return false;
    for (int r = 0; r < 20; ++r) {
        for (int c = 0; c < 60; ++c) {
            char ch = t[r * 62 + c];
            if (ch == '\r' || ch == '\n' || ch == '\0') return false;
        }
        if (t[r * 62 + 60] != '\r' || t[r * 62 + 61] != '\n') return false;
    }
    return true;
}

bool meets(const std::string& t, const std::string& first, const char* cond) {
    std::string c = cond;
    if (c.rfind("has:", 0) == 0) return t.find(c.substr(4)) != std::string::npos;
    if (c.rfind("not:", 0) == 0) return t.find(c.substr(4)) == std::string::npos;
    if (c == "frame") return is_frame(t);
    if (c == "differs") return t != first;
    if (c.rfind("byte:", 0) == 0) {
        const char b = static_cast<char>(std::strtoul(c.c_str() + 5, NULL, 16));
        return t.find(b) != std::string::npos;
    }
    if (c.rfind("col:", 0) == 0) {
        int col = 0;
        char ch = 0;
        if (std::sscanf(c.c_str() + 4, "%d:%c", &col, &ch) != 2) return false;
        if (!is_frame(t)) return false;
        for (int row = 2; row <= 14; ++row) {
            if (t[row * 62 + col] == ch) return true;
        }
        return false;
    }
    if (c.rfind("beam:", 0) == 0) {
        const int centre = std::atoi(c.c_str() + 5);
        if (!is_frame(t)) return false;
        for (int col = centre - 2; col <= centre + 2; ++col) {
            for (int row = 2; row <= 14; ++row) {
                if (t[row * 62 + col] != '!') return false;
            }
        }
        return true;
    }
    if (c.rfind("cell:", 0) == 0) {
        int col = 0, row = 0;
        char ch = 0;
        if (std::sscanf(c.c_str() + 5, "%d:%d:%c", &col, &row, &ch) != 3) return false;
        return is_frame(t) && t[row * 62 + col] == ch;
    }
    if (c.rfind("row:", 0) == 0) {
        size_t colon = c.find(':', 4);
        if (colon == std::string::npos) return false;
        int row = std::atoi(c.substr(4, colon - 4).c_str());
        return is_frame(t) && t.compare(row * 62, 60, c.substr(colon + 1)) == 0;
    }
    std::fprintf(stderr, "padstorm-probe: unknown condition %s\n", cond);
    std::exit(2);
}

HWND find_visible(const char* cls) {
    HWND w = NULL;
    while ((w = FindWindowExA(NULL, w, cls, NULL)) != NULL) {
        if (IsWindowVisible(w)) return w;
    }
    return NULL;
}

struct child_list {
    std::vector<HWND> windows;
};

BOOL CALLBACK collect_child(HWND w, LPARAM list) {
    reinterpret_cast<child_list*>(list)->windows.push_back(w);
    return TRUE;
}

std::string class_of(HWND w) {
    char name[256] = "";
    GetClassNameA(w, name, sizeof name);
    return name;
}

std::string text_of(HWND w) {
    char text[1024] = "";
    GetWindowTextA(w, text, sizeof text);
    return text;
}

// The notice is the one visible dialog window on the desktop.
HWND wait_notice(DWORD bound) {
    for (;;) {
        HWND box = find_visible("#32770");
        if (box != NULL) return box;
        if (timed_out(bound)) return NULL;
        nap();
    }
}

int usage() {
    std::fputs("usage: padstorm-probe COMMAND ARGS (see the top of probe.cpp)\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    start_ms = GetTickCount();
    // Texts go out byte for byte, CR LF included.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2) return usage();
    const std::string cmd = argv[1];

    if ((cmd == "wait-window" || cmd == "wait-no-window") && argc == 4) {
        const DWORD bound = std::strtoul(argv[3], NULL, 10);
        for (;;) {
            HWND w = find_visible(argv[2]);
            if (cmd == "wait-window" && w != NULL) {
                std::printf("%p\n", static_cast<void*>(w));
                return 0;
            }
            if (cmd == "wait-no-window" && w == NULL) return 0;
            if (timed_out(bound)) return 1;
            nap();
        }
    }

    if (cmd == "notice" && argc == 3) {
        HWND box = wait_notice(std::strtoul(argv[2], NULL, 10));
        if (box == NULL) return 1;
        std::printf("caption=%s\n", text_of(box).c_str());
        child_list children;
        EnumChildWindows(box, collect_child, reinterpret_cast<LPARAM>(&children));
        for (HWND w : children.windows) {
            if (!IsWindowVisible(w)) continue;
            std::printf("%s id=%d style=%08lx text=%s\n", class_of(w).c_str(), GetDlgCtrlID(w),
                        static_cast<unsigned long>(GetWindowLongA(w, GWL_STYLE)), text_of(w).c_str());
        }
        return 0;
    }

    if (cmd == "notice-ok" && argc == 3) {
        HWND box = wait_notice(std::strtoul(argv[2], NULL, 10));
        if (box == NULL) return 1;
        child_list children;
        EnumChildWindows(box, collect_child, reinterpret_cast<LPARAM>(&children));
        for (HWND w : children.windows) {
            if (IsWindowVisible(w) && class_of(w) == "Button") {
                // A click as the player would make it: the box ends itself.
                PostMessageA(w, BM_CLICK, 0, 0);
                return 0;
            }
        }
        return 1;
    }

    if (cmd == "text" && argc == 3) {
        std::string t;
        HWND edit = find_notepad_edit();
        if (edit == NULL || !read_text(edit, t)) return 1;
        return write_file(argv[2], t) ? 0 : 1;
    }

    if (cmd == "set-text" && argc == 3) {
        HWND edit = find_notepad_edit();
        if (edit == NULL) return 1;
        return SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[2])) ? 0 : 1;
    }

    if (cmd == "wait-text" && argc >= 4) {
        const DWORD bound = std::strtoul(argv[2], NULL, 10);
        std::string first, t;
        bool have_first = false;
        for (;;) {
            HWND edit = find_notepad_edit();
            if (edit != NULL && read_text(edit, t)) {
                if (!have_first) {
                    first = t;
                    have_first = true;
                }
                bool all = true;
                for (int i = 4; i < argc && all; ++i) all = meets(t, first, argv[i]);
                if (all) return write_file(argv[3], t) ? 0 : 1;
            }
            if (timed_out(bound)) {
                write_file(argv[3], t);
                return 1;
            }
            nap();
        }
    }

    if (cmd == "watch" && argc == 3) {
        // Reads the text as fast as Notepad answers and counts how often it
        // differs from the text read just before.
        const DWORD bound = std::strtoul(argv[2], NULL, 10);
        HWND edit = find_notepad_edit();
        std::string last, t;
        long changes = 0, reads = 0;
        if (edit == NULL || !read_text(edit, last)) return 1;
        while (!timed_out(bound)) {
            if (!read_text(edit, t)) break;
            ++reads;
            if (t != last) ++changes;
            last.swap(t);
            Sleep(1);
        }
        std::printf("changes=%ld reads=%ld ms=%lu\n", changes, reads,
                    static_cast<unsigned long>(GetTickCount() - start_ms));
        return 0;
    }

    if (cmd == "rate" && argc == 4) {
        // Frames written per second. Setting a text puts the edit control's
        // caret back at the start, so the probe moves the caret off the
        // start and counts how often it finds it back there. On a busy
        // machine the probe itself may be held up, and two frames written
        // during one such pause would count as one: only the stretches
        // between two looks that are at most 25 ms apart (half a tick) are
        // counted, until they add up to COVER ms or MS have passed.
        const double cover = std::strtod(argv[2], NULL);
        const double bound = std::strtod(argv[3], NULL);
        HWND edit = find_notepad_edit();
        if (edit == NULL) return 1;
        LARGE_INTEGER frequency, begin;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&begin);
        auto now_ms = [&]() {
            LARGE_INTEGER t;
            QueryPerformanceCounter(&t);
            return 1000.0 * static_cast<double>(t.QuadPart - begin.QuadPart) /
                   static_cast<double>(frequency.QuadPart);
        };
        long writes = 0, looks = 0;
        double covered = 0, longest = 0;
        SendMessageA(edit, EM_SETSEL, 1, 1);
        double last = now_ms();
        while (covered < cover && now_ms() < bound) {
            DWORD from = 0, to = 0;
            DWORD_PTR ignored = 0;
            if (!SendMessageTimeoutA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                                     reinterpret_cast<LPARAM>(&to), SMTO_ABORTIFHUNG, 5000, &ignored))
                return 1;
            const double t = now_ms();
            const double gap = t - last;
            const bool written = from == 0 && to == 0;
            ++looks;
            if (gap > longest) longest = gap;
            if (gap <= 25.0) {
                covered += gap;
                if (written) ++writes;
            }
            if (written) SendMessageA(edit, EM_SETSEL, 1, 1);
            last = now_ms();
            Sleep(1);
        }
        std::printf("rate=%.1f writes=%ld covered_ms=%.0f elapsed_ms=%.0f looks=%ld longest_gap_ms=%.0f\n",
                    covered > 0 ? writes * 1000.0 / covered : 0.0, writes, covered, now_ms(), looks, longest);
        return 0;
    }

    if (cmd == "menu" && argc == 2) {
        // The open menu of the desktop, if any: where it is and which of its
        // items is highlighted.
        HWND popup = find_visible("#32768");
        if (popup == NULL) {
            std::printf("none\n");
            return 0;
        }
        RECT r;
        GetWindowRect(popup, &r);
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
        int count = menu != NULL ? GetMenuItemCount(menu) : -1;
        int hilite = -1;
        for (int i = 0; i < count; ++i) {
            if (GetMenuState(menu, i, MF_BYPOSITION) & MF_HILITE) hilite = i;
        }
        std::printf("left=%ld top=%ld items=%d hilite=%d\n", r.left, r.top, count, hilite);
        return 0;
    }

    if (cmd == "selection" && argc == 2) {
        HWND edit = find_notepad_edit();
        if (edit == NULL) return 1;
        DWORD from = 0, to = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        std::printf("%lu %lu\n", static_cast<unsigned long>(from), static_cast<unsigned long>(to));
        return 0;
    }

    if (cmd == "codepage" && argc == 2) {
        // Sets the two 8-bit glyphs the way the game does and reads them back
        // both as 8-bit text and as the characters Notepad holds.
        HWND edit = find_notepad_edit();
        if (edit == NULL) return 1;
        const char glyphs[] = "\xA5\xBA";
        if (!SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(glyphs))) return 1;
        char narrow[16] = "";
        wchar_t wide[16] = L"";
        SendMessageA(edit, WM_GETTEXT, sizeof narrow, reinterpret_cast<LPARAM>(narrow));
        SendMessageW(edit, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(wide));
        std::printf("acp=%u narrow=", GetACP());
        for (const char* p = narrow; *p; ++p) std::printf("%02X", static_cast<unsigned char>(*p));
        std::printf(" wide=");
        for (const wchar_t* p = wide; *p; ++p) std::printf("U+%04X", static_cast<unsigned>(*p));
        std::printf("\n");
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        return 0;
    }

    if (cmd == "edit" && argc == 2) {
        HWND edit = find_notepad_edit();
        if (edit == NULL) return 1;
        std::printf("%p\n", static_cast<void*>(edit));
        return 0;
    }

    if (cmd == "wait-destroyed" && argc == 4) {
        // Until the window with this handle (from "edit") no longer exists.
        HWND w = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(argv[2], NULL, 16)));
        const DWORD bound = std::strtoul(argv[3], NULL, 10);
        while (IsWindow(w)) {
            if (timed_out(bound)) return 1;
            nap();
        }
        return 0;
    }

    if (cmd == "discard" && argc == 2) {
        // Marks Notepad's text as unchanged, so that closing it asks nothing.
        HWND edit = find_notepad_edit();
        if (edit == NULL) return 1;
        SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
        return 0;
    }

    if (cmd == "close-notepad" && argc == 2) {
        HWND notepad = FindWindowA("Notepad", NULL);
        if (notepad == NULL) return 1;
        PostMessageA(notepad, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }

    return usage();
}
