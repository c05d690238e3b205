#!/usr/bin/env bash
# The meter commands as a user runs them: voltaro against voltaro-meter-sim on a
# pseudo-terminal, with a healthy meter and with faulty ones.
set -euo pipefail
bin=$1
work=$(mktemp -d)
sim_pid=
cleanup() {
    [[ -n $sim_pid ]] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
export VOLTARO_APP_DIR=$work

# start_meter [SIM OPTIONS]: serves a fresh simulated meter; sets $device.
start_meter() {
    [[ -n $sim_pid ]] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    "$bin/voltaro-meter-sim" "$@" >"$work/sim.out" &
    sim_pid=$!
    for _ in $(seq 100); do
        [[ -s $work/sim.out ]] && break
        sleep 0.1
    done
    device=$(head -n 1 "$work/sim.out")
    [[ -n $device ]] || { echo "the simulated meter did not start"; exit 1; }
}

# expect STATUS STDOUT STDERR COMMAND...: runs voltaro and compares what it said.
expect() {
    local status=$1 out=$2 err=$3
    shift 3
    local got=0
    timeout 30 "$bin/voltaro" "$@" --port "$device" </dev/null >"$work/out" 2>"$work/err" || got=$?
    if [[ $got != "$status" || $(cat "$work/out") != "$out" || $(cat "$work/err") != "$err" ]]; then
        echo "FAILED: voltaro $*"
        echo "  status $got (expected $status)"
        echo "  stdout: $(cat "$work/out") (expected $out)"
        echo "  stderr: $(cat "$work/err") (expected $err)"
        exit 1
    fi
    echo "ok: voltaro $* -> $status"
}

start_meter
expect 0 "ZR915 1.05" "" identify
expect 1 "" "Reset is performed. Proceed? Cancel" reset
expect 0 "" $'Reset is performed. Proceed? OK\nReset was performed.' reset --yes

start_meter --silent-on '*IDN?'
expect 1 "" "Communication failed." identify

start_meter --model ZR916
expect 1 "" "ZR915 not ready." identify

start_meter --hold
expect 1 "" $'Reset is performed. Proceed? OK\nIt is under hold.' reset --yes

