#!/usr/bin/env bash
# Every test: native against the simulation, then under Wine in a 64-bit and a 32-bit prefix.
# Prints what ran where and a closing line "N passed, N failed, N skipped".
#   run-tests.sh [native] [wine64] [wine32]    (default: all three)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
source "$here/wine-common.sh"

places=("$@")
[ ${#places[@]} -gt 0 ] || places=(native wine64 wine32)
results="$top/build/test-results"
rm -rf "$results"
mkdir -p "$results"
summary=()
total_passed=0 total_failed=0 total_skipped=0

record() {  # place suite passed failed skipped [note]
    summary+=("$(printf '%-7s %-16s %4d passed %4d failed %4d skipped  %s' "$1" "$2" "$3" "$4" "$5" "${6:-}")")
    total_passed=$((total_passed + $3)) total_failed=$((total_failed + $4)) total_skipped=$((total_skipped + $5))
}

# Counts from a GoogleTest XML report; a missing report counts as one failure.
record_gtest() {  # place suite xml log
    local place=$1 suite=$2 xml=$3 log=$4
    if [ ! -s "$xml" ]; then
        record "$place" "$suite" 0 1 0 "no report: see $log"
        return
    fi
    local tests failures skipped
    tests=$(grep -o '<testsuites [^>]*' "$xml" | grep -o ' tests="[0-9]*"' | grep -o '[0-9]*')
    failures=$(grep -o '<testsuites [^>]*' "$xml" | grep -o ' failures="[0-9]*"' | grep -o '[0-9]*')
    skipped=$(grep -c '<skipped' "$xml" || true)
    record "$place" "$suite" $((tests - failures - skipped)) "$failures" "$skipped"
}

# GoogleTest's closing list of failed and skipped tests.
summary_lines() { grep -E '^\[  (FAILED|SKIPPED) +\] [A-Za-z_0-9]+\.[A-Za-z_0-9/]+$' "$1" | sort -u; }

# Counts the "ok" and "not ok" lines of a driver report.
record_checks() {  # place suite report
    local passed failed
    passed=$(grep -c '^ok ' "$3" 2>/dev/null || true)
    failed=$(grep -c '^not ok ' "$3" 2>/dev/null || true)
    [ -s "$3" ] || failed=1
    record "$1" "$2" "$passed" "$failed" 0 "checks; report: ${3#$top/}"
    grep '^not ok ' "$3" 2>/dev/null | sed "s/^/  $1: /"
}

run_native() {
    for suite in native_tests port_tests; do
        echo "== native: $suite"
        "$top/build/native/$suite" --gtest_output="xml:$results/native-$suite.xml" \
            >"$results/native-$suite.log" 2>&1
        summary_lines "$results/native-$suite.log"
        record_gtest native "$suite" "$results/native-$suite.xml" "$results/native-$suite.log"
    done
}

run_wine() {
    local place=$1 arch=$2
    local dir="$top/build/wine/$arch"
    echo "== $place: making a fresh $arch prefix (slow where 32-bit code is emulated)"
    if ! wine_prefix "$arch" "$dir"; then
        record "$place" "prefix" 0 1 0 "no prefix: see ${dir#$top/}/wineboot.log"
        return
    fi
    echo "== $place: port_tests"
    cp "$top/build/windows/port_tests.exe" "$dir/prefix/drive_c/port_tests.exe"
    (wine_env "$dir"; cd "$dir/prefix/drive_c" &&
        timeout 1200 wine 'C:\port_tests.exe' --gtest_output="xml:$(windows_path "$results/$place-port_tests.xml")") \
        >"$results/$place-port_tests.log" 2>&1
    summary_lines "$results/$place-port_tests.log"
    record_gtest "$place" port_tests "$results/$place-port_tests.xml" "$results/$place-port_tests.log"
    echo "== $place: end to end"
    "$here/run-e2e.sh" "$dir" "$top/build/windows" "$results/$place-e2e"
    record_checks "$place" e2e "$results/$place-e2e/e2e.txt"
    [ -f "$results/$place-e2e/main-window.png" ] && echo "   screenshot: ${results#$top/}/$place-e2e/main-window.png"
}

for place in "${places[@]}"; do
    case "$place" in
        native) run_native ;;
        wine64) run_wine wine64 win64 ;;
        wine32)
            if ia32_emulated; then
                # Wine's 32-bit prefix needs every system process to survive Windows exceptions,
                # which qemu's user-mode emulation cannot deliver to Wine's i386 signal handler.
                echo "== wine32: not run: this kernel cannot run 32-bit x86 code; under qemu's"
                echo "   emulation Wine's 32-bit prefix does not start (qemu reports no fault numbers)"
                summary+=("wine32  (all)            not run: no 32-bit x86 support in this kernel")
            else
                run_wine wine32 win32
            fi ;;
        *) echo "unknown place: $place" >&2; exit 2 ;;
    esac
done

echo
echo "== what ran where"
printf '%s\n' "${summary[@]}"
echo
echo "total: $total_passed passed, $total_failed failed, $total_skipped skipped"
[ "$total_failed" -eq 0 ]
