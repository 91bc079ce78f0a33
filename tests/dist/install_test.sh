#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks what landed there.
# Usage: install_test.sh BUILD_DIR EXPECTED_FILES
set -u
build=$1 expected=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null ||
    { echo "FAIL: cmake --install"; exit 1; }

got=$(cd "$stage/usr" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
want=$(LC_ALL=C sort "$expected")
[[ $got == "$want" ]] || fail "installed files differ from $expected:
$(diff <(echo "$want") <(echo "$got"))"

help=$("$stage/usr/bin/quirnel-cli" --help) || fail "installed quirnel-cli --help failed"
[[ $help == Usage:* ]] || fail "installed quirnel-cli --help printed no usage"

# The manual page was made from this very help text.
page=$(zcat "$stage/usr/share/man/man1/quirnel-cli.1.gz") || fail "quirnel-cli.1.gz unreadable"
for opt in $(grep -oE '^  --[a-z][a-z0-9-]*' <<<"$help"); do
    grep -qF -- "\\fB${opt//-/\\-}\\fR" <<<"$page" || fail "manual page lacks $opt"
done

for png in "$stage"/usr/share/icons/hicolor/*x*/apps/*.png; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    file "$png" | grep -q "PNG image data, ${size/x/ x }," || fail "$png is not a ${size} PNG"
done

# The entry starts an installed program and names an installed icon; the
# metainfo's launchable is that entry.
entry=$(ls "$stage"/usr/share/applications/*.desktop)
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
icon=$(sed -n 's/^Icon=//p' "$entry")
[[ -n $program && -x $stage/usr/bin/$program ]] || fail "Exec=$program is not an installed program"
[[ -n $icon && -f $stage/usr/share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "Icon=$icon is not installed"
appstreamcli validate-tree --no-net --strict "$stage/usr" >/dev/null 2>&1 ||
    fail "appstreamcli validate-tree: $(appstreamcli validate-tree --no-net --strict "$stage/usr" 2>&1)"

echo "install: $failures failed"
[[ $failures == 0 ]]
