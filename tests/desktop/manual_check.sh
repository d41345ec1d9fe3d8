#!/usr/bin/env bash
# The typeset manual holds its title and every chapter of doc/manual/, on more pages
# than it has chapters (each chapter starts a page, after the title and the contents).
# Usage: manual_check.sh MANUAL.pdf CHAPTER.md...
set -uo pipefail
pdf=$1
shift
[ -s "$pdf" ] || { echo "FAIL: no manual at $pdf"; exit 1; }
text=$(pdftotext -layout "$pdf" - 2>/dev/null) || { echo "FAIL: pdftotext cannot read $pdf"; exit 1; }
pages=$(pdfinfo "$pdf" | awk '/^Pages:/{print $2}')
failures=0
grep -q 'Brisca User Manual' <<<"$text" || { echo "FAIL: no title"; failures=$((failures + 1)); }
chapters=0
for md in "$@"; do
  while IFS= read -r heading; do
    chapters=$((chapters + 1))
    # Compare on words only: the PDF text may break lines or space words differently.
    words=$(tr -cs '[:alnum:]' ' ' <<<"${heading#\# }" | xargs)
    tr -cs '[:alnum:]' ' ' <<<"$text" | grep -qF "$words" \
      || { echo "FAIL: chapter \"${heading#\# }\" is not in the PDF"; failures=$((failures + 1)); }
  done < <(grep '^# ' "$md")
done
[ "$pages" -ge $((chapters + 2)) ] || { echo "FAIL: $pages pages for $chapters chapters"; failures=$((failures + 1)); }
[ "$failures" -eq 0 ] || exit 1
echo "manual: $pages pages, $chapters chapters"
