# shellcheck shell=bash
# shellcheck disable=SC2034,SC2154  # sets elapsed and peak_kb for the caller, which sets bench_name and work
# Sourced by the benchmark scripts: times a command under /usr/bin/time (elapsed seconds and peak
# resident memory), or with bash's time and no memory figure where /usr/bin/time is missing.
# Needs `bench_name` (for messages) and `work` (a scratch folder) set before `timed` is called.

bench_time_bin=/usr/bin/time
if [[ ! -x $bench_time_bin ]]; then
    echo "$bench_name: $bench_time_bin not found (Debian package 'time'); timing with bash's time, no peak memory" >&2
    bench_time_bin=
fi

# require_built EXE...: stops unless every EXE has been built.
require_built() {
    local exe
    for exe in "$@"; do
        if [[ ! -x $exe ]]; then
            echo "$bench_name: $exe not found; run 'cmake --preset release && cmake --build --preset release' first" >&2
            exit 1
        fi
    done
}

# timed OUT ERR CMD...: runs CMD with stdout to OUT and stderr to ERR; sets elapsed (s) and peak_kb.
timed() {
    local out=$1 err=$2
    shift 2
    if [[ -n $bench_time_bin ]]; then
        "$bench_time_bin" -f '%e %M' -o "$work/time" "$@" >"$out" 2>"$err" || return 1
        read -r elapsed peak_kb < <(tail -n 1 "$work/time")
    else
        local TIMEFORMAT=%R
        { time "$@" >"$out" 2>"$err"; } 2>"$work/time" || return 1
        elapsed=$(tail -n 1 "$work/time")
        peak_kb=
    fi
}
