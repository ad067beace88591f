// padstorm-probe: looks at the desktop from the outside for the end-to-end
// tests. It finds windows, reads and sets Notepad's text, reads and closes
// the start-up notice, and watches the frames arrive. Every wait polls with
// a bound given on the command line and reports failure with exit status 1.
//
//   padstorm-probe wait-window CLASS MS       handle of a top-level window
//   padstorm-probe wait-no-window CLASS MS    until no such window is left
//   padstorm-probe notice MS                  the notice's caption and texts
//   padstorm-probe notice-ok MS               press the notice's button
//   padstorm-probe text FILE                  Notepad's text, exact bytes
//   padstorm-probe set-text TEXT              replace Notepad's text
//   padstorm-probe wait-text MS FILE COND...  until the text meets them all
//   padstorm-probe watch MS                   count text changes for MS
//   padstorm-probe selection                  the edit control's selection
//   padstorm-probe codepage                   how 0xA5 and 0xBA get through
//   padstorm-probe close-notepad              as if its close box was hit
//
// Conditions of wait-text: has:STR (the text contains STR), not:STR,
// cell:C:R:X (frame cell at column C, row R holds the character X),
// row:R:STR (frame row R is exactly STR), frame (20 lines of 60 characters,
// each ended by CR LF), differs (not the text seen at the first look).
// Texts are passed through as bytes; FILE may be - for standard output.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

DWORD start_ms;

bool timed_out(DWORD bound_ms) { return GetTickCount() - start_ms >= bound_ms; }

void nap() { Sleep(20); }

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
    if (argc < 2) return usage();
    const std::string cmd = argv[1];

    if ((cmd == "wait-window" || cmd == "wait-no-window") && argc == 4) {
        const DWORD bound = std::strtoul(argv[3], NULL, 10);
        for (;;) {
            HWND w = FindWindowA(argv[2], NULL);
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

    if (cmd == "close-notepad" && argc == 2) {
        HWND notepad = FindWindowA("Notepad", NULL);
        if (notepad == NULL) return 1;
        PostMessageA(notepad, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }

    return usage();
}
