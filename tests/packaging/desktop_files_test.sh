#!/usr/bin/env bash
# The installed menu entry, file type, icons and manual pages are what the desktop and man
# expect: desktop-file-validate and xmllint pass, the entry opens files of the template type
# with the installed program and an installed icon, and every manual page renders.
#     desktop_files_test.sh PREFIX VERSION
set -euo pipefail
. "$(dirname "$0")/lib.sh"
PREFIX=$1 VERSION=$2
DESKTOP="$PREFIX/share/applications/vornprn.desktop"
MIME="$PREFIX/share/mime/packages/vornprn.xml"

desktop-file-validate "$DESKTOP" || fail "desktop-file-validate $DESKTOP"
xmllint --noout "$MIME" || fail "xmllint $MIME"

key() { sed -n "/^\[Desktop Entry\]/,/^\[/{s/^$1=//p}" "$DESKTOP"; }
expect_eq "Exec" "$(key Exec)" "VornPrn %f"
expect_eq "MimeType" "$(key MimeType)" "application/x-vornprn-template;"
[ -x "$PREFIX/bin/$(key Exec | cut -d' ' -f1)" ] || fail "the entry starts no installed program"
expect_eq "the file type the MIME file declares" \
  "$(xmllint --xpath 'string(//*[local-name()="mime-type"]/@type)' "$MIME")" "application/x-vornprn-template"
expect_eq "the magic of the first section" \
  "$(xmllint --xpath 'string(//*[local-name()="match"]/@value)' "$MIME")" "[Base]"

icon=$(key Icon)
for size in 16 22 24 32 48 64 128 256; do
  png="$PREFIX/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  [ -f "$png" ] || fail "no icon $png"
  expect_eq "icon $size" "$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]) if d[:8]==b"\x89PNG\r\n\x1a\n" else "not a PNG")' "$png")" "${size}x${size}"
done
xmllint --noout "$PREFIX/share/icons/hicolor/scalable/apps/$icon.svg" || fail "the scalable icon is no SVG"

for page in VornPrn vornprn-cli; do
  gz="$PREFIX/share/man/man1/$page.1.gz"
  [ -f "$gz" ] || fail "no manual page $gz"
  text=$(zcat "$gz")
  title=$(head -n 1 <<<"$text")
  [[ "$title" == ".TH $(tr a-z A-Z <<<"$page") 1 "*"$VERSION"* ]] || fail "$page.1: title line [$title]"
  # The page holds the program's own --help, every line of it, as the text shows it.
  help=$(QT_QPA_PLATFORM=offscreen "$PREFIX/bin/$page" --help)
  rendered=$(sed -e 's/^\\&//' -e 's/\\-/-/g' -e 's/\\e/\\/g' <<<"$text")
  while IFS= read -r line; do
    line=$(sed 's/^ *//; s/ *$//' <<<"$line")
    [ -z "$line" ] || grep -qF -- "$line" <<<"$rendered" || fail "$page.1 lacks the help line [$line]"
  done <<<"$help"
done
# vornprn-cli-full, which vornprn-cli starts, has vornprn-cli's page.
expect_eq "vornprn-cli-full.1" "$(zcat "$PREFIX/share/man/man1/vornprn-cli-full.1.gz")" ".so man1/vornprn-cli.1"
echo PASS
