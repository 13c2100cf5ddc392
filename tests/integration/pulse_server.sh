# Sourced by the PulseAudio tests and benchmarks: a private PulseAudio server
# with one null sink "keylark", started and stopped by the calling script.
# Every process started here is remembered by pid and stopped by pulse_stop.
#
#   pulse_start              server, default sink, and a stream keeping it warm
#   pulse_record_start FILE  record the sink's monitor as 8000 Hz mono WAV
#   pulse_record_stop        finish the recording
#   pulse_stop               stop everything (call it from an EXIT trap)

pulse_pids=()
pulse_recorder=
pulse_dir=

pulse_tools_present() {
    local tool
    for tool in pulseaudio pactl pacat parec sox python3 "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool missing"; return 1; }
    done
}

pulse_start() {
    pulse_dir=$(mktemp -d)
    chmod 700 "$pulse_dir"
    export XDG_RUNTIME_DIR=$pulse_dir
    export PULSE_SERVER=unix:$pulse_dir/pulse/native
    # Keep the test away from any configuration of the machine's user.
    export HOME=$pulse_dir PULSE_COOKIE=$pulse_dir/cookie
    mkdir -p "$pulse_dir/pulse"
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
    pulse_pids+=("$(cat "$pulse_dir/pulse/pid")")
    pactl set-default-sink keylark || return 1
    # A null sink left idle makes the first client start 1-2 s late.
    pacat --playback -d keylark --latency-msec=10 --rate=8000 --channels=1 --format=s16le /dev/zero &
    pulse_pids+=($!)
    sleep 2.5
}

pulse_record_start() {
    # Without a small latency parec hands over 2 s chunks and may leave a
    # truncated file.
    parec -d keylark.monitor --rate=8000 --channels=1 --format=s16le --latency-msec=10 \
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
        # The server is not our child: wait for it by polling its pid.
        for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null
    done
    pulse_pids=()
    [[ -n "$pulse_dir" ]] && rm -rf "$pulse_dir"
    pulse_dir=
}
