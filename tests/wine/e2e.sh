#!/usr/bin/env bash
# End-to-end tests of padstorm.exe in Wine's own Notepad, on a virtual X
# display of its own.
#
#   tests/wine/e2e.sh BUILD_DIR        (BUILD_DIR: build/windows)
#
# Needs wine, Xvfb and xdotool. The Wine prefix is BUILD_DIR/wineprefix,
# made on the first run and reused afterwards. Every wait polls for what it
# waits for, with a generous bound; nothing here depends on how fast the
# machine is. Logs and the texts read from Notepad go to BUILD_DIR/e2e/.
set -euo pipefail

build=$(cd "${1:?usage: e2e.sh BUILD_DIR}" && pwd)
bin=$build/bin
for exe in padstorm.exe padstorm-probe.exe; do
    [[ -f $bin/$exe ]] || { echo "e2e: $bin/$exe is missing: build first" >&2; exit 1; }
done
for tool in wine wineserver Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "e2e: $tool is not installed" >&2; exit 1; }
done

export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko installer
log=$build/e2e
rm -rf "$log"
mkdir -p "$log"

# Bounds, in milliseconds for the probe. They only limit how long a failing
# run takes; a passing run goes on as soon as its condition holds.
long=60000
short=20000

failures=0
xvfb_pid=
ps_pid=
np_pid=

ok() { echo "ok   - $*"; }
fail() {
    echo "FAIL - $*"
    failures=$((failures + 1))
}
# Stops the run: what follows depends on what just failed.
fatal() {
    fail "$*"
    exit 1
}

cleanup() {
    # Only this prefix's Wine processes, which this script started.
    if [[ -n ${WINEPREFIX:-} && -n ${DISPLAY:-} ]]; then wineserver -k 2>/dev/null || true; fi
    if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    if ((failures)); then
        echo "e2e: $failures failure(s); logs in $log"
    else
        echo "e2e: all passed"
    fi
}
trap cleanup EXIT

probe() { wine "$bin/padstorm-probe.exe" "$@"; }

# A virtual display of our own: Xvfb picks a free display number itself.
exec {fd}>"$log/display"
Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp >"$log/xvfb.log" 2>&1 &
xvfb_pid=$!
exec {fd}>&-
for ((i = 0; i < 300; i++)); do
    [[ -s $log/display ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || fatal "Xvfb did not start (see $log/xvfb.log)"
    sleep 0.1
done
[[ -s $log/display ]] || fatal "Xvfb gave no display number"
export DISPLAY=:$(head -n1 "$log/display")
echo "e2e: display $DISPLAY, prefix $WINEPREFIX"

# Let a wineserver left over from another run of this prefix (with another
# display) finish first; then keep one running for the whole test.
timeout 120 wineserver -w || true
if [[ ! -f $WINEPREFIX/system.reg ]]; then
    echo "e2e: making the Wine prefix (once)"
    wineboot -i >"$log/wineboot.log" 2>&1 || fatal "wineboot failed (see $log/wineboot.log)"
    timeout 300 wineserver -w || true
fi
wineserver -p
# A crash must end the process with a report on stderr, not wait in a dialog.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
# A monospaced font in Notepad, so a screenshot shows the grid aligned.
wine reg add 'HKCU\Software\Microsoft\Notepad' /v lfFaceName /t REG_SZ /d 'DejaVu Sans Mono' /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Microsoft\Notepad' /v iPointSize /t REG_DWORD /d 110 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Microsoft\Notepad' /v fWrap /t REG_DWORD /d 0 /f >/dev/null 2>&1

start_notepad() {
    wine notepad >"$log/notepad.$1.out" 2>&1 &
    np_pid=$!
    probe wait-window Notepad $long >/dev/null || fatal "Notepad did not open"
}

start_padstorm() {
    wine "$bin/padstorm.exe" >"$log/padstorm.$1.out" 2>"$log/padstorm.$1.err" &
    ps_pid=$!
}

running() { kill -0 "$ps_pid" 2>/dev/null; }

# Waits (bounded) for the wine command that started Notepad to end.
end_notepad() {
    for ((i = 0; i < 300; i++)); do
        kill -0 "$np_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$np_pid" 2>/dev/null && fail "Notepad did not end"
    wait "$np_pid" 2>/dev/null || true
}

# Waits (bounded) for padstorm.exe to end; its exit status in $status.
wait_padstorm_end() {
    for ((i = 0; i < 600; i++)); do
        running || break
        sleep 0.1
    done
    if running; then
        status=timeout
        return 1
    fi
    set +e
    wait "$ps_pid"
    status=$?
    set -e
    return 0
}

# The end of a run: exit status 0 and no crash report from Wine.
check_clean_end() {
    local run=$1
    [[ $status == 0 ]] && ok "$run: exit status 0" || fail "$run: exit status $status"
    if grep -a -q -i -E 'unhandled|exception|page fault|backtrace' "$log/padstorm.$run.err"; then
        fail "$run: Wine reports a crash:"
        head -n 20 "$log/padstorm.$run.err"
    else
        ok "$run: no crash report"
    fi
    # Our program writes nothing on standard output but the message-filter
    # hook's lines (CR LF: the C runtime's text mode).
    if grep -a -q -v -x $'MSG!\r' "$log/padstorm.$run.out"; then
        fail "$run: unexpected output: $(head -c 200 "$log/padstorm.$run.out")"
    fi
}

# Reads Notepad's text into $log/$1 (exact bytes).
read_text() { probe text "$log/$1" || fatal "cannot read Notepad's text"; }

# Row r (0 to 19) of a frame file, without its CR LF.
row() { sed -n "$(($2 + 1))p" "$log/$1" | tr -d '\r\n'; }

# The fixed parts of every frame of wave 1 before any damage or energy use.
check_frame() {
    local f=$1 what=$2 bad=0 r
    [[ $(stat -c %s "$log/$f") == 1240 ]] || { fail "$what: $(stat -c %s "$log/$f") bytes, not 1240"; return; }
    [[ $(grep -c $'\r$' "$log/$f") == 20 ]] || { fail "$what: not 20 lines ended by CR LF"; return; }
    local blank
    blank=$(printf '%60s' '')
    local box_top=" #################$(printf '%42s' '')"
    [[ $(row "$f" 0) == "$blank" ]] || bad=1
    [[ $(row "$f" 1) == "$box_top" ]] || bad=1
    [[ $(row "$f" 17) == "$box_top" ]] || bad=1
    [[ $(row "$f" 18) == "$blank" ]] || bad=1
    [[ $(row "$f" 19) == "$(printf '%-60s' ' CONTROLS: Left/Right=Move  Up=Shoot  Down=Special  Q=Quit')" ]] || bad=1
    for ((r = 2; r <= 16; r++)); do
        local line
        line=$(row "$f" "$r")
        [[ ${#line} == 60 && ${line:0:2} == ' #' && ${line:17:3} == '#  ' ]] || bad=1
    done
    [[ $(row "$f" 2) == *"#  WAVE: 1$(printf '%33s' '')" ]] || bad=1
    [[ $(row "$f" 4) == *"#  SCORE: "* ]] || bad=1
    [[ $(row "$f" 6) == *"#  HEALTH: "* ]] || bad=1
    [[ $(row "$f" 8) == *"#  ENERGY: "* ]] || bad=1
    # The ship: one ^, on row 15.
    [[ $(grep -o '\^' "$log/$f" | wc -l) == 1 && $(row "$f" 15) == *'^'* ]] || bad=1
    if ((bad)); then
        fail "$what: not the frame of wave 1; got:"
        cat -A "$log/$f" | head -n 20
    else
        ok "$what: a 60 by 20 frame of wave 1 with the box, the panel and the controls line"
    fi
}

# ---------------------------------------------------------------------------
echo "# run 1: Notepad already open"
start_notepad 1

# The game's glyphs 0xA5 and 0xBA reach Notepad as the characters U+00A5 and
# U+00BA and come back unchanged: Wine's ANSI code page is Windows-1252 here.
cp=$(probe codepage | tr -d '\r')
[[ $cp == "acp=1252 narrow=A5BA wide=U+00A5U+00BA" ]] && ok "code page: $cp" || fail "code page: $cp"

marker="nothing from the game yet"
probe set-text "$marker" || fatal "cannot set Notepad's text"
start_padstorm 1
probe notice $long >"$log/notice.1" || fatal "no notice appeared"
tr -d '\r' <"$log/notice.1" >"$log/notice.1.txt"
grep -q -x 'caption=padstorm' "$log/notice.1.txt" && ok "notice: caption padstorm" || fail "notice caption: $(head -n1 "$log/notice.1.txt")"
if grep -q -x 'Static id=.* text=Close this window, open Notepad, and enjoy!' "$log/notice.1.txt"; then
    ok "notice: text \"Close this window, open Notepad, and enjoy!\""
else
    fail "notice text:"; cat "$log/notice.1.txt"
fi
# One button, OK; an icon beside the text (SS_ICON).
if [[ $(grep -c '^Button ' "$log/notice.1.txt") == 1 ]] && grep -q -x 'Button id=.* text=OK' "$log/notice.1.txt" &&
    grep -q -E '^Static id=[0-9]+ style=[0-9a-f]{6}[02468ace]3 text=$' "$log/notice.1.txt"; then
    ok "notice: an icon and one button, OK"
else
    fail "notice controls:"; cat "$log/notice.1.txt"
fi
# While the notice is open nothing is written: Notepad's text stays ours.
if probe wait-text 2000 "$log/during-notice.1" differs; then
    fail "Notepad's text changed while the notice was open"
else
    [[ $(cat "$log/during-notice.1") == "$marker" ]] && ok "nothing written while the notice is open" ||
        fail "Notepad's text while the notice was open: $(head -c 100 "$log/during-notice.1")"
fi
running || fatal "padstorm.exe ended while its notice was open"

probe notice-ok $short || fatal "cannot press the notice's OK"
probe wait-no-window '#32770' $long || fatal "the notice did not close"
ok "notice closed with OK"

# The first frames: an open Notepad is found and takes the frames.
probe wait-text $long "$log/first.1" frame 'has:WAVE: 1' || fatal "no frame arrived in the open Notepad"
check_frame first.1 "first frame"
[[ $(row first.1 15) == " #       ^       #$(printf '%42s' '')" ]] && ok "the ship starts in the middle, row 15" ||
    fail "ship row: '$(row first.1 15)'"

# Keys typed into Notepad. xdotool sends them to Notepad's X window; Wine
# turns them into keyboard input that passes the low-level hooks of every
# Wine process, ours included.
W=$(xdotool search --name 'Notepad' | head -n1)
[[ -n $W ]] || fatal "no X window for Notepad"
# (xdotool warns about the focus of a display without a window manager.)
keys() { xdotool key --window "$W" --delay 30 "$@" 2>>"$log/xdotool.log"; }

keys Left Left Left
probe wait-text $short "$log/left.1" 'cell:6:15:^' && ok "Left x3: the ship is at column 6" ||
    fail "Left x3: row 15 is '$(row left.1 15)'"
# To the right wall, out of the way of the enemies' fire, which could
# otherwise end the game before the test does.
keys Right Right Right Right Right Right Right Right Right Right
probe wait-text $short "$log/right.1" 'cell:16:15:^' && ok "Right x10: the ship is at column 16, the last" ||
    fail "Right x10: row 15 is '$(row right.1 15)'"

# Up: a laser above the ship. It flies for less than a second, so a probe
# that was held up elsewhere may miss it: fire again (one laser at a time).
fired=0
for ((i = 0; i < 5 && !fired; i++)); do
    keys Up
    probe wait-text 5000 "$log/up.1" 'col:16:|' && fired=1
done
((fired)) && ok "Up: a laser | above the ship" || fail "Up: no laser seen"

# Down: energy 100 -> 75 for good, the charge mark above the ship, then the
# five columns of the beam.
keys Down
probe wait-text $short "$log/down.1" 'has:ENERGY: 0000000. ' && ok "Down: energy bar 0000000." ||
    fail "Down: row 8 is '$(row down.1 8)'"
# The mark shows for 7 ticks and the beam for 4: a probe held up on a busy
# machine may miss them, so try again with the next attempt (four in all,
# as energy allows).
seen_charge=0
seen_beam=0
for ((i = 0; i < 4 && !(seen_charge && seen_beam); i++)); do
    if ((i > 0)); then
        probe wait-text $short - 'not:!' >/dev/null || true
        keys Down
    fi
    if probe wait-text 5000 "$log/charge.1" 'cell:16:14:|' 'cell:15:14: ' 'cell:17:14: ' ||
        probe wait-text 5000 "$log/charge.1" 'cell:16:14:-' 'cell:15:14: ' 'cell:17:14: '; then
        seen_charge=1
    fi
    probe wait-text 5000 "$log/beam.1" 'beam:16' && seen_beam=1
done
((seen_charge)) && ok "Down: the charge mark above the ship" || fail "Down: no charge mark seen"
((seen_beam)) && ok "Down: the beam of ! over columns 14 to 18" || fail "Down: no beam seen"

# Notepad's open menu once it differs from $1, polled for up to 10 s (while
# Notepad switches menus, for a moment none is open).
menu_after() {
    local now=$1 i
    for ((i = 0; i < 100; i++)); do
        now=$(probe menu | tr -d '\r')
        [[ $now == "$1" || $now == none ]] || break
        sleep 0.1
    done
    echo "$now"
}

# The keys are not taken away from Notepad: Alt+F opens its File menu (a key
# with Alt arrives as WM_SYSKEYDOWN), Right and Left move to the next menu
# and back, and the same Right and Left move the ship.
keys alt+f
if probe wait-window '#32768' $short >/dev/null; then
    ok "Alt+F reached Notepad: its File menu is open"
    m1=$(probe menu | tr -d '\r')
    keys Left
    m2=$(menu_after "$m1")
    probe wait-text $short "$log/menu-left.1" 'cell:15:15:^' && ship=ok || ship=no
    [[ $m2 != "$m1" && $m2 != none && $ship == ok ]] && ok "Left moves Notepad's menu ($m1 -> $m2) and the ship" ||
        fail "Left with the menu open: menu $m1 -> $m2, ship $ship"
    keys Right
    m3=$(menu_after "$m2")
    probe wait-text $short "$log/menu-right.1" 'cell:16:15:^' && ship=ok || ship=no
    [[ $m3 == "$m1" && $ship == ok ]] && ok "Right moves Notepad's menu back and the ship" ||
        fail "Right with the menu open: menu $m2 -> $m3, ship $ship"
    keys Escape Escape
    probe wait-no-window '#32768' $short || fail "Notepad's menu did not close on Escape"
else
    fail "Alt+F did not open Notepad's menu: the key was consumed"
fi
running || fatal "padstorm.exe ended during play: $(row right.1 10) $(row right.1 11)"

# Q ends the game; the last frame stays in Notepad.
keys q
if wait_padstorm_end; then ok "Q ended padstorm.exe"; else fatal "padstorm.exe still runs after Q"; fi
check_clean_end 1
read_text last.1
sleep 1
read_text last-later.1
# Notepad also got the q. If it handled it after the last frame was written,
# the q stands at the caret, the start of the text, before that frame.
if [[ $(head -c 1 "$log/last.1") == q && $(stat -c %s "$log/last.1") == 1241 ]]; then
    tail -c +2 "$log/last.1" >"$log/last-frame.1"
    echo "     (Notepad typed the q after the last frame)"
else
    cp "$log/last.1" "$log/last-frame.1"
fi
check_frame last-frame.1 "last frame after Q"
cmp -s "$log/last.1" "$log/last-later.1" && ok "the last frame stays" || fail "Notepad's text changed after the end"
# Notepad got the q too, so its text counts as changed: discard it, or
# closing would ask whether to save.
probe discard || true
probe close-notepad || true
if ! probe wait-no-window Notepad $short; then
    echo "     (Notepad did not close: ending this prefix's Wine processes)"
    wineserver -k || true
    wineserver -p
fi
end_notepad

# ---------------------------------------------------------------------------
echo "# run 2: Notepad opened after the notice is closed, and closed during play"
probe wait-no-window Notepad $long || fatal "a Notepad is still open"
start_padstorm 2
probe notice $long >"$log/notice.2" || fatal "no notice appeared"
probe notice-ok $short || fatal "cannot press the notice's OK"
probe wait-no-window '#32770' $long || fatal "the notice did not close"
# Three seconds without Notepad: the game keeps looking for it.
sleep 3
running && ok "padstorm.exe waits for Notepad" || fatal "padstorm.exe ended while waiting for Notepad"
start_notepad 2
probe wait-text $long "$log/first.2" frame 'has:WAVE: 1' && ok "a Notepad opened later is found" ||
    fatal "no frame arrived in the Notepad opened later"
check_frame first.2 "first frame in the later Notepad"
# The ship to the right wall, where no shot of wave 1 falls: from then on
# the game cannot end by itself, only by Q or a refused frame.
W=$(xdotool search --name 'Notepad' | head -n1)
keys Right Right Right Right Right Right Right
probe wait-text $short "$log/right.2" 'cell:16:15:^' || fatal "Right x7: row 15 is '$(row right.2 15)'"

# About 20 frames a second: measured by the probe over two seconds of its
# own undisturbed looking (see "rate" in probe.cpp). The range, 10 to 30, is
# wide for a loaded machine and still tells a broken pace: no wait between
# frames, or a far slower timer.
# A measurement counts only when the probe could look undisturbed for most
# of it; on a machine too busy for that only the upper bound is checked
# (the probe can miss frames, never invent them), and the test says so.
measured=0
for ((i = 0; i < 2 && !measured; i++)); do
    r=$(probe rate 2000 10000 | tr -d '\r')
    rate=${r#rate=}
    rate=${rate%%.*}
    elapsed=${r#*elapsed_ms=}
    elapsed=${elapsed%% *}
    ((elapsed <= 3000)) && measured=1
done
if ((rate >= 30)); then
    fail "frames: $r, more than 30 a second"
elif ((!measured)); then
    ok "frames: at most 30 a second ($r); SKIPPED the lower bound: the probe was held up too long to count"
elif ((rate >= 10)); then
    ok "frames: $r"
else
    fail "frames: $r, fewer than 10 a second"
fi
probe wait-text $short "$log/moving.2" frame differs && ok "the picture changes" || fail "the picture did not change"
probe wait-text $short "$log/shot.2" 'byte:BA' && ok "the enemies' 0xBA shots reach Notepad as the byte 0xBA" ||
    fail "no 0xBA shot seen"

# Closing Notepad ends the game at the next frame, without a crash. Wine's
# Notepad hides its window at once but its windows are destroyed only when
# its process has ended, about two seconds later; until then the game's
# frame waits in the send, and the first refused frame is the one after.
edit=$(probe edit | tr -d '\r')
[[ -n $edit ]] || fatal "no edit control"
probe close-notepad || fatal "cannot close Notepad"
probe wait-no-window Notepad $long || fatal "Notepad did not close"
probe wait-destroyed "$edit" $long || fatal "Notepad's edit control was never destroyed"
destroyed=$(date +%s%N)
if wait_padstorm_end; then
    ok "closing Notepad ended padstorm.exe ($((($(date +%s%N) - destroyed) / 1000000)) ms after its edit control went; polled every 100 ms)"
else
    fail "padstorm.exe still runs 60 s after Notepad closed"
fi
check_clean_end 2
end_notepad

((failures == 0))
