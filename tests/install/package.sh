#!/usr/bin/env bash
# `cpack -G DEB` makes a package that installs the programs, the catalogue, the .desktop file and
# the icon; unpacked under a scratch root, its xgtool works from another folder with the packaged
# catalogue. Arguments: the build folder, the sample quest, the version, ON when the window is built.
set -uo pipefail
build=$1 sample=$2 version=$3 withWindow=$4
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
scratch=$(mktemp -d) || exit 1
trap 'rm -rf "$scratch"' EXIT

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/package" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  echo "FAIL: cpack -G DEB" >&2
  exit 1
fi
packages=("$scratch"/package/*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || { echo "FAIL: no single .deb: ${packages[*]}" >&2; exit 1; }
deb=${packages[0]}

[ "$(dpkg-deb -f "$deb" Package)" = xgtranslator ] || fail "package name: $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version: $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
expectedDepends=(libc6 libstdc++6)
[ "$withWindow" = ON ] && expectedDepends+=(libqt6widgets6 libqt6svg6)
for library in "${expectedDepends[@]}"; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

dpkg -x "$deb" "$scratch/root" || { echo "FAIL: dpkg -x" >&2; exit 1; }
expectedFiles=(usr/bin/xgtool usr/share/xgtranslator/msg_cfg.txt)
[ "$withWindow" = ON ] && expectedFiles+=(usr/bin/xgtranslator usr/share/applications/xgtranslator.desktop
                                         usr/share/icons/hicolor/scalable/apps/xgtranslator.svg
                                         usr/share/mime/packages/xgtranslator.xml)
for file in "${expectedFiles[@]}"; do
  [ -s "$scratch/root/$file" ] || fail "the package lacks $file"
done
if [ "$withWindow" = ON ]; then
  desktop="$scratch/root/usr/share/applications/xgtranslator.desktop"
  grep -q '^Exec=xgtranslator' "$desktop" || fail ".desktop file does not start xgtranslator"
  grep -q '^Icon=xgtranslator$' "$desktop" || fail ".desktop file does not name the packaged icon"
  grep -q '^MimeType=application/x-xengrav-quest;application/x-xengrav-translation;$' "$desktop" ||
    fail ".desktop file does not claim the packaged file types"
fi

# From a folder that holds no catalogue: the packaged one is found beside the installed binary.
mkdir -p "$scratch/elsewhere/data" && cp "$sample" "$scratch/elsewhere/data/sample.xg"
xgtool="$scratch/root/usr/bin/xgtool"
run() { (cd "$scratch/elsewhere" && "$xgtool" "$@" >"$scratch/out" 2>"$scratch/err"); }
run --version; status=$?
[ $status -eq 0 ] && [ "$(cat "$scratch/out")" = "xgtool $version" ] || fail "--version: exit $status, $(cat "$scratch/out")"
run info data/sample.xg; status=$?
[ $status -eq 0 ] || fail "info from another folder: exit $status: $(cat "$scratch/err")"
head -1 "$scratch/out" | grep -qx 'File: data/sample.xg' || fail "info printed: $(head -3 "$scratch/out")"

# Without the packaged catalogue the same call fails and names the packaged place it looked in,
# unless a catalogue installed on this machine answers instead.
if ! ls /usr/local/share/xgtranslator/msg_cfg.txt /usr/share/xgtranslator/msg_cfg.txt >/dev/null 2>&1; then
  rm "$scratch/root/usr/share/xgtranslator/msg_cfg.txt"
  run info data/sample.xg; status=$?
  [ $status -eq 3 ] || fail "info without a catalogue: exit $status"
  grep -qF "  $scratch/root/usr/share/xgtranslator/msg_cfg.txt" "$scratch/err" ||
    fail "the error does not name the packaged place: $(cat "$scratch/err")"
fi
exit $((failures > 0))
