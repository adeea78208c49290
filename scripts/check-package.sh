#!/usr/bin/env bash
# Checks a built Debian package of the game: its run-time dependencies (the libraries read off the
# program, and the font), the files a desktop needs, its licence (the tree's LICENSE, and Debian's
# machine-readable copyright file saying MIT), that no web address in it is a placeholder, and that
# the packed game runs headless from its /usr layout, finds its pictures there and saves in the
# player's data folder.
#   scripts/check-package.sh build/zentrifa_1.1_amd64.deb
set -euo pipefail
deb="$1"
fail=0
problem() { echo "check-package: $*" >&2; fail=1; }

depends="$(dpkg-deb -f "$deb" Depends)"
for dep in fonts-ipafont-gothic libsdl2-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 libcairo2 libfontconfig1 \
           libjpeg62-turbo libpng16-16; do
  [[ "$depends" == *"$dep"* ]] || problem "Depends lacks $dep: $depends"
done
# The game breaks its lines itself; libunibreak is only for a test.
[[ "$depends" != *libunibreak* ]] || problem "Depends names libunibreak: $depends"

contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for file in ./usr/bin/zentrifa ./usr/share/zentrifa/cg/title.bmp ./usr/share/zentrifa/dat/title_for_game.mp3 \
            ./usr/share/applications/org.zentrifa.Zentrifa.desktop \
            ./usr/share/metainfo/org.zentrifa.Zentrifa.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/zentrifa.png ./usr/share/icons/hicolor/128x128/apps/zentrifa.png \
            ./usr/share/icons/hicolor/256x256/apps/zentrifa.png ./usr/share/man/man6/zentrifa.6.gz \
            ./usr/share/doc/zentrifa/copyright ./usr/share/licenses/zentrifa/LICENSE; do
  grep -qxF "$file" <<<"$contents" || problem "the package lacks $file"
done
if grep -q 'my\.dat' <<<"$contents"; then problem "the package holds a save file"; fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"

# The licence: LICENSE as in the tree, and a copyright file in Debian's format whose MIT text is
# LICENSE's permission notice, line for line.
licence="$(dirname "$0")/../LICENSE"
copyright="$work/root/usr/share/doc/zentrifa/copyright"
cmp -s "$licence" "$work/root/usr/share/licenses/zentrifa/LICENSE" || problem "the packed LICENSE is not the tree's"
if [[ -f "$copyright" ]]; then
  [[ "$(head -n 1 "$copyright")" == "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ]] ||
    problem "the copyright file is not in Debian's machine-readable format"
  grep -qx 'Files: \*' "$copyright" && grep -qx 'License: MIT' "$copyright" || problem "the copyright file does not put every file under MIT"
  notice="$(sed -n '/^Permission is hereby granted/,/^SOFTWARE\.$/p' "$licence")"
  # The first such paragraph: the fonts' licence (OFL) that follows also grants permission.
  packed="$(sed -n '/^ Permission is hereby granted/,/^ SOFTWARE\.$/{p;/^ SOFTWARE\.$/q;}' "$copyright" | sed 's/^ //; s/^\.$//')"
  [[ -n "$notice" && "$notice" == "$packed" ]] || problem "the copyright file's MIT text is not LICENSE's"
fi
listing="$work/root/usr/share/metainfo/org.zentrifa.Zentrifa.metainfo.xml"
grep -q '<project_license>MIT</project_license>' "$listing" || problem "the listing does not say MIT"
grep -q '<metadata_license>CC0-1.0</metadata_license>' "$listing" || problem "the listing's own licence is not CC0-1.0"
# No address that leads nowhere, in the listing, the desktop entry, the copyright file or the
# package's fields.
addresses="$( (cat "$listing" "$work/root/usr/share/applications/org.zentrifa.Zentrifa.desktop" "$copyright"
               dpkg-deb -f "$deb") | grep -oE '[a-z]+://[^ <>"]*' || true)"
while read -r address; do
  [[ -z "$address" ]] && continue
  if grep -qiE '\.(invalid|example|test|localhost)(/|:|$)|(\.|//)(example\.(com|org|net)|localhost)(/|:|$)|//127\.' <<<"$address"; then
    problem "a placeholder web address: $address"
  fi
done <<<"$addresses"
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
