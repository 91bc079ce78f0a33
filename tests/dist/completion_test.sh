#!/usr/bin/env bash
# Completes quirnel-cli command lines through the installed bash-completion
# framework and compares the offers with what the program's --help says.
# Usage: completion_test.sh QUIRNEL_CLI COMPLETION_FILE
set -u
cli=$1
source /usr/share/bash-completion/bash_completion || exit 1
source "$2" || exit 1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/files/photos 2023"
ln -s "$cli" "$work/bin/quirnel-cli"
touch "$work/files/list one.txt" "$work/files/other.txt"
cd "$work/files" || exit 1
PATH=$work/bin:$PATH

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Offers for a command line whose last word is being completed. Words are
# given as bash splits them: KEY=VALUE arrives as KEY, =, VALUE.
offers() {
    COMP_WORDS=(quirnel-cli "$@")
    COMP_CWORD=$#
    COMP_LINE=quirnel-cli
    local w last=''
    for w in "$@"; do
        if [[ $w == = || $last == = ]]; then COMP_LINE+=$w; else COMP_LINE+=" $w"; fi
        last=$w
    done
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _quirnel_cli quirnel-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}" 2>/dev/null
    printf '%s\n' "${COMPREPLY[@]}" | sort
}

expect() {  # expect "WHAT" "EXPECTED LINES" WORDS...
    local what=$1 want=$2 got
    shift 2
    got=$(offers "$@")
    [[ $got == "$want" ]] || fail "$what: expected [${want//$'\n'/ }], got [${got//$'\n'/ }]"
}

help=$("$cli" --help) || { echo "FAIL: $cli --help"; exit 1; }

# Every long option the help mentions, in its option list or its prose.
all_options=$(offers --)
for opt in $(grep -oE -- '--[a-z][a-z0-9-]+' <<<"$help" | sort -u); do
    grep -qxF -- "$opt" <<<"$all_options" || fail "option $opt is not completed"
done
[[ $(offers --) == $(grep -oE '^  --[a-z][a-z0-9-]*' <<<"$help" | tr -d ' ' | sort -u) ]] ||
    fail "offered options differ from the help's option list"

# Every choice the help lists as a|b is offered, and nothing else.
while read -r opt choices; do
    expect "values of $opt" "$(tr '|' '\n' <<<"$choices" | sort)" "$opt" ''
done < <(grep -oE '^  --[a-z-]+ [a-z]+(\|[a-z]+)+' <<<"$help")
[[ $(grep -cE '^  --(format|columns|folders) [a-z]+(\|[a-z]+)+' <<<"$help") == 3 ]] ||
    fail "the help no longer lists the values of --format, --columns and --folders as a|b"

expect "value prefix" "json" --format j
expect "option prefix after KEY=VALUE" $'--folders\n--format' --set IncludeExt = 1 --fo
expect "file after --config" "list one.txt" --config li
expect "file after --paths-from" $'list one.txt\nother.txt\nphotos 2023' --paths-from ''
expect "paths after options" $'list one.txt\nother.txt\nphotos 2023' --format json ''
expect "nothing inside --task's four fields" "" --task 2 110 ''
expect "nothing for the last --task field" "" --task 2 110 '""' ''
expect "paths after --task's four fields" "photos 2023" --task 2 110 '""' '""' ph
expect "nothing for a preset number" "" --preset ''
expect "nothing for a setting's value" "" --set IncludeExt = o

echo "completion: $failures failed"
[[ $failures == 0 ]]
