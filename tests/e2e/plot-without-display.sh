#!/usr/bin/env bash
# Draws a small converted file as a PNG and an SVG with the program itself, without a display.
#   plot-without-display.sh VOLTARO
set -euo pipefail
voltaro=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

{
    printf 'MODEL,ZR915,T351\r\nVERSION,1.23\r\nID,042\r\nLOAD,1\r\nWIRING,1P2W\r\nVAR_METHOD,OFF\r\n'
    printf 'FREQUENCY,50Hz\r\nSAMPLING,PLL\r\nSOURCE,U1\r\nINTERVAL,1sec\r\nU_RANGE,150V\r\n'
    printf 'A_RANGE,50A,50A,50A,50A\r\nVT,1.00\r\nCT,1.00,1.00,1.00,1.00\r\r\n'
    printf 'DATE,TIME,,U1_INST(V),I1_INST(A)_1\r\n'
    for second in 10 11 12 13; do printf '2004/01/01,00:00:%s,A,1.0%s0E+02,5.000E+00\r\n' "$second" "$second"; done
} >"$work/DATA.CSV"

for picture in PLOT.png PLOT.svg; do
    "$voltaro" plot "$work/DATA.CSV" --columns 'U1_INST(V),I1_INST(A)_1' -o "$work/$picture" >"$work/out" 2>"$work/err" || {
        echo "voltaro plot failed for $picture:"; cat "$work/err"; exit 1; }
    [[ $(cat "$work/out") == "$work/$picture" ]] || { echo "unexpected output: $(cat "$work/out")"; exit 1; }
    [[ ! -s "$work/err" ]] || { echo "unexpected messages:"; cat "$work/err"; exit 1; }
done
[[ $(head -c 8 "$work/PLOT.png" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] || { echo "not a PNG"; exit 1; }
grep -q '<svg' "$work/PLOT.svg" || { echo "not an SVG"; exit 1; }
echo "plot drawn without a display"
