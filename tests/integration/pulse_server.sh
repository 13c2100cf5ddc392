# Sourced by the sound tests and benchmarks: a private sound server speaking
# the PulseAudio protocol, with one null sink "keylark" as the default output,
# started and stopped by the calling script. KEYLARK_SOUND_SERVER chooses which
# of the two servers desktops use:
#   pulseaudio (default)  the PulseAudio daemon
#   pipewire              PipeWire, its session manager and its PulseAudio
#                         server, in a private D-Bus session
# Every process started here is remembered by pid and stopped by pulse_stop.
#
#   pulse_start              server, default sink (and, on PulseAudio, a stream
#                            keeping the sink warm)
#   pulse_record_start FILE  record the sink's monitor as 8000 Hz mono WAV
#   pulse_record_stop        finish the recording
#   sound_server_kill        kill the PulseAudio-protocol server outright
#   sound_server_up [quick]  start it again on the same socket, sink and all;
#                            quick: return as soon as the sink is the default,
#                            without playing a first stream to it
#   sound_server_logs        the tail of every log the servers wrote
#   pulse_stop               stop everything (call it from an EXIT trap)

sound_server=${KEYLARK_SOUND_SERVER:-pulseaudio}
# How closely the on-screen events must follow the sound. PipeWire's reports
# of how far a stream has played wander by some 15 ms either way from one
# second to the next (its PulseAudio server recomputes the latency as the
# graph changes), where PulseAudio's stay within 10 ms.
sound_sync_ms=30
[[ $sound_server == pipewire ]] && sound_sync_ms=40
pulse_pids=()
pulse_recorder=
pulse_dir=
sound_server_pid=
session_manager_pid=

pulse_tools_present() {
    local tool tools=(pactl pacat parec sox python3 "$@")
    case "$sound_server" in
        pulseaudio) tools+=(pulseaudio) ;;
        pipewire) tools+=(pipewire wireplumber pipewire-pulse dbus-daemon) ;;
        *) echo "unknown KEYLARK_SOUND_SERVER '$sound_server'"; return 1 ;;
    esac
    for tool in "${tools[@]}"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool missing"; return 1; }
    done
}

# Readiness is waited for, never assumed after a fixed time: each step is
# tried again every 0.1 s until it holds or the start's deadline (15 s from
# pulse_start or sound_server_up) has passed. A start that gives up prints the
# tail of every log the servers wrote, before pulse_stop removes them.
ready_seconds=${KEYLARK_READY_SECONDS:-15}
ready_deadline=0

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
ready_reset() { ready_deadline=$(( $(now_ms) + ready_seconds * 1000 )); }

# ready_wait WHAT COMMAND...: runs COMMAND until it succeeds; says what was
# not ready when the deadline passes.
ready_wait() {
    local what=$1
    shift
    until "$@" >/dev/null 2>&1; do
        if (( $(now_ms) > ready_deadline )); then
            echo "not ready after ${ready_seconds} s: $what"
            return 1
        fi
        sleep 0.1
    done
}

sound_server_logs() {
    local log
    for log in "$pulse_dir"/*.log; do
        [[ -f $log ]] || continue
        if [[ -s $log ]]; then
            echo "--- last lines of $(basename "$log"):"
            tail -n 40 "$log"
        else
            echo "--- $(basename "$log") is empty"
        fi
    done
}

sound_server_failed() {
    echo "$1"
    sound_server_logs
    return 1
}

sink_exists() { pactl list short sinks 2>/dev/null | grep -q $'\tkeylark\t'; }
sink_is_default() { [[ $(pactl get-default-sink 2>/dev/null) == keylark ]]; }
null_sink_loaded() { sink_exists || { pactl load-module module-null-sink sink_name=keylark && sink_exists; }; }
# A fifth of a second of silence played to the end (pacat drains before it
# exits): the server takes streams and its sink runs.
short_stream_plays() {
    head -c 3200 /dev/zero | timeout 5 pacat --playback -d keylark --rate=8000 --channels=1 --format=s16le
}
dbus_answers() {
    dbus-send --session --dest=org.freedesktop.DBus --type=method_call --print-reply \
        /org/freedesktop/DBus org.freedesktop.DBus.GetId
}

pulse_start() {
    pulse_dir=$(mktemp -d)
    chmod 700 "$pulse_dir"
    export XDG_RUNTIME_DIR=$pulse_dir
    export PULSE_SERVER=unix:$pulse_dir/pulse/native
    # Keep the test away from any configuration of the machine's user.
    export HOME=$pulse_dir PULSE_COOKIE=$pulse_dir/cookie
    export XDG_CONFIG_HOME=$pulse_dir/config XDG_STATE_HOME=$pulse_dir/state
    mkdir -p "$pulse_dir/pulse"
    ready_reset
    if [[ $sound_server == pipewire ]]; then
        dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=1 >"$pulse_dir/dbus" \
            2>"$pulse_dir/dbus.log" || sound_server_failed "dbus-daemon did not start" || return 1
        export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p "$pulse_dir/dbus")
        pulse_pids+=("$(sed -n 2p "$pulse_dir/dbus")")
        ready_wait "the D-Bus session" dbus_answers || sound_server_failed "no D-Bus session" || return 1
        pipewire >"$pulse_dir/pipewire.log" 2>&1 &
        pulse_pids+=($!)
        ready_wait "pipewire's socket" test -S "$pulse_dir/pipewire-0" || sound_server_failed "no PipeWire" ||
            return 1
        wireplumber >"$pulse_dir/wireplumber.log" 2>&1 &
        session_manager_pid=$!
        pulse_pids+=($!)
    fi
    sound_server_up
}

sound_server_up() {
    local quick=${1:-}
    ready_reset
    if [[ $sound_server == pipewire ]]; then
        pipewire-pulse >>"$pulse_dir/pipewire-pulse.log" 2>&1 &
        sound_server_pid=$!
        pulse_pids+=("$sound_server_pid")
        ready_wait "pipewire-pulse answering" pactl info || sound_server_failed "pipewire-pulse did not start" ||
            return 1
        # Just started, it may answer before it can load modules ("Not supported").
        ready_wait "the null sink" null_sink_loaded || sound_server_failed "no null sink on PipeWire" || return 1
        ready_wait "the null sink as the default" eval 'pactl set-default-sink keylark && sink_is_default' ||
            sound_server_failed "the null sink is not the default on PipeWire" || return 1
        # No keep-alive stream here: on PipeWire a 10 ms client shrinks every
        # client's buffer and makes them drop samples.
    else
        rm -f "$pulse_dir/pulse/pid"
        pulseaudio -D -n --exit-idle-time=-1 --use-pid-file=yes \
            --log-target=file:"$pulse_dir/pa.log" \
            --load="module-native-protocol-unix auth-anonymous=1 socket=$pulse_dir/pulse/native" \
            --load="module-null-sink sink_name=keylark" || sound_server_failed "pulseaudio did not start" || return 1
        ready_wait "pulseaudio answering" eval '[[ -s $pulse_dir/pulse/pid ]] && pactl info' ||
            sound_server_failed "pulseaudio did not start" || return 1
        sound_server_pid=$(cat "$pulse_dir/pulse/pid")
        pulse_pids+=("$sound_server_pid")
        ready_wait "the null sink as the default" eval 'sink_exists && pactl set-default-sink keylark && sink_is_default' ||
            sound_server_failed "no null sink on PulseAudio" || return 1
        # A null sink left idle makes the first client start 1-2 s late.
        pacat --playback -d keylark --latency-msec=10 --rate=8000 --channels=1 --format=s16le /dev/zero &
        pulse_pids+=($!)
    fi
    [[ $quick == quick ]] && return 0
    ready_wait "a short stream played to the null sink" short_stream_plays ||
        sound_server_failed "the sound server takes no stream" || return 1
}

sound_server_kill() {
    kill -9 "$sound_server_pid" 2>/dev/null
    local i
    for i in $(seq 50); do kill -0 "$sound_server_pid" 2>/dev/null || return 0; sleep 0.1; done
    return 1
}

# A socket that takes every connection and never says a word, as a broken
# sound server does. Starts it in the background at PATH; sets silent_pid.
silent_socket_start() {
    python3 - "$1" <<'PY' &
import socket, sys
server = socket.socket(socket.AF_UNIX)
server.bind(sys.argv[1])
server.listen(64)
held = []
while True:
    held.append(server.accept()[0])
PY
    silent_pid=$!
    local _
    for _ in $(seq 50); do [[ -S $1 ]] && break; sleep 0.1; done
}

pulse_record_start() {
    # Without a small latency parec hands over 2 s chunks and may leave a
    # truncated file; on PipeWire below 40 ms it drops samples.
    local latency=10
    [[ $sound_server == pipewire ]] && latency=40
    parec -d "${2:-keylark}.monitor" --rate=8000 --channels=1 --format=s16le --latency-msec=$latency \
        --file-format=wav "$1" &
    pulse_recorder=$!
    pulse_pids+=("$pulse_recorder")
    ready_reset
    ready_wait "the recorder's stream" eval 'pactl list short source-outputs | grep -q .' ||
        sound_server_failed "the recorder did not start" || return 1
    # What plays next must not fall into the recorder's first read.
    sleep 0.2
}

pulse_record_stop() {
    sleep 0.5
    if [[ -n "$pulse_recorder" ]]; then
        kill -INT "$pulse_recorder" 2>/dev/null
        wait "$pulse_recorder" 2>/dev/null
        pulse_recorder=
    fi
}

pulse_stop() {
    local pid
    for pid in "${pulse_pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    for pid in "${pulse_pids[@]}"; do
        # The servers are not all our children: wait for them by polling.
        for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null
    done
    pulse_pids=()
    [[ -n "$pulse_dir" ]] && rm -rf "$pulse_dir"
    pulse_dir=
}
