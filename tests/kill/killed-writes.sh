#!/usr/bin/env bash
# Kills voltaro with SIGKILL at random moments while it writes each kind of file it keeps: the
# Parameter file, a setting file, a copy from the meter, a converted file and division pieces.
# Whatever the moment, each file is afterwards the earlier complete one or the new complete one,
# never part of either; the temporary files that killed runs leave in the application folder go
# at the next start. Stopped by SIGINT or SIGTERM instead, a conversion or division also leaves
# no temporary file and does not exit 0 unless it completed.
#
#   tests/kill/killed-writes.sh BIN_DIR [KILLS_PER_JOB]
set -euo pipefail
bin=$1
kills=${2:-6}
# shellcheck source=tests/support/simulated-meter.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/simulated-meter.sh"
export VOLTARO_APP_DIR=$work/app
mkdir -p "$work/app" "$work/ref" "$work/out"
RANDOM=915  # a fixed seed: every run kills at the same moments after the start

failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

# milliseconds COMMAND...: runs the command to its end and prints how long it took.
milliseconds() {
    local start end
    start=$(date +%s%N)
    local status=0
    "$@" </dev/null >/dev/null 2>"$work/err" || status=$?
    if ((status != 0)); then
        echo "the uninterrupted run failed with status $status: $*: $(cat "$work/err")" >&2
        exit 1
    fi
    end=$(date +%s%N)
    echo $(((end - start) / 1000000 + 1))
}

# signal_within MS SIGNAL COMMAND...: starts the command, sends it SIGNAL at a random moment within
# MS and waits for it; sets $status to its exit status.
signal_within() {
    local ms=$1 signal=$2
    shift 2
    "$@" </dev/null >/dev/null 2>&1 &
    local pid=$!
    local at=$((RANDOM * 32768 + RANDOM))
    sleep "$(printf '%d.%03d' $((at % ms / 1000)) $((at % ms % 1000)))"
    kill -"$signal" "$pid" 2>/dev/null || true
    status=0
    wait "$pid" 2>/dev/null || status=$?
}
kill_within() { signal_within "$1" KILL "${@:2}"; }

# stopped_cleanly WHAT SIGNAL: the run that got SIGNAL ended with 0, 1, or the signal's own status
# when it came before voltaro had begun.
stopped_cleanly() {
    ((status == 0 || status == 1 || status == 128 + $(kill -l "$2"))) || fail "$1 stopped by SIG$2 exited $status"
}

# whole WHAT FILE EARLIER NEW: FILE holds EARLIER or NEW byte for byte (NEW may be absent: then FILE
# must be EARLIER, or absent when EARLIER is).
whole() {
    local what=$1 file=$2 earlier=$3 new=$4
    if [[ ! -e $file ]]; then
        [[ ! -e $earlier ]] || fail "$what: $(basename "$file") is gone"
    elif ! cmp -s "$file" "$earlier" && ! { [[ -e $new ]] && cmp -s "$file" "$new"; }; then
        fail "$what: $(basename "$file") is neither the earlier file nor the new one"
    fi
}


earlier_file() { printf 'the earlier %s\r\n' "$1" >"$2"; }

# The Parameter file, written by the serial setup.
echo "Parameter file"
"$bin/voltaro" setup --port /dev/ttyS3 --baud 4800 >/dev/null
cp "$work/app/Parameter" "$work/ref/Parameter.earlier"
ms=$(milliseconds "$bin/voltaro" setup --port /dev/ttyS1 --baud 19200)
cp "$work/app/Parameter" "$work/ref/Parameter"
for _ in $(seq "$kills"); do
    cp "$work/ref/Parameter.earlier" "$work/app/Parameter"
    kill_within "$ms" "$bin/voltaro" setup --port /dev/ttyS1 --baud 19200
    whole "Parameter" "$work/app/Parameter" "$work/ref/Parameter.earlier" "$work/ref/Parameter"
done

# A setting file. The factory setting starts the measurement at the PC's minute, so two runs
# may differ in their start and stop times: those two lines are left out of the comparison.
echo "setting file"
without_clock() { grep -av '^MSTART_TIME \|^MSTOP_TIME ' "$1" >"$2" || true; }
"$bin/voltaro" settings defaults -o "$work/ref/FACTORY.SET" >/dev/null
without_clock "$work/ref/FACTORY.SET" "$work/ref/FACTORY.SET.new"
earlier_file "setting" "$work/ref/FACTORY.SET.earlier"
ms=$(milliseconds "$bin/voltaro" settings defaults -o "$work/out/FACTORY.SET")
for _ in $(seq "$kills"); do
    cp "$work/ref/FACTORY.SET.earlier" "$work/out/FACTORY.SET"
    kill_within "$ms" "$bin/voltaro" settings defaults -o "$work/out/FACTORY.SET"
    without_clock "$work/out/FACTORY.SET" "$work/ref/FACTORY.SET.seen"
    whole "setting file" "$work/ref/FACTORY.SET.seen" "$work/ref/FACTORY.SET.earlier" "$work/ref/FACTORY.SET.new"
done
rm -f "$work/out"/*

# A converted file: never over an existing one, so NAME.CSV stays and the new one is NAME(00).CSV.
echo "converted file"
"$bin/voltaro-bench-make-inst" "$work/ref/DATA.BIN" 4
ms=$(milliseconds "$bin/voltaro" convert -o "$work/ref" "$work/ref/DATA.BIN")
earlier_file "conversion" "$work/ref/DATA.CSV.earlier"
for _ in $(seq "$kills"); do
    rm -f "$work/out"/*
    cp "$work/ref/DATA.CSV.earlier" "$work/out/DATA.CSV"
    kill_within "$ms" "$bin/voltaro" convert -o "$work/out" "$work/ref/DATA.BIN"
    whole "conversion" "$work/out/DATA.CSV" "$work/ref/DATA.CSV.earlier" ""
    whole "conversion" "$work/out/DATA(00).CSV" "$work/nothing" "$work/ref/DATA.CSV"
done
rm -f "$work/out"/*

# Division pieces, of lines and of columns, over the pieces of an earlier run.
"$bin/voltaro-bench-make-csv" long "$work/ref/LONG.CSV" 8
"$bin/voltaro-bench-make-csv" wide "$work/ref/WIDE.CSV" 4 600
for job in "--lines 20000 LONG" "--columns 100 WIDE"; do
    read -r option count name <<<"$job"
    echo "division $option"
    mkdir -p "$work/ref/$name"
    ms=$(milliseconds "$bin/voltaro" divide "$option" "$count" -o "$work/ref/$name" "$work/ref/$name.CSV")
    for _ in $(seq "$kills"); do
        rm -f "$work/out"/*
        for piece in "$work/ref/$name"/*; do earlier_file "piece" "$work/out/$(basename "$piece")"; done
        earlier_file "piece" "$work/ref/piece.earlier"
        kill_within "$ms" "$bin/voltaro" divide "$option" "$count" --yes -o "$work/out" "$work/ref/$name.CSV"
        for piece in "$work/ref/$name"/*; do
            whole "division $option" "$work/out/$(basename "$piece")" "$work/ref/piece.earlier" "$piece"
        done
    done
done
rm -f "$work/out"/*

# Stopped by a signal: the files it completed stay, the one at hand goes, and no temporary file stays.
for job in "convert:-o $work/out $work/ref/DATA.BIN" "divide:--lines 20000 --yes -o $work/out $work/ref/LONG.CSV" \
           "divide:--columns 100 --yes -o $work/out $work/ref/WIDE.CSV"; do
    command=${job%%:*}
    read -r -a arguments <<<"${job#*:}"
    echo "$command ${arguments[0]} stopped by signals"
    ms=$(milliseconds "$bin/voltaro" "$command" "${arguments[@]}")
    rm -f "$work/out"/*
    for signal in INT TERM INT TERM; do
        signal_within "$ms" "$signal" "$bin/voltaro" "$command" "${arguments[@]}"
        for file in "$work/out"/*; do
            [[ -e $file ]] || continue
            case $(basename "$file") in
            DATA*.CSV) whole "$command stopped" "$file" "$work/nothing" "$work/ref/DATA.CSV" ;;
            LONG_??.CSV) whole "$command stopped" "$file" "$work/nothing" "$work/ref/LONG/$(basename "$file")" ;;
            WIDE-??.CSV) whole "$command stopped" "$file" "$work/nothing" "$work/ref/WIDE/$(basename "$file")" ;;
            *) fail "$command stopped by SIG$signal left $(basename "$file")" ;;
            esac
        done
        stopped_cleanly "$command" "$signal"
        ((status != 0)) || [[ $command == divide ]] || [[ -e "$work/out/DATA.CSV" ]] ||
            fail "$command exited 0 without its file"
        rm -f "$work/out"/*
    done
done

# A copy from the meter, served slowly enough to be killed in the middle.
echo "copy from the meter"
mkdir -p "$work/card"
head -c 40000 /dev/urandom >"$work/card/DATA0001.BIN"
earlier_file "copy" "$work/ref/DATA0001.BIN.earlier"
start_meter --card "$work/card" --baud 460800
ms=$(milliseconds "$bin/voltaro" files get --port "$device" -o "$work/ref" DATA0001.BIN)
cmp "$work/card/DATA0001.BIN" "$work/ref/DATA0001.BIN"
for _ in $(seq "$kills"); do
    start_meter --card "$work/card" --baud 460800
    cp "$work/ref/DATA0001.BIN.earlier" "$work/out/DATA0001.BIN"
    kill_within "$ms" "$bin/voltaro" files get --port "$device" --yes -o "$work/out" DATA0001.BIN
    whole "copy" "$work/out/DATA0001.BIN" "$work/ref/DATA0001.BIN.earlier" "$work/card/DATA0001.BIN"
done

# What the killed runs left in the application folder goes at the next start, once old enough.
shopt -s nullglob
leftovers=("$work/app"/*.??????)
((${#leftovers[@]} == 0)) || touch -d '2 minutes ago' "${leftovers[@]}"
"$bin/voltaro" setup --port /dev/ttyS1 >/dev/null
start_meter --card "$work/card"
"$bin/voltaro" files get --port "$device" --yes -o "$work/out" DATA0001.BIN 2>/dev/null
left=$(find "$work/app" -name '*.??????' | wc -l)
[[ $left == 0 ]] || fail "$left temporary files stayed in the application folder"

# Stopped by a signal, a copy leaves the earlier file whole and no temporary file in either folder.
for signal in INT TERM; do
    start_meter --card "$work/card" --baud 460800
    cp "$work/ref/DATA0001.BIN.earlier" "$work/out/DATA0001.BIN"
    signal_within "$ms" "$signal" "$bin/voltaro" files get --port "$device" --yes -o "$work/out" DATA0001.BIN
    whole "copy stopped" "$work/out/DATA0001.BIN" "$work/ref/DATA0001.BIN.earlier" "$work/card/DATA0001.BIN"
    left=$(find "$work/out" "$work/app" -name '*.??????' | wc -l)
    stopped_cleanly copy "$signal"
    [[ $left == 0 ]] || fail "copy stopped by SIG$signal left $left temporary files"
done

if ((failures > 0)); then
    echo "$failures failures"
    exit 1
fi
echo "every file was whole after $kills kills per job"
