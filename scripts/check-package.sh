#!/usr/bin/env bash
# Checks a built Debian package of the game: its run-time dependencies (the libraries read off the
# program, and the font), the files a desktop needs, and that the packed game runs headless from
# its /usr layout, finds its pictures there and saves in the player's data folder.
#   scripts/check-package.sh build/zentrifa_1.1_amd64.deb
set -euo pipefail
deb="$1"
fail=0
problem() { echo "check-package: $*" >&2; fail=1; }

depends="$(dpkg-deb -f "$deb" Depends)"
for dep in fonts-ipafont-gothic libsdl2-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 libcairo2 libfontconfig1 \
           libjpeg62-turbo libpng16-16 libunibreak; do
  [[ "$depends" == *"$dep"* ]] || problem "Depends lacks $dep: $depends"
done

contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for file in ./usr/bin/zentrifa ./usr/share/zentrifa/cg/title.bmp ./usr/share/zentrifa/dat/title_for_game.mp3 \
            ./usr/share/applications/org.zentrifa.Zentrifa.desktop \
            ./usr/share/metainfo/org.zentrifa.Zentrifa.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/zentrifa.png ./usr/share/icons/hicolor/128x128/apps/zentrifa.png \
            ./usr/share/icons/hicolor/256x256/apps/zentrifa.png ./usr/share/man/man6/zentrifa.6.gz; do
  grep -qxF "$file" <<<"$contents" || problem "the package lacks $file"
done
if grep -q 'my\.dat' <<<"$contents"; then problem "the package holds a save file"; fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
mkdir "$work/player"
if ! (cd "$work/player" && XDG_DATA_HOME="$work/player/data" HOME="$work/player" \
      "$work/root/usr/bin/zentrifa" --headless --frames 30 --screenshot s.png >out.txt 2>&1 </dev/null); then
  problem "the packed game did not run: $(cat "$work/player/out.txt")"
fi
[[ -s "$work/player/s.png" ]] || problem "the packed game wrote no screenshot"
# The frame it found by itself is the one drawn from the packed pictures.
"$work/root/usr/bin/zentrifa" --headless --frames 30 --data-dir "$work/root/usr/share/zentrifa" \
  --save-dir "$work/player" --screenshot "$work/player/given.png" >/dev/null 2>&1 </dev/null || true
cmp -s "$work/player/s.png" "$work/player/given.png" || problem "the packed game did not find its pictures in /usr/share"
[[ -s "$work/player/data/zentrifa/my.dat" ]] || problem "the packed game saved nothing in XDG_DATA_HOME"

if [[ $fail -ne 0 ]]; then exit 1; fi
echo "check-package: $(basename "$deb") is whole: $(grep -c . <<<"$contents") entries, runs from /usr"
