#!/usr/bin/env bash
# The Debian package of a build, as scripts/package makes it: its control fields, the packages of
# every library the executables link among its dependencies, and its contents, which are the
# installed tree under /usr, owned by root with the usual modes; the packaged voltaro runs.
#
#   debian-package.sh CMAKE CPACK BUILD_DIR VERSION
set -euo pipefail
cmake=$1 cpack=$2 build=$3 version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAILED: $*"
    exit 1
}

architecture=$(dpkg --print-architecture)
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$work/package/voltaro_${version}_$architecture.deb
[[ -f $deb ]] || fail "no $deb; made: $(ls "$work/package")"

# The control fields.
field() { dpkg-deb --field "$deb" "$1"; }
expect_field() {
    [[ $(field "$1") == "$2" ]] || fail "$1: '$(field "$1")', expected '$2'"
}
expect_field Package voltaro
expect_field Version "$version"
expect_field Architecture "$architecture"
expect_field Section electronics
expect_field Priority optional
expect_field Recommends xdg-utils
[[ $(field Maintainer) =~ ^[^\<]*[^\ \<]\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer: '$(field Maintainer)'"
[[ $(field Description | head -n 1) == "utility for the ZR915 clamp-on power meter" ]] ||
    fail "Description: '$(field Description | head -n 1)'"
[[ $(field Description | wc -l) -gt 1 ]] || fail "the Description has no long text"
echo "ok: the control fields"

# Every library an executable needs comes from a package the package depends on.
dpkg-deb --extract "$deb" "$work/root"
depends=$(field Depends)
# The package names of Depends, alternatives and versions aside.
depended=$(tr ',|' '\n' <<<"$depends" | sed 's/(.*//; s/[[:space:]]//g')
for program in "$work"/root/usr/bin/*; do
    for library in $(readelf --dynamic "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p'); do
        # "libfoo.so.1 => /path/libfoo.so.1 (address)", or the loader's "/path/ld-linux.so.2 (address)"
        path=$(ldd "$program" | awk -v library="$library" '
            $1 == library && $2 == "=>" { print $3 }
            $1 ~ /^\// && substr($1, length($1) - length(library)) == "/" library { print $1 }' | head -n 1)
        [[ -n $path ]] || fail "${program##*/} needs $library, which is not found here"
        real=$(readlink -f "$path")
        owner=$( (dpkg --search "$real" || dpkg --search "${real#/usr}" || dpkg --search "$path") 2>/dev/null |
            head -n 1 | cut -d: -f1)
        [[ -n $owner ]] || fail "no package holds $real"
        grep -qxF "$owner" <<<"$depended" || fail "${program##*/} needs $library of $owner; Depends: $depends"
    done
done
echo "ok: the dependencies ($depends)"

# The contents: the installed tree under /usr, files root's, programs executable, the rest not.
dpkg-deb --contents "$deb" >"$work/contents"
"$cmake" --install "$build" --prefix "$work/tree" >/dev/null
(cd "$work/tree" && find . ! -type d | sed 's|^\.|./usr|' | sort) >"$work/expected"
awk '$1 !~ /^d/ { print $6 }' "$work/contents" | sort >"$work/packaged"
diff -u "$work/expected" "$work/packaged" || fail "the package holds another tree than the installed one"
while read -r mode owner _ _ _ path; do
    [[ $owner == root/root ]] || fail "$path belongs to $owner"
    case $mode:$path in
    d*) ;;
    -rwxr-xr-x:./usr/bin/*) ;;
    -rw-r--r--:./usr/share/*) ;;
    *) fail "$path has mode $mode" ;;
    esac
done <"$work/contents"
echo "ok: the contents"

[[ $("$work/root/usr/bin/voltaro" --version) == "Voltaro $version" ]] || fail "the packaged voltaro --version"
echo "ok: the packaged voltaro runs"
