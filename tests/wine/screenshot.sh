#!/usr/bin/env bash
# Takes the picture of a game in progress in Wine's Notepad for the README,
# on a virtual X display of its own.
#
#   tests/wine/screenshot.sh BUILD_DIR OUT.png     (e.g. build/windows docs/screenshot.png)
#
# Needs wine, Xvfb, xdotool and ImageMagick's import and convert. Uses the
# test prefix BUILD_DIR/wineprefix (made by tests/wine/e2e.sh if missing).
set -euo pipefail

build=$(cd "${1:?usage: screenshot.sh BUILD_DIR OUT.png}" && pwd)
out=${2:?usage: screenshot.sh BUILD_DIR OUT.png}
bin=$build/bin
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
xvfb_pid=
cleanup() {
    if [[ -n ${DISPLAY:-} ]]; then wineserver -k 2>/dev/null || true; fi
    if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

exec {fd}>"$work/display"
Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
exec {fd}>&-
for ((i = 0; i < 300; i++)); do
    [[ -s $work/display ]] && break
    sleep 0.1
done
export DISPLAY=:$(head -n1 "$work/display")

timeout 120 wineserver -w || true
[[ -f $WINEPREFIX/system.reg ]] || wineboot -i >/dev/null 2>&1
wineserver -p
key='HKCU\Software\Microsoft\Notepad'
wine reg add "$key" /v lfFaceName /t REG_SZ /d 'DejaVu Sans Mono' /f >/dev/null 2>&1
wine reg add "$key" /v iPointSize /t REG_DWORD /d 110 /f >/dev/null 2>&1
wine reg add "$key" /v fWrap /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add "$key" /v iWindowPosDX /t REG_DWORD /d 640 /f >/dev/null 2>&1
wine reg add "$key" /v iWindowPosDY /t REG_DWORD /d 480 /f >/dev/null 2>&1

probe() { wine "$bin/padstorm-probe.exe" "$@"; }

wine notepad >/dev/null 2>&1 &
probe wait-window Notepad 60000 >/dev/null
wine "$bin/padstorm.exe" >/dev/null 2>&1 &
probe notice-ok 60000
probe wait-text 60000 - frame >/dev/null
W=$(xdotool search --name 'Notepad' | head -n1)
# A few moves and a laser on its way up, past an enemy's shot.
xdotool key --window "$W" --delay 60 Left Left Left 2>/dev/null
probe wait-text 20000 - 'cell:6:15:^' >/dev/null
xdotool key --window "$W" Up 2>/dev/null
probe wait-text 20000 - 'col:6:|' >/dev/null
import -window root "$work/root.png"
# Notepad's window only.
eval "$(xdotool getwindowgeometry --shell "$W")"
convert "$work/root.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -strip "$out"
echo "screenshot: $out"
