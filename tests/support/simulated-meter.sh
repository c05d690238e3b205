# Sourced by the shell tests that drive voltaro: a work folder removed at the end, and
# start_meter, which serves a simulated meter on a pseudo-terminal. Needs $bin, the folder of
# the executables.
work=$(mktemp -d)
sim_pid=
cleanup() {
    [[ -n $sim_pid ]] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
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
