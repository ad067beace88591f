#!/usr/bin/env bash
# The replay tool from the outside: whole games against their kept ends,
# the script language, its errors and the output options.
#
#   replay_test.sh GAMES_DIR REPLAY_COMMAND...
#
# REPLAY_COMMAND may start with an emulator (wine for the Windows build).
set -u
shopt -s lastpipe  # `printf ... | run`: run in this shell, so $status is kept
games=$1
shift
replay=("$@")
export WINEDEBUG=-all
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passes=0

pass() { passes=$((passes + 1)); }
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# run NAME [ARGS...] < input: output in $work/NAME.out/.err, status in $status
run() {
    local name=$1
    shift
    "${replay[@]}" "$@" >"$work/$name.out" 2>"$work/$name.err"
    status=$?
}

expect_out() {  # NAME TEXT: stdout is exactly TEXT (and a final newline)
    if [[ "$(cat "$work/$1.out")" == "$2" ]]; then pass; else
        fail "$1: got '$(head -c 400 "$work/$1.out")', want '$2'"
    fi
}

expect_error() {  # NAME PATTERN: status 2, empty stdout, one stderr line matching
    local lines
    lines=$(wc -l <"$work/$1.err")
    if [[ $status -eq 2 && ! -s "$work/$1.out" && $lines -eq 1 ]] && grep -qE -- "$2" "$work/$1.err"; then
        pass
    else
        fail "$1: status $status, stdout $(wc -c <"$work/$1.out") bytes, stderr: $(cat "$work/$1.err")"
    fi
}

# --- whole games against their kept last frames
for game in "$games"/*.keys; do
    name=$(basename "$game" .keys)
    run "$name-last" --last "$game"
    if cmp -s "$work/$name-last.out" "$games/$name.last"; then pass; else
        fail "$name: --last differs from $name.last"
    fi
    run "$name-all" "$game"
    # The full report ends with the same last frame and end line.
    tail -c "$(wc -c <"$games/$name.last")" "$work/$name-all.out" >"$work/$name-tail"
    if cmp -s "$work/$name-tail" "$games/$name.last"; then pass; else
        fail "$name: the full report does not end like --last"
    fi
    run "$name-quiet" --quiet "$game"
    expect_out "$name-quiet" "$(tail -n 1 "$games/$name.last")"
done
grep -q 'YOU WIN!' "$games/win.last" && grep -q '@end .* wave=9 .*quit=1' "$games/win.last" && pass ||
    fail "win.last is not a won game"
grep -q 'YOUR SHIP ASPLODE!' "$games/lose.last" && grep -q 'health=0 .*quit=1' "$games/lose.last" && pass ||
    fail "lose.last is not a lost game"

# --- frames: one per tick, 1240 bytes each, with headers counting both
printf 'right\n\n' | run two
{
    head -c 14 "$work/two.out" | grep -qx '@frame 1 1 ok' &&
        [[ $(grep -c '^@frame' "$work/two.out") -eq 2 ]] &&
        [[ $(wc -c <"$work/two.out") -eq $((14 + 1240 + 14 + 1240 + 51)) ]] &&
        tail -n 1 "$work/two.out" | grep -qx '@end 2 wave=1 score=0 health=100 energy=100 quit=0'
} && pass || fail "two ticks: $(head -c 300 "$work/two.out")"
head -c 1254 "$work/two.out" | tail -c 62 | od -c | grep -q '\\r  \\n' && pass || fail "frame lines end with CR LF"

# --- the script language
printf '' | run empty
expect_out empty '@end 0 wave=0 score=0 health=100 energy=100 quit=0'
printf '# just a comment\n\n   \t\n' | run blank --quiet
expect_out blank '@end 3 wave=1 score=0 health=100 energy=100 quit=0'
printf 'LEFT Left 25 0x25 0X25 *2\n' | run names --quiet
expect_out names '@end 2 wave=1 score=0 health=100 energy=100 quit=0'
printf 'left *3\nleft left # comment\n' | run moves --last
grep -q '^ #  ^            # ' "$work/moves.out" && pass || fail "moves: ship not at column 2"
printf '1b 20 41 ffffffff 0 7fffffff 80000000\n' | run codes --quiet
expect_out codes '@end 1 wave=1 score=0 health=100 energy=100 quit=0'
printf 'down *4\n*8\ndown\n*20\n' | run downs --quiet
expect_out downs '@end 33 wave=1 score=0 health=100 energy=50 quit=0'
printf '\n\nq\n\n\n' | run quits --quiet
expect_out quits '@end 3 wave=1 score=0 health=100 energy=100 quit=1'
printf 'q\n' | run q-first
expect_out q-first "$(printf '@frame 1 1 ok\n@end 1 wave=1 score=0 health=100 energy=100 quit=1')"
printf '\nclose\n\n' | run closed
grep -c '^@frame 2 2 refused$' "$work/closed.out" | grep -qx 1 && pass || fail "close: frame 2 not refused"
tail -n 1 "$work/closed.out" | grep -qx '@end 2 wave=1 score=0 health=100 energy=100 quit=1' && pass ||
    fail "close: $(tail -n 1 "$work/closed.out")"
printf '\nclose *5\n' | run close-repeat --quiet
expect_out close-repeat '@end 2 wave=1 score=0 health=100 energy=100 quit=1'
printf 'left\n' >"$work/file.keys"
run named --quiet "$work/file.keys"
expect_out named '@end 1 wave=1 score=0 health=100 energy=100 quit=0'
printf 'left\n' | run dash --quiet -
expect_out dash '@end 1 wave=1 score=0 health=100 energy=100 quit=0'
printf 'left\r\nright\r\n' | run crlf --quiet
expect_out crlf '@end 2 wave=1 score=0 health=100 energy=100 quit=0'

# --- bad scripts: one line on stderr naming line and token, status 2, no output
printf 'left\nup fire\n' | run unknown
expect_error unknown "line 2: .*'fire'"
printf 'left\n\n\n123456789\n' | run too-long
expect_error too-long "line 4: .*'123456789'"
printf '0x\n' | run bare-0x
expect_error bare-0x "line 1: .*'0x'"
for bad in '*0' '*10000001' '*' '*x' '*-1' '*1.5' '**2'; do
    printf 'left %s\n' "$bad" | run "repeat$bad"
    expect_error "repeat$bad" "line 1: .*'\\*"
done
printf '\n*3 left\n' | run not-last
expect_error not-last "line 2: .*'\\*3'"
printf '*10000000 *2\n' | run two-repeats
expect_error two-repeats "line 1: .*'\\*10000000'"
run missing "$work/no-such.keys"
expect_error missing "no-such.keys"
run bad-option --fast
expect_error bad-option "--fast"

# --- options
run help --help
[[ $status -eq 0 ]] && grep -q -- '--last' "$work/help.out" && grep -q -- '--utf8' "$work/help.out" &&
    pass || fail "--help"
run lose-utf8 --utf8 --last "$games/lose.keys"
if ! grep -q $'\r' "$work/lose-utf8.out" && grep -q 'º' "$work/lose-utf8.out" &&
    [[ $(wc -l <"$work/lose-utf8.out") -eq 22 ]]; then pass; else fail "--utf8 of the lost game"; fi

echo "replay: $passes passed, $failures failed"
[[ $failures -eq 0 ]]
