#!/usr/bin/env bash
# Voltaro installed under a prefix, as the package installs it under /usr: exactly the two
# executables in bin/, the program's own files in share/voltaro/, the desktop entry and the
# icon; the installed programs run from there and find their files.
#
#   installed-program.sh CMAKE BUILD_DIR VERSION HELP_PROGRAM
set -euo pipefail
cmake=$1 build=$2 version=$3 help_program=$4
built=$build/bin
# shellcheck source=tests/support/simulated-meter.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/simulated-meter.sh"
prefix=$work/prefix
bin=$prefix/bin  # start_meter runs the installed simulator
export VOLTARO_APP_DIR=$work/app
mkdir -p "$VOLTARO_APP_DIR"

fail() {
    echo "FAILED: $*"
    exit 1
}

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

# The tree holds what a user needs and nothing of the build's own (tests, benchmarks, generators).
expected=$work/expected
{
    printf '%s\n' bin/voltaro bin/voltaro-meter-sim share/applications/voltaro.desktop \
        share/icons/hicolor/scalable/apps/voltaro.svg \
        share/voltaro/voltaroe.html share/voltaro/findfile.avi share/voltaro/filecopy.avi
    for size in 16 32 48 64 128 256; do echo "share/icons/hicolor/${size}x$size/apps/voltaro.png"; done
    # Every picture the build put beside the manual, and the simulator's sample card.
    for picture in "$built"/*.png; do echo "share/voltaro/${picture##*/}"; done
    for file in "$built"/meter-card/*; do echo "share/voltaro/meter-card/${file##*/}"; done
} | sort >"$expected"
(cd "$prefix" && find . ! -type d | sed 's|^\./||' | sort) >"$work/installed"
diff -u "$expected" "$work/installed" || fail "the installed tree is not the expected one"
for file in "$built"/voltaroe.html "$built"/findfile.avi "$built"/filecopy.avi "$built"/*.png "$built"/meter-card/*; do
    cmp "$file" "$prefix/share/voltaro/${file#"$built"/}" || fail "${file#"$built"/} is not installed as built"
done
echo "ok: the installed tree"

# What the manual shows or links to lies beside it.
manual=$prefix/share/voltaro/voltaroe.html
references=$(grep -o -E '(src|href)="[^"#:]+"' "$manual" | sed -E 's/^[a-z]+="(.*)"$/\1/' | sort -u)
[[ -n $references ]] || fail "the manual refers to no picture"
for reference in $references; do
    [[ -f $prefix/share/voltaro/$reference ]] || fail "the manual's $reference is not installed beside it"
done
echo "ok: the manual and what it refers to"

# From the installed bin/, Help finds the manual in share/voltaro/ and shows it at a section,
# pictures and all; the program that asks stands where the installed voltaro does.
cp "$help_program" "$bin/help-check"
QT_QPA_PLATFORM=offscreen "$bin/help-check" >"$work/help-out" 2>"$work/help-err" ||
    fail "Help from the installed tree: $(cat "$work/help-err" "$work/help-out")"
grep -q "^file://$prefix/share/voltaro/voltaroe.html#settings\$" "$work/help-out" ||
    fail "Help showed $(cat "$work/help-out")"
rm "$bin/help-check"
echo "ok: Help from the installed tree"

# The installed programs run.
[[ $("$bin/voltaro" --version) == "Voltaro $version" ]] || fail "installed voltaro --version"
mkdir -p "$work/installed-csv" "$work/built-csv"
card=$prefix/share/voltaro/meter-card
"$bin/voltaro" convert -o "$work/installed-csv" "$card/INST0001.BIN" "$card/WAVE0001.WFM" >"$work/out" 2>"$work/err" ||
    fail "the installed voltaro does not convert"
[[ $(wc -l <"$work/out") == 2 ]] || fail "the installed voltaro converted into $(cat "$work/out")"
"$built/voltaro" convert -o "$work/built-csv" "$card/INST0001.BIN" "$card/WAVE0001.WFM" >/dev/null 2>&1
diff -r "$work/built-csv" "$work/installed-csv" >/dev/null || fail "the installed voltaro converts otherwise"
echo "ok: the installed voltaro runs and converts"

# Without --card, the installed simulator serves the sample card installed with it.
start_meter
listing=$(timeout 30 "$bin/voltaro" files list --media card --port "$device" </dev/null)
expected_listing=$(for file in "$card"/*; do printf '%s\t%s\n' "${file##*/}" "$(stat -c %s "$file")"; done)
[[ $listing == "$expected_listing" ]] || fail "the installed simulator serves: $listing"
echo "ok: the installed simulator serves its sample card"

# The desktop entry starts the installed program, under its own icon.
entry=$prefix/share/applications/voltaro.desktop
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
key() { sed -n "s/^$1=//p" "$entry"; }
[[ $(key Name) == Voltaro ]] || fail "the desktop entry is named $(key Name)"
exec_line=$(key Exec)
[[ -x $bin/${exec_line%% *} ]] || fail "the desktop entry runs $exec_line, which is not installed"
[[ -f $prefix/share/icons/hicolor/48x48/apps/$(key Icon).png ]] || fail "the desktop entry's icon $(key Icon) is not installed"
echo "ok: the desktop entry"
