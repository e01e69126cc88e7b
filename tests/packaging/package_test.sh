#!/usr/bin/env bash
# The Debian package as `cpack -G DEB` builds it from the build tree: its control data names the
# package, the version of the build and the libraries the programs link (computed by
# dpkg-shlibdeps), its files are the installed ones, its maintainer scripts refresh the desktop's
# caches, and the programs unpacked from it run.
#     package_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
. "$(dirname "$0")/lib.sh"
BUILD=$1 SRC=$2 VERSION=$3
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Built in the test's own folder: the package of scripts/package.sh is left alone.
cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$WORK/out" >"$WORK/cpack.log" 2>&1 \
  || fail "cpack: $(tail -20 "$WORK/cpack.log")"
arch=$(dpkg --print-architecture)
deb="$WORK/out/vornprn_${VERSION}_${arch}.deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$WORK/out")"

field() { dpkg-deb --field "$deb" "$1"; }
expect_eq "Package" "$(field Package)" vornprn
expect_eq "Version" "$(field Version)" "$VERSION"
expect_eq "Architecture" "$(field Architecture)" "$arch"
[ -n "$(field Description)" ] || fail "no description"
depends=$(field Depends)
# One package name a line, versions dropped.
names=$(sed 's/, /\n/g' <<<"$depends" | sed 's/ (.*//')
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6network6 libstdc++6 libc6 libqt6svg6; do
  grep -qxF "$library" <<<"$names" || fail "Depends lacks $library: $depends"
done
# Computed from the binaries, versions included.
grep -qE "libqt6core6 \(>= [0-9.]+\)" <<<"$depends" || fail "Depends not computed from the binaries: $depends"

info=$(dpkg-deb --info "$deb")
for script in postinst postrm; do
  grep -qE "^ +[0-9]+ bytes, +[0-9]+ lines +\* +$script " <<<"$info" || fail "no executable $script in: $info"
  body=$(dpkg-deb --info "$deb" "$script")
  for refresh in update-desktop-database update-mime-database gtk-update-icon-cache; do
    grep -q "$refresh" <<<"$body" || fail "$script does not run $refresh"
  done
  sh -n <(echo "$body") || fail "$script is no valid shell script"
done

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
expected=(
  ./usr/bin/VornPrn ./usr/bin/vornprn-cli ./usr/bin/vornprn-cli-full
  ./usr/share/applications/vornprn.desktop
  ./usr/share/mime/packages/vornprn.xml
  ./usr/share/icons/hicolor/scalable/apps/vornprn.svg
  ./usr/share/icons/hicolor/48x48/apps/vornprn.png
  ./usr/share/icons/hicolor/256x256/apps/vornprn.png
  ./usr/share/man/man1/VornPrn.1.gz ./usr/share/man/man1/vornprn-cli.1.gz
  ./usr/share/man/man1/vornprn-cli-full.1.gz
  ./usr/share/vornprn/help/index.html
)
for f in "$SRC"/resources/投注单文件/* "$SRC"/resources/Script/*; do
  expected+=("./usr/share/vornprn/${f#"$SRC"/resources/}")
done
for f in "${expected[@]}"; do
  grep -qxF "$f" <<<"$contents" || fail "the package lacks $f"
done
# Nothing of the build or the tests.
! grep -vE '^\./usr/(bin/(VornPrn|vornprn-cli)|share/(applications|mime|icons|man|vornprn)(/|$))|^\./usr/(bin/|share/)?$|^\./$' <<<"$contents" \
  || fail "unexpected files: $(grep -vE '^\./usr/(bin/(VornPrn|vornprn-cli)|share/(applications|mime|icons|man|vornprn)(/|$))|^\./usr/(bin/|share/)?$|^\./$' <<<"$contents" | head)"

# Unpacked into a scratch folder, the programs run as installed ones (share/vornprn beside bin).
dpkg-deb -x "$deb" "$WORK/root"
export HOME="$WORK/home" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
expect_eq "vornprn-cli --version" "$("$WORK/root/usr/bin/vornprn-cli" --version)" "vornprn-cli $VERSION"
expect_eq "VornPrn --version" "$("$WORK/root/usr/bin/VornPrn" --version)" "VornPrn $VERSION"
expect_eq "vornprn-cli-full --version" "$("$WORK/root/usr/bin/vornprn-cli-full" --version)" "vornprn-cli $VERSION"
# `script` runs in vornprn-cli itself, finding the shipped script by name as the full program does.
"$WORK/root/usr/bin/vornprn-cli" script 冒号标签格式 "$SRC/samples/脚本输入-冒号标签.txt" >"$WORK/script.out" \
  || fail "the unpacked vornprn-cli script"
"$WORK/root/usr/bin/vornprn-cli-full" script 冒号标签格式 "$SRC/samples/脚本输入-冒号标签.txt" >"$WORK/script-full.out" \
  || fail "the unpacked vornprn-cli-full script"
[ -s "$WORK/script.out" ] || fail "the unpacked vornprn-cli script printed nothing"
cmp -s "$WORK/script.out" "$WORK/script-full.out" || fail "vornprn-cli and vornprn-cli-full ran the script differently"
"$WORK/root/usr/bin/vornprn-cli" print --template 陕西－双色球.tzd --bets "$SRC/samples/陕西－双色球.txt" \
  --json "$WORK/print.json" >"$WORK/print.out" || fail "the unpacked vornprn-cli print: $(cat "$WORK/print.out")"
python3 - "$WORK/print.json" <<'PY' || fail "the unpacked print laid out nothing"
import json, sys
job = json.load(open(sys.argv[1], encoding="utf-8"))
pages = sum(len(b["document"]["pages"]) for b in job["batches"])
sys.exit(0 if pages > 0 else 1)
PY
echo PASS
