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
#                            without waiting for the server to settle
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

# Waits up to 5 s for the server to answer.
sound_server_answers() {
    local i
    for i in $(seq 50); do
        pactl info >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
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
    if [[ $sound_server == pipewire ]]; then
        dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=1 >"$pulse_dir/dbus" || return 1
        export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p "$pulse_dir/dbus")
        pulse_pids+=("$(sed -n 2p "$pulse_dir/dbus")")
        pipewire >"$pulse_dir/pipewire.log" 2>&1 &
        pulse_pids+=($!)
        local i
        for i in $(seq 50); do [[ -S $pulse_dir/pipewire-0 ]] && break; sleep 0.1; done
        wireplumber >"$pulse_dir/wireplumber.log" 2>&1 &
        session_manager_pid=$!
        pulse_pids+=($!)
    fi
    sound_server_up
}

sound_server_up() {
    if [[ $sound_server == pipewire ]]; then
        pipewire-pulse >>"$pulse_dir/pipewire-pulse.log" 2>&1 &
        sound_server_pid=$!
        pulse_pids+=("$sound_server_pid")
        sound_server_answers || { echo "pipewire-pulse did not start"; cat "$pulse_dir"/*.log; return 1; }
        # Just started, it may answer before it can load modules ("Not supported").
        local i
        for i in $(seq 50); do
            pactl load-module module-null-sink sink_name=keylark >/dev/null 2>&1 && break
            sleep 0.1
        done
        for i in $(seq 50); do
            pactl set-default-sink keylark 2>/dev/null && break
            sleep 0.1
        done
        [[ $(pactl get-default-sink 2>/dev/null) == keylark ]] || { echo "no null sink on PipeWire"; return 1; }
        # No keep-alive stream here: on PipeWire a 10 ms client shrinks every
        # client's buffer and makes them drop samples.
        [[ ${1:-} == quick ]] || sleep 1
        return 0
    fi
    rm -f "$pulse_dir/pulse/pid"
    pulseaudio -D -n --exit-idle-time=-1 --use-pid-file=yes \
        --log-target=file:"$pulse_dir/pa.log" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$pulse_dir/pulse/native" \
        --load="module-null-sink sink_name=keylark" || return 1
    local i
    for i in $(seq 50); do
        [[ -s "$pulse_dir/pulse/pid" ]] && pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
    [[ -s "$pulse_dir/pulse/pid" ]] || { echo "pulseaudio did not start"; cat "$pulse_dir/pa.log"; return 1; }
    sound_server_pid=$(cat "$pulse_dir/pulse/pid")
    pulse_pids+=("$sound_server_pid")
    pactl set-default-sink keylark || return 1
    # A null sink left idle makes the first client start 1-2 s late.
    pacat --playback -d keylark --latency-msec=10 --rate=8000 --channels=1 --format=s16le /dev/zero &
    pulse_pids+=($!)
    [[ ${1:-} == quick ]] || sleep 2.5
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
    sleep 0.5
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
