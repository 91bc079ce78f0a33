#!/usr/bin/env bash
# Validates the metainfo and checks that every screenshot it names under the
# repository's raw address is a file of this tree.
# Usage: metainfo_test.sh METAINFO RAW_URL SOURCE_DIR
set -u
metainfo=$1 raw=$2 source=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli validate"

images=$(sed -n 's|.*<image[^>]*>\(.*\)</image>.*|\1|p' "$metainfo")
[[ -n $images ]] || fail "no screenshot image"
for url in $images; do
    [[ $url == "$raw"/* ]] || { fail "$url is not under $raw"; continue; }
    file=$source/${url#"$raw"/}
    [[ -f $file ]] || { fail "$url names ${url#"$raw"/}, which is not in the tree"; continue; }
    file "$file" | grep -q 'PNG image data' || fail "${url#"$raw"/} is not a PNG"
done

echo "metainfo: $failures failed"
[[ $failures == 0 ]]
