#!/usr/bin/env bash
# The native and the Windows replay tools give the same bytes for the same
# scripts: the game repeats itself exactly on both platforms.
#
#   same_game.sh NATIVE_REPLAY WINDOWS_REPLAY_EXE
set -u
native=$1
windows=$2
games=$(dirname "$0")/games
export WINEDEBUG=-all
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passes=0
failures=0
printf 'left *3\nup\n*30\ndown right\n*20\nq\n' >"$work/short.keys"
for script in "$games"/*.keys "$work/short.keys"; do
    for options in "" "--utf8"; do
        # shellcheck disable=SC2086
        "$native" $options "$script" >"$work/native.out"
        # shellcheck disable=SC2086
        wine "$windows" $options "$script" >"$work/windows.out" 2>/dev/null
        if cmp -s "$work/native.out" "$work/windows.out" && [[ -s "$work/native.out" ]]; then
            passes=$((passes + 1))
        else
            echo "FAIL: $(basename "$script") $options: outputs differ" >&2
            cmp "$work/native.out" "$work/windows.out" | head -1 >&2
            failures=$((failures + 1))
        fi
    done
done
echo "same game: $passes passed, $failures failed"
[[ $failures -eq 0 ]]
