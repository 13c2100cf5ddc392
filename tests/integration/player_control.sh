# Sourced by the sound tests: drives pulse_player --commands as the window's
# buttons would, reading its lines as they come.
#
#   player_start LOG COMMAND...   start it; every line it prints goes to LOG
#   player_say LINE               send a command (start, quit)
#   player_expect WORD SECONDS    wait for its next line that starts with WORD
#                                 and print it; fail when none comes in time
#   player_run_events             the started/finished lines of the last run
#   player_cpu_ticks              CPU clock ticks it has used so far
#   player_quit                   quit it and wait until it has exited

player_log=
player_pid=
player_in=
player_out=

now_ms() {
    echo $(( $(date +%s%N) / 1000000 ))
}

player_start() {
    player_log=$1
    shift
    : >"$player_log"
    coproc PLAYER { exec "$@" 2>>"$player_log.err"; }
    player_pid=$PLAYER_PID
    # Copies of the pipes: bash hides a coprocess's own from subshells, and
    # player_expect runs in one when its line is captured.
    exec {player_in}>&"${PLAYER[1]}" {player_out}<&"${PLAYER[0]}"
}

player_say() {
    echo "$1" >&"$player_in"
}

player_expect() {
    local word=$1 deadline=$(( $(now_ms) + $2 * 1000 )) line
    while (( $(now_ms) < deadline )); do
        if IFS= read -r -t 0.5 line <&"$player_out"; then
            echo "$line" >>"$player_log"
            if [[ $line == "$word "* ]]; then
                echo "$line"
                return 0
            fi
        fi
    done
    return 1
}

player_run_events() {
    awk '$1 == "run" { n = NR } { line[NR] = $0 } END {
        for (i = n + 1; i <= NR; i++) if (line[i] ~ /^(started|finished) /) print line[i] }' "$player_log"
}

player_cpu_ticks() {
    # utime and stime, fields 14 and 15 of /proc/PID/stat (the name in
    # brackets holds no space here).
    awk '{ print $14 + $15 }' "/proc/$player_pid/stat"
}

player_quit() {
    [[ -n "$player_pid" ]] || return 0
    player_say quit 2>/dev/null
    exec {player_in}>&-
    local i
    for i in $(seq 50); do kill -0 "$player_pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$player_pid" 2>/dev/null
    wait "$player_pid" 2>/dev/null
    # Whatever it printed last, after the caller stopped reading.
    cat <&"$player_out" >>"$player_log" 2>/dev/null
    exec {player_out}<&-
    player_pid=
}
