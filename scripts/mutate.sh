#!/usr/bin/env bash
# Checks that the test suites catch realistic faults: plants each fault of a
# list (scripts/faults.txt) on its own in a scratch clone of the committed
# tree, rebuilds incrementally, runs the suites and says whether they failed.
# A tool to run by hand or nightly; ./test.sh does not run it.
#
# usage: scripts/mutate.sh [--check] [FAULT_LIST] [FILTER]
#   --check      only verify that every fault still applies to the tree; no build
#   FAULT_LIST   default scripts/faults.txt
#   FILTER       plant only the faults whose title contains this text
# environment:
#   MUTATE_REV   the commit to test (default HEAD)
#   MUTATE_DIR   scratch directory to keep between runs, so builds stay
#                incremental (default: a temporary one, removed at the end)
#   MUTATE_MIN   lowest acceptable catch rate in percent (default 95)
#   JOBS         build and test jobs (default: the number of cores)
#
# Headless-core faults are built with -DKEYLARK_CORE_ONLY=ON and run every core
# suite; faults marked "(full build)" use a full build and run the suites their
# "tests" line names. The exit status is 0 only when the catch rate is at least
# MUTATE_MIN and every fault applied and compiled.
set -uo pipefail
shopt -u patsub_replacement 2>/dev/null || true

repo=$(cd "$(dirname "$0")/.." && pwd)
check_only=0
if [[ ${1:-} == --check ]]; then check_only=1; shift; fi
list=$(realpath "${1:-$repo/scripts/faults.txt}")
filter=${2:-}
rev=${MUTATE_REV:-HEAD}
min_rate=${MUTATE_MIN:-95}
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

# --- the fault list -----------------------------------------------------------
titles=() files=() fulls=() regexes=() anchors=() olds=() news=()
parse_error() { echo "mutate: $list:$1: $2" >&2; exit 2; }
n=-1 lineno=0
while IFS= read -r line || [[ -n $line ]]; do
    lineno=$((lineno + 1))
    line=${line%$'\r'}
    case $line in
        '## '*)
            n=$((n + 1))
            titles[n]=${line#'## '} files[n]= fulls[n]=0 regexes[n]= anchors[n]= olds[n]= news[n]= ;;
        '#'* | '') ;;
        'in '*)
            ((n >= 0)) || parse_error $lineno "'in' before a title"
            f=${line#in }
            if [[ $f == *' (full build)' ]]; then fulls[n]=1; f=${f%' (full build)'}; fi
            files[n]=$f ;;
        'tests '*) regexes[n]=${line#tests } ;;
        'after '*) anchors[n]=${line#after } ;;
        '- '*) olds[n]=${line#- } ;;
        '+ '*) news[n]=${line#+ } ;;
        *) parse_error $lineno "not understood: $line" ;;
    esac
done <"$list"
count=$((n + 1))
for ((i = 0; i < count; i++)); do
    [[ -n ${files[i]} && -n ${olds[i]} ]] || parse_error 0 "fault '${titles[i]}' lacks 'in' or '-'"
done

# --- planting -----------------------------------------------------------------
# plant TREE INDEX: writes the fault into the tree; prints why when it cannot.
plant() {
    local tree=$1 i=$2
    local path=$tree/${files[i]} old=${olds[i]} anchor=${anchors[i]}
    [[ -f $path ]] || { echo "no file ${files[i]}"; return 1; }
    local -a lines
    mapfile -t lines <"$path"
    local k target=-1 from=0 hits=0
    if [[ -n $anchor ]]; then
        from=-1
        for ((k = 0; k < ${#lines[@]}; k++)); do
            if [[ ${lines[k]} == *"$anchor"* ]]; then from=$k; break; fi
        done
        ((from >= 0)) || { echo "no line holds '$anchor'"; return 1; }
    fi
    for ((k = from; k < ${#lines[@]}; k++)); do
        if [[ ${lines[k]} == *"$old"* ]]; then
            ((target < 0)) && target=$k
            hits=$((hits + 1))
            [[ -n $anchor ]] && break
        fi
    done
    ((hits > 0)) || { echo "fragment not found"; return 1; }
    ((hits == 1)) || { echo "fragment found in $hits lines; add an 'after' line"; return 1; }
    lines[target]=${lines[target]/"$old"/"${news[i]}"}
    printf '%s\n' "${lines[@]}" >"$path"
}

selected=()
for ((i = 0; i < count; i++)); do
    if [[ -z $filter || ${titles[i],,} == *"${filter,,}"* ]]; then selected+=("$i"); fi
done
((${#selected[@]} > 0)) || { echo "mutate: no fault matches '$filter'" >&2; exit 2; }

if ((check_only)); then
    tree=$(mktemp -d)
    trap 'rm -rf "$tree"' EXIT
    git -C "$repo" archive "$rev" | tar -x -C "$tree"
    bad=0
    for i in "${selected[@]}"; do
        if ! why=$(plant "$tree" "$i"); then
            echo "NOT APPLIED  ${titles[i]} (${files[i]}: $why)"; bad=$((bad + 1))
        fi
        git -C "$repo" show "$rev:${files[i]}" >"$tree/${files[i]}" 2>/dev/null
    done
    echo "mutate --check: ${#selected[@]} faults, $bad not applicable"
    exit $((bad > 0))
fi

# --- the scratch clone and its builds ------------------------------------------
sha=$(git -C "$repo" rev-parse --verify "$rev^{commit}") || exit 2
if [[ -n ${MUTATE_DIR:-} ]]; then
    work=$(mkdir -p "$MUTATE_DIR" && cd "$MUTATE_DIR" && pwd)
else
    work=$(mktemp -d "${TMPDIR:-/tmp}/keylark-mutate.XXXXXX")
    trap 'rm -rf "$work"' EXIT
fi
src=$work/src
if [[ ! -d $src/.git ]]; then
    git clone -q --shared --no-checkout "$repo" "$src" || exit 2
fi
# The clone borrows the repository's objects, so any of its commits is there.
git -C "$src" cat-file -e "$sha^{commit}" 2>/dev/null || git -C "$src" fetch -q "$repo" || exit 2
git -C "$src" checkout -q -f --detach "$sha" || exit 2
git -C "$src" clean -q -fdx
echo "mutate: ${#selected[@]} faults on $(git -C "$src" log -1 --format='%h %s'), scratch $work"

need_full=0
full_regex=
for i in "${selected[@]}"; do
    if ((fulls[i])); then
        need_full=1
        full_regex+=${full_regex:+|}${regexes[i]:-.}
    fi
done

# Without CI set, warnings stay warnings: a fault must not be caught by -Werror.
configure() {  # build dir, cmake options...
    local dir=$1; shift
    env -u CI cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug "$@" >"$dir.configure.log" 2>&1 \
        || { cat "$dir.configure.log"; return 1; }
}
build() { cmake --build "$1" -j "$jobs" >"$1.build.log" 2>&1; }
# run_suites DIR [REGEX]: succeeds when every suite passes; names the failing ones in $failed_suites.
run_suites() {
    local dir=$1 regex=${2:-}
    local -a args=(--test-dir "$dir" -j "$jobs" --timeout 180)
    [[ -n $regex ]] && args+=(-R "$regex")
    ctest "${args[@]}" >"$dir.ctest.log" 2>&1
    local status=$?
    if grep -q 'No tests were found' "$dir.ctest.log"; then
        failed_suites="no suite matches '$regex'"
        return 2
    fi
    failed_suites=$(sed -En 's/^[[:space:]]*[0-9]+ - ([^ ]+) .*/\1/p' "$dir.ctest.log" | sort -u | paste -sd, -)
    ((status == 0)) && return 0
    [[ -n $failed_suites ]] || failed_suites="ctest status $status"
    return 1
}

core=$work/core full=$work/full
mkdir -p "$core" "$full"
echo "mutate: building and testing the tree as it is"
configure "$core" -DKEYLARK_CORE_ONLY=ON && build "$core" || { echo "mutate: the core does not build"; tail -30 "$core.build.log"; exit 2; }
run_suites "$core" || { echo "mutate: core suites fail without any fault: $failed_suites"; exit 2; }
if ((need_full)); then
    configure "$full" && build "$full" || { echo "mutate: the full tree does not build"; tail -30 "$full.build.log"; exit 2; }
    run_suites "$full" "$full_regex" || { echo "mutate: suites fail without any fault: $failed_suites"; exit 2; }
fi

for i in "${selected[@]}"; do
    if ((fulls[i])) && [[ -n ${regexes[i]} ]] \
        && ! ctest --test-dir "$full" -N -R "${regexes[i]}" | grep -q 'Total Tests: [1-9]'; then
        echo "mutate: no suite matches '${regexes[i]}' (${titles[i]})"; exit 2
    fi
done

# --- one fault at a time --------------------------------------------------------
caught=0 missed=0 stale=0 broken=0
missed_titles=()
start_time=$SECONDS
for i in "${selected[@]}"; do
    title=${titles[i]}
    dir=$core regex=
    if ((fulls[i])); then dir=$full regex=${regexes[i]}; fi
    if ! why=$(plant "$src" "$i"); then
        printf 'NOT APPLIED  %s (%s: %s)\n' "$title" "${files[i]}" "$why"
        stale=$((stale + 1))
    elif ! build "$dir"; then
        printf 'NO BUILD     %s (%s)\n' "$title" "${files[i]}"
        broken=$((broken + 1))
    else
        run_suites "$dir" "$regex"
        case $? in
            0) printf 'MISSED       %s (%s)\n' "$title" "${files[i]}"
               missed=$((missed + 1)); missed_titles+=("$title") ;;
            1) printf 'caught       %s (by %s)\n' "$title" "$failed_suites"
               caught=$((caught + 1)) ;;
            *) echo "mutate: $failed_suites"; exit 2 ;;
        esac
    fi
    git -C "$src" checkout -q -- "${files[i]}"
done

# Leave the builds matching the clean tree for the next run.
build "$core" || true
((need_full)) && { build "$full" || true; }

judged=$((caught + missed))
rate=$(( judged > 0 ? caught * 1000 / judged : 0 ))
echo
echo "mutate: ${#selected[@]} faults: $caught caught, $missed missed, $stale not applied, $broken not building;" \
     "catch rate $((rate / 10)).$((rate % 10)) % ($(( (SECONDS - start_time) / 60 )) min)"
for title in "${missed_titles[@]}"; do echo "  missed: $title"; done
((stale == 0 && broken == 0 && judged > 0 && rate >= min_rate * 10))
