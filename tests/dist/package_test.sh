#!/usr/bin/env bash
# Builds the Debian package into a temporary folder and reads it back.
# Usage: package_test.sh BUILD_DIR EXPECTED_FILES PROJECT_VERSION
set -u
build=$1 expected=$2 version=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

log=$(cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" 2>&1) || { echo "$log"; echo "FAIL: cpack"; exit 1; }
deb=$(ls "$out"/*.deb 2>/dev/null | head -n 1)
[[ -f $deb ]] || { echo "$log"; echo "FAIL: no .deb was written"; exit 1; }

got=$(dpkg-deb --contents "$deb" | grep -v '^d' | sed -E 's|.* \./usr/||; s| -> .*||' | LC_ALL=C sort)
want=$(LC_ALL=C sort "$expected")
[[ $got == "$want" ]] || fail "package files differ from $expected:
$(diff <(echo "$want") <(echo "$got"))"

# The run-time libraries come from dpkg-shlibdeps, not from a written list.
depends=$(dpkg-deb --field "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libicu libstdc++6 libc6; do
    [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
[[ $(dpkg-deb --field "$deb" Version) == "$version" ]] ||
    fail "package version $(dpkg-deb --field "$deb" Version) is not the project's $version"

echo "package: $(basename "$deb"), Depends: $depends"
echo "package: $failures failed"
[[ $failures == 0 ]]
