# shellcheck shell=bash
# shellcheck disable=SC2034,SC2154  # sets elapsed and peak_kb for the caller, which sets bench_name and work
# Sourced by the benchmark scripts: times a command under /usr/bin/time (elapsed seconds and peak
# resident memory); where /usr/bin/time is missing, through getrusage in python3, and failing that
# with bash's time and no memory figure.
# Needs `bench_name` (for messages) and `work` (a scratch folder) set before `timed` is called.

bench_time_bin=/usr/bin/time
bench_rusage=
if [[ ! -x $bench_time_bin ]]; then
    bench_time_bin=
    if command -v python3 >/dev/null; then
        echo "$bench_name: /usr/bin/time not found (Debian package 'time'); timing through getrusage" >&2
        # Elapsed seconds and the child's peak resident memory in KB, into the file named first.
        bench_rusage='import resource, subprocess, sys, time
start = time.monotonic()
status = subprocess.call(sys.argv[2:])
with open(sys.argv[1], "w") as out:
    print("%.2f %d" % (time.monotonic() - start, resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss), file=out)
sys.exit(status)'
    else
        echo "$bench_name: /usr/bin/time not found (Debian package 'time'); timing with bash's time, no peak memory" >&2
    fi
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
    elif [[ -n $bench_rusage ]]; then
        python3 -c "$bench_rusage" "$work/time" "$@" >"$out" 2>"$err" || return 1
        read -r elapsed peak_kb < <(tail -n 1 "$work/time")
    else
        local TIMEFORMAT=%R
        { time "$@" >"$out" 2>"$err"; } 2>"$work/time" || return 1
        elapsed=$(tail -n 1 "$work/time")
        peak_kb=
    fi
}
