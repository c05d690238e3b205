#!/usr/bin/env bash
# The meter commands as a user runs them: voltaro against voltaro-meter-sim on a
# pseudo-terminal, with a healthy meter and with faulty ones.
set -euo pipefail
bin=$1
# shellcheck source=tests/support/simulated-meter.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/simulated-meter.sh"
export VOLTARO_APP_DIR=$work

# expect STATUS STDOUT STDERR COMMAND...: runs voltaro on the meter's port and compares what it said.
expect() {
    expect_alone "$@" --port "$device"
}

# expect_alone STATUS STDOUT STDERR COMMAND...: the same with the command as it stands.
expect_alone() {
    local status=$1 out=$2 err=$3
    shift 3
    local got=0
    timeout 30 "$bin/voltaro" "$@" </dev/null >"$work/out" 2>"$work/err" || got=$?
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

# A port that cannot be opened, and a line that dies under an exchange, are named.
expect_alone 1 "" "Cannot open $work/no-such-port: No such file or directory" identify --port "$work/no-such-port"
start_meter --hang-up-on :CARD:DIRE?
expect 1 "" $'Communication failed.\nThe line to '"$device"$' was lost: Input/output error' files list --media card

# A scan asks every device at once: the meters answer, and a silent device hears nothing but
# the query, and holds the scan up by its time-out alone.
start_meter --version 1.07
start_other_meter second
start_other_meter quiet --silent-on '*IDN?' --log "$work/quiet.log"
started=$(date +%s%N)
expect_alone 0 "$(printf '%s  ZR915 1.07\n%s  ZR915 1.05' "$device" "$second")" "" \
    identify --scan "$device" "$quiet" "$second" --baud 9600
took=$((($(date +%s%N) - started) / 1000000))
heard=$(cat "$work/quiet.log")
[[ $heard == '*IDN?' ]] || { echo "FAILED: the silent device heard $heard"; exit 1; }
((took < 4000)) || { echo "FAILED: the scan took $took ms"; exit 1; }
expect_alone 1 "" "No ZR915 was found." identify --scan "$quiet"


# The files of the sample card, listed and copied.
card=$bin/meter-card
size() { stat -c %s "$card/$1"; }
copies=$work/copies
mkdir -p "$copies"
finished="Data Transfer of pc card has finished."
replace() { printf '%s already exists.\nDo you want to replace it? %s' "$1" "$2"; }

start_meter
expect 0 "$(printf 'INST0001.BIN\t%s\nSETUP001.SET\t%s\nWAVE0001.WFM\t%s' "$(size INST0001.BIN)" \
    "$(size SETUP001.SET)" "$(size WAVE0001.WFM)")" "" files list --media card
expect 0 "" "$finished" files get -o "$copies" setup001.set INST0001.BIN
cmp "$card/INST0001.BIN" "$copies/INST0001.BIN"
cmp "$card/SETUP001.SET" "$copies/SETUP001.SET"
expect 1 "" "$(replace INST0001.BIN Cancel)" files get -o "$copies" INST0001.BIN SETUP001.SET
expect 0 "" "$(replace INST0001.BIN No)"$'\n'"$finished" files get -o "$copies" --no INST0001.BIN
expect 0 "" "$(replace SETUP001.SET Yes)"$'\n'"$finished" files get -o "$copies" --yes SETUP001.SET
expect 1 "" "voltaro files: NOPE.CSV is not on the meter" files get -o "$copies" NOPE.CSV SETUP001.SET
expect 0 "$work/book.xlsx" "$finished" files get -o "$work" --xlsx "$work/book.xlsx" SETUP001.SET WAVE0001.WFM
[[ $(head -c 2 "$work/book.xlsx") == PK ]] || { echo "FAILED: no workbook written"; exit 1; }
cmp "$card/WAVE0001.WFM" "$work/WAVE0001.WFM"

# A meter that stops in the middle of a file: one message, no copy, no temporary file.
rm -f "$copies"/*
start_meter --stop-transfer-after 100
expect 1 "" "Communication failed." files get -o "$copies" INST0001.BIN
[[ -z $(ls -A "$copies") && ! -e $work/~data000.tmp ]] || { echo "FAILED: a failed copy left files"; exit 1; }
echo "ok: a failed copy leaves nothing behind"

# A setting from the meter into a file, changed, sent back and received again. What the
# meter is not asked for comes from the setup kept here, the same every time.
received="Receiving the setting data has finished."
start_meter
"$bin/voltaro" setup --port "$device" >/dev/null
expect 0 "" "$received" settings receive -o "$work/meter.SET"
"$bin/voltaro" settings check "$work/meter.SET"
cp "$work/meter.SET" "$work/original.SET"
"$bin/voltaro" settings set "$work/meter.SET" INTERVAL=13 DIP=85
[[ $(grep -c -e $'^INTERVAL 13\r$' -e $'^DIP 85\r$' "$work/meter.SET") == 2 ]] || { echo "FAILED: no change"; exit 1; }
expect 0 "" "Sending the setting data has finished." settings send "$work/meter.SET"
expect 0 "" "$received" settings receive -o "$work/again.SET"
cmp "$work/meter.SET" "$work/again.SET"
echo "ok: the changed setting came back from the meter"

# A meter that refuses settings, and one that does not take the dip: the message, status
# 1, and the meter keeps what it had (the interval it took is put back).
start_meter --refuse-settings
expect 1 "" "Measurement data is not cleared." settings send "$work/meter.SET"
start_meter --ignore-set :THRE:DIP
expect 1 "" "Dip setting failure." settings send "$work/meter.SET"
expect 0 "" "$received" settings receive -o "$work/after.SET"
cmp "$work/original.SET" "$work/after.SET"
echo "ok: a setting the meter does not take is undone"

# A receive that breaks off writes no file.
start_meter --silent-on :LANG?
expect 1 "" "Communication failed." settings receive -o "$work/broken.SET"
[[ ! -e $work/broken.SET ]] || { echo "FAILED: a failed receive wrote a file"; exit 1; }
echo "ok: a failed receive writes nothing"
