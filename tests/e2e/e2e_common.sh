# Sourced by the end-to-end scripts. Starts what a scenario needs (a private
# PulseAudio server, the local HTTP fixtures), runs the driver, and stops every
# process it started from the EXIT trap, by pid.
#
#   e2e_init DRIVER [TOOL...]   checks the tools (exit 77 when one is missing)
#   fixture_start NAME SCRIPT ARGS...  starts an HTTP fixture; sets port_NAME
#   run NAME SCENARIO ARGS...   runs the driver, output in $work/NAME.out
#   value NAME KEY              a "KEY: value" line of that output
#   check COND MESSAGE          counts a failure unless COND holds
#   skip_check MESSAGE          a check that could not run here: the script
#                               then ends as skipped (exit 77) unless one failed

e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_dir=$(cd "$e2e_dir/../.." && pwd)
# shellcheck source=../integration/pulse_server.sh
source "$source_dir/tests/integration/pulse_server.sh"

failures=0
skipped_checks=()
# A command the driver runs under, for one scenario (unquoted on purpose: empty is nothing).
driver_prefix=
fixture_pids=()
work=

e2e_cleanup() {
    local pid
    for pid in "${fixture_pids[@]}"; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    pulse_stop
    [[ -n "$work" ]] && rm -rf "$work"
}

e2e_init() {
    driver=$1
    shift
    [[ -x "$driver" ]] || { echo "driver $driver missing"; exit 1; }
    pulse_tools_present "$@" || exit 77
    work=$(mktemp -d)
    trap e2e_cleanup EXIT
    trap 'exit 1' INT TERM
}

fixture_start() {
    local name=$1 script=$2
    shift 2
    local log=$work/fixture-$name.log
    python3 "$script" "$@" >"$log" 2>&1 &
    local pid=$!
    fixture_pids+=("$pid")
    local port=
    ready_reset
    # Ready once it tells its port and takes a connection there; a fixture
    # that died says so at once instead of at the deadline.
    if ready_wait "fixture $name telling its port" eval "grep -q '^PORT ' '$log' || ! kill -0 $pid"; then
        port=$(sed -n 's/^PORT //p' "$log")
    fi
    if [[ -z "$port" ]] || ! ready_wait "fixture $name answering" eval "exec 3<>/dev/tcp/127.0.0.1/$port && exec 3>&-"; then
        echo "fixture $name did not start; its log:"
        cat "$log"
        exit 1
    fi
    printf -v "port_$name" '%s' "$port"
}

run() {
    local name=$1
    shift
    local started=$SECONDS
    # Each run starts as a first start: its saved settings, memo, kept lists
    # and history stay in a scratch folder of its own.
    XDG_CONFIG_HOME=$work/$name.state/config XDG_DATA_HOME=$work/$name.state/data \
        XDG_CACHE_HOME=$work/$name.state/cache \
        $driver_prefix "$driver" "$@" >"$work/$name.out" 2>"$work/$name.err"
    local code=$?
    sed "s/^/  [$name] /" "$work/$name.out"
    if [[ $code -ne 0 && $code -ne 77 ]]; then
        echo "  [$name] exit code $code after $((SECONDS - started)) s; stderr:"
        tail -n 20 "$work/$name.err" | sed "s/^/  [$name] ! /"
        failures=$((failures + 1))
    fi
    return $code
}

value() {
    sed -n "s/^$2: //p" "$work/$1.out" | head -n 1
}

check() {
    if eval "$1"; then
        echo "ok: $2"
    else
        echo "FAILED: $2"
        failures=$((failures + 1))
    fi
}

skip_check() {
    echo "SKIPPED: $1"
    skipped_checks+=("$1")
}

e2e_finish() {
    if [[ $failures -ne 0 ]]; then
        echo "$failures failure(s)"
        exit 1
    fi
    if [[ ${#skipped_checks[@]} -ne 0 ]]; then
        echo "${#skipped_checks[@]} check(s) could not run here"
        exit 77
    fi
    echo "all passed"
    exit 0
}
