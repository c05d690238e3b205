# Sourced by the shell tests that drive voltaro: a work folder removed at the end, and
# start_meter, which serves a simulated meter on a pseudo-terminal. Needs $bin, the folder of
# the executables.
work=$(mktemp -d)
sim_pid=
other_pids=()
cleanup() {
    [[ -n $sim_pid ]] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    for pid in "${other_pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

# start_meter [SIM OPTIONS]: serves a fresh simulated meter; sets $device.
start_meter() {
    [[ -n $sim_pid ]] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    # The earlier meter's device must not be read while the new one's output is not there yet.
    rm -f "$work/sim.out"
    "$bin/voltaro-meter-sim" "$@" >"$work/sim.out" &
    sim_pid=$!
    for _ in $(seq 100); do
        [[ -s $work/sim.out ]] && break
        sleep 0.1
    done
    device=$(head -n 1 "$work/sim.out")
    [[ -n $device ]] || { echo "the simulated meter did not start"; exit 1; }
}

# start_other_meter NAME [SIM OPTIONS]: serves one more simulated meter beside the one of
# start_meter, until the end of the script; sets the variable NAME to its device.
start_other_meter() {
    local name=$1 out
    shift
    out=$work/sim-$name.out
    "$bin/voltaro-meter-sim" "$@" >"$out" &
    other_pids+=($!)
    for _ in $(seq 100); do
        [[ -s $out ]] && break
        sleep 0.1
    done
    printf -v "$name" '%s' "$(head -n 1 "$out")"
    [[ -n ${!name} ]] || { echo "the simulated meter $name did not start"; exit 1; }
}
