#!/usr/bin/env bash
# Lesson 1 of each course through the real window and a private PulseAudio
# null sink: the recording, decoded by timing alone, must be the groups that
# were sent, of the lesson's two characters only, with the gaps of the chosen
# spacing; the copy typed back must score as expected.
# usage: e2e_course.sh E2E_DRIVER
source "$(dirname "$0")/e2e_common.sh"
e2e_init "$1"
decode="$e2e_dir/course_timing.py"

pulse_start || exit 1

# The characters of a sent text, gaps left out.
count() { python3 -c 'import sys; print(len(sys.argv[1].replace(" ", "")))' "$1"; }

# name course spacing-index extra-units groups-left-out patterns...
lesson() {
    local name=$1 course=$2 spacing=$3 extra=$4 drop=$5
    shift 5
    pulse_record_start "$work/$name.wav"
    run "$name" course --course "$course" --spacing "$spacing" --seed 5 --drop-groups "$drop"
    pulse_record_stop
    local sent decoded
    sent=$(value "$name" sent)
    python3 "$decode" "$work/$name.wav" "$@" >"$work/$name.decoded"
    decoded=$(head -n 1 "$work/$name.decoded")
    sed "s/^/  [$name decoded] /" "$work/$name.decoded" | cut -c1-160
    local letters
    letters=$(printf '%s' "$decoded" | tr -d ' ')
    check '[[ -n "$sent" && "$decoded" == "$sent" ]]' "$name: the recording decodes to the groups sent"
    check 'python3 -c "import sys; t=sys.argv[1]; ok=set(t.replace(\" \",\"\")) <= set(sys.argv[2]) and all(len(g)==5 for g in t.split()); sys.exit(0 if ok else 1)" "$decoded" "$(value "$name" lesson_chars)"' \
        "$name: groups of five of the lesson's two characters only"
    local char_gap group_gap
    char_gap=$(sed -n 's/^char_gap //p' "$work/$name.decoded")
    group_gap=$(sed -n 's/^group_gap //p' "$work/$name.decoded")
    check "python3 -c 'import sys; sys.exit(0 if abs($char_gap - (3 + $extra)) < 0.4 else 1)'" \
        "$name: characters $char_gap units apart, 3 + $extra as the spacing sets"
    check "python3 -c 'import sys; sys.exit(0 if abs($group_gap - (7 + 2 * $extra)) < 0.6 else 1)'" \
        "$name: groups $group_gap units apart, 7 + 2 x $extra"
    check '[[ -n "$(value "$name" rate)" && -z "$(value "$name" rate_at_end)" ]]' \
        "$name: the rate meter runs while the lesson sounds and empties at its end"
}

lesson international international 3 3 0 -.-=K --=M
total=$(count "$(value international sent)")
check '[[ "$(value international correct)" == "$total" && "$(value international scored)" == "$total" ]]' \
    "international: the whole copy typed scores $total of $total"
check '[[ "$(value international reached)" == 2 ]]' "international: 100 % opens lesson 2"

# Two groups of fifteen left out: 86.7 %.
lesson wabun wabun 6 6 2 .=ヘ -=ム
total=$(count "$(value wabun sent)")
check '[[ "$(value wabun correct)" == "$((total - 10))" && "$(value wabun scored)" == "$total" ]]' \
    "wabun: the copy in hiragana without its last two groups scores $((total - 10)) of $total"
check '[[ "$(value wabun reached)" == 1 ]]' \
    "wabun: $((total - 10)) of $total is under 90 %, lesson 2 stays shut"

e2e_finish
