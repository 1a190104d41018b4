#!/usr/bin/env bash
# Types the README's commands as a new user would, in this clone: the run command prints the
# version and opens a book, the benchmark command runs every benchmark to its end, and the
# install command installs a reader that opens a book. Run after the plain suite has built
# build/, which these commands share.
set -euo pipefail
cd "$(dirname "$0")/.."

passed=0
failed=0
check() {
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        echo "FAIL: $name" >&2
        failed=$((failed + 1))
    fi
}

prints_version() {
    local printed
    printed=$(QT_QPA_PLATFORM=offscreen scripts/run.sh --version | tail -n 1)
    [ "$printed" = "lexorin 1.0.0.03" ] || { echo "scripts/run.sh --version printed: $printed" >&2; return 1; }
}

runs_every_benchmark() {
    local log expected ran
    log=$(mktemp)
    scripts/bench.sh > "$log" 2>&1 || { tail -n 30 "$log" >&2; rm -f "$log"; return 1; }
    expected=$(find bench -name 'bench_*.cpp' | wc -l)
    ran=$(grep -c '^== bench_' "$log" || true)
    rm -f "$log"
    [ "$ran" -eq "$expected" ] || { echo "scripts/bench.sh ran $ran of $expected benchmarks" >&2; return 1; }
}

installs_a_reader_that_opens_books() {
    local prefix status=0
    prefix=$(mktemp -d)
    cmake --install build --prefix "$prefix" > /dev/null && tests/opens-book.sh "$prefix/bin/lexorin" || status=1
    rm -rf "$prefix"
    return $status
}

check "scripts/run.sh --version" prints_version
check "scripts/run.sh BOOK" tests/opens-book.sh scripts/run.sh
check "scripts/bench.sh" runs_every_benchmark
check "cmake --install build" installs_a_reader_that_opens_books
echo "commands: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
