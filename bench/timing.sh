# shellcheck shell=bash
# shellcheck disable=SC2034,SC2154  # sets elapsed and peak_kb for the caller, which sets bench_name and work
# Sourced by the benchmark scripts: times a command to the millisecond with bash's clock and takes its
# peak resident memory from /usr/bin/time; where /usr/bin/time is missing, from getrusage in python3,
# and failing that gives no memory figure.
# Needs `bench_name` (for messages) and `work` (a scratch folder) set before `timed` is called.

bench_time_bin=/usr/bin/time
bench_rusage=
if [[ ! -x $bench_time_bin ]]; then
    bench_time_bin=
    if command -v python3 >/dev/null; then
        echo "$bench_name: /usr/bin/time not found (Debian package 'time'); peak memory through getrusage" >&2
        # The child's peak resident memory in KB, into the file named first.
        bench_rusage='import resource, subprocess, sys
status = subprocess.call(sys.argv[2:])
with open(sys.argv[1], "w") as out:
    print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss, file=out)
sys.exit(status)'
    else
        echo "$bench_name: /usr/bin/time not found (Debian package 'time'); no peak memory figures" >&2
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

# now_us: bash's wall clock in microseconds.
now_us() { local t=${EPOCHREALTIME/[.,]/}; echo $((10#$t)); }

# timed OUT ERR CMD...: runs CMD with stdout to OUT and stderr to ERR; sets elapsed (seconds, three
# decimals) and peak_kb (empty when no memory figure can be had).
timed() {
    local out=$1 err=$2 start status=0
    shift 2
    peak_kb=
    start=$(now_us)
    if [[ -n $bench_time_bin ]]; then
        "$bench_time_bin" -f '%M' -o "$work/time" "$@" >"$out" 2>"$err" || status=1
    elif [[ -n $bench_rusage ]]; then
        python3 -c "$bench_rusage" "$work/time" "$@" >"$out" 2>"$err" || status=1
    else
        "$@" >"$out" 2>"$err" || status=1
    fi
    local us=$(($(now_us) - start))
    elapsed=$(printf '%d.%03d' $((us / 1000000)) $((us / 1000 % 1000)))
    ((status == 0)) || return 1
    if [[ -n $bench_time_bin || -n $bench_rusage ]]; then read -r peak_kb < <(tail -n 1 "$work/time"); fi
}

# median VALUE...: the middle value (the lower of the two middle ones for an even count).
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# bench_rounds: how many alternating rounds a benchmark times (BENCH_ROUNDS, default 5).
bench_rounds=${BENCH_ROUNDS:-5}
