#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what lands there: the programs
# (the installed command-line program must find its data there and run a turbo engine,
# which reads a compressor map), the program data and the manual, the menu entry, the
# file types and the icons.
# Usage: install_check.sh BUILD_DIR
set -uo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
need() { [ -e "$prefix/$1" ] || fail "not installed: $1"; }

cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || { cat "$prefix.log"; rm -f "$prefix.log"; echo "FAIL: cmake --install"; exit 1; }
rm -f "$prefix.log"

need bin/brisca
need bin/brisca-cli
data=share/brisca
need "$data/EngineFiles (.QEN)/Turbo Four Intercooled.qen"
need "$data/FlowFiles (.QFW)"
need "$data/CamFiles (.QCM)"
need "$data/Manuals & Videos/Brisca User Manual.pdf"
need "$data/Manuals & Videos/Maps/README.md"
maps=$(find "$prefix/$data/Manuals & Videos/Maps" -name '*.map' | wc -l)
[ "$maps" -eq 47 ] || fail "expected 47 compressor maps, found $maps"

# The installed program takes its data from the prefix, not from the source tree.
out=$(cd "$prefix" && "$prefix/bin/brisca-cli" run --format csv \
      "$prefix/$data/EngineFiles (.QEN)/Turbo Four Intercooled.qen" 2>&1) \
  || fail "installed brisca-cli could not run a turbocharged engine: $out"

entry=$prefix/share/applications/brisca.desktop
need share/applications/brisca.desktop
if [ -f "$entry" ]; then
  desktop-file-validate "$entry" || fail "brisca.desktop does not validate"
  grep -q '^Exec=brisca %F$' "$entry" || fail "Exec must hand the program the files opened from the desktop"
  grep -q '^MimeType=application/x-brisca-engine;$' "$entry" || fail "the entry must open engine files"
  grep -q '^Icon=brisca$' "$entry" || fail "Icon=brisca expected"
fi

need share/mime/packages/brisca.xml
for glob in engine:qen flow:qfw cam:qcm; do
  type=application/x-brisca-${glob%%:*}
  grep -q ":$type:\*\.${glob##*:}$" "$prefix/share/mime/globs2" 2>/dev/null \
    || fail "the MIME database of the prefix lacks $type for *.${glob##*:}"
  need "share/icons/hicolor/scalable/mimetypes/${type/\//-}.svg"
done
grep -q 'Brisca engine file' "$prefix/share/mime/application/x-brisca-engine.xml" 2>/dev/null \
  || fail "the engine file type has no comment \"Brisca engine file\""

need share/icons/hicolor/scalable/apps/brisca.svg
for svg in "$prefix"/share/icons/hicolor/scalable/*/*.svg; do
  rsvg-convert -w 48 "$svg" >/dev/null 2>&1 || fail "icon does not render: ${svg#$prefix/}"
done

# Manual pages (one section per command of brisca-cli) and the shells' completion.
for page in brisca brisca-cli; do
  need "share/man/man1/$page.1"
  text=$(MANWIDTH=100 man -l "$prefix/share/man/man1/$page.1" 2>&1) || fail "man -l $page.1: $text"
  grep -q 'SYNOPSIS' <<<"$text" || fail "$page.1 renders without a synopsis"
done
text=$(MANWIDTH=100 man -l "$prefix/share/man/man1/brisca-cli.1" 2>/dev/null)
for command in RUN VALIDATE CONVERT INFO ITERATE ITERATE-MERGE REPORT PRINT CATALOGUE; do
  grep -q "^COMMAND $command\$" <<<"$text" || fail "brisca-cli.1 has no section COMMAND $command"
done
grep -q 'EXIT STATUS' <<<"$text" || fail "brisca-cli.1 tells no exit status"
need share/bash-completion/completions/brisca-cli
need share/zsh/vendor-completions/_brisca-cli
words=$(bash -c 'source "$1"; COMP_WORDS=(brisca-cli run --o); COMP_CWORD=2; _brisca_cli; echo "${COMPREPLY[*]}"' \
        _ "$prefix/share/bash-completion/completions/brisca-cli" 2>&1)
[ "$words" = "--output --out" ] || fail "bash completes 'brisca-cli run --o' as '$words'"
if command -v zsh >/dev/null; then
  zsh -n "$prefix/share/zsh/vendor-completions/_brisca-cli" || fail "_brisca-cli is no zsh script"
fi

[ "$failures" -eq 0 ] || exit 1
echo "installed layout complete"
