#!/usr/bin/env bash
# The game's texts (src/core/texts/*.txt) as gettext catalogues, for translators and their tools:
#
#   scripts/texts-po.sh export LANG FILE.po [BUILD]   writes LANG's texts to FILE.po (msgctxt is the
#                                                     text's name, msgid the Japanese original)
#   scripts/texts-po.sh import LANG FILE.po [BUILD]   writes the translations of FILE.po back into
#                                                     the text files (an empty msgstr changes nothing)
#
# BUILD (default: build) is a configured build folder; textgen is built there first. A new language
# is a code added to the @languages line (until every text has it, the build says which one is
# missing): its export has every text with an empty msgstr, and its import adds each translation as
# a "LANG = ..." line after the text's other languages. The README's "Translating" has the whole way.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
[[ $# -ge 3 ]] || { sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
what="$1" lang="$2" po="$3" build="${4:-build}"
[[ "$build" = /* ]] || build="$here/$build"
cmake --build "$build" --target textgen >/dev/null
textgen="$build/tools/textgen/textgen"
files=("$here"/src/core/texts/*.txt)
case "$what" in
  export) "$textgen" po-export "$lang" "${files[@]}" >"$po" ;;
  import) "$textgen" po-import "$lang" "$po" "${files[@]}" ;;
  *) echo "scripts/texts-po.sh: export or import, not $what" >&2; exit 2 ;;
esac
