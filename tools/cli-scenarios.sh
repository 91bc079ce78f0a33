#!/usr/bin/env bash
# Runs quirnel-cli through a fixed set of scenarios and records, for each one
# in OUTDIR/NN-name/, what it printed (stdout, stderr), its exit status
# (status) and, where it may change the disk, the resulting tree (tree) and
# the files it wrote. Two builds that behave alike give folders that
# `diff -r` finds identical.
#
# Usage: tools/cli-scenarios.sh QUIRNEL_CLI OUTDIR
#   e.g. tools/cli-scenarios.sh old/quirnel-cli before
#        tools/cli-scenarios.sh build/quirnel-cli after && diff -r before after
#
# Every run starts from fixture trees with fixed names, sizes and times, in a
# fresh temporary folder that also holds the state and configuration homes
# and the journals. The temporary folder's path is written as @TMP@. What
# still differs between two runs of one build is masked by journal() and
# mask() below, and by nothing else. --help is not among the scenarios.
set -uo pipefail

if [[ $# -ne 2 ]]; then
    echo "usage: $0 QUIRNEL_CLI OUTDIR" >&2
    exit 64
fi
cli=$(realpath "$1")
out=$(realpath -m "$2")
if [[ -e $out && -n $(ls -A "$out") ]]; then
    echo "$out is not empty" >&2
    exit 1
fi
mkdir -p "$out"

tmp=$(mktemp -d /tmp/quirnel-scenarios.XXXXXXXX)
trap 'rm -rf "$tmp"' EXIT
W=$tmp/w          # the fixture trees
J=$tmp/journal    # journals named by --journal
F=$tmp/files      # option files the scenarios read and write
unset LC_ALL LC_MESSAGES LANGUAGE
export TZ=UTC LANG=C.UTF-8 HOME=$tmp/home XDG_STATE_HOME=$tmp/state XDG_CONFIG_HOME=$tmp/config

# --- fixtures -------------------------------------------------------------

P=$tmp/pristine   # the fixture trees as made, copied to $W for each scenario

# file PATH SIZE TIME: a file of SIZE zero bytes modified at TIME (UTC).
file() {
    mkdir -p "$(dirname "$P/$1")"
    truncate -s "$2" "$P/$1"
    touch -d "$3" "$P/$1"
}

# The fixture trees: a holiday folder with a subfolder, numbered names, and
# odd names (one not UTF-8, one with a tab, decomposed Hangul, blanks, a link).
make_fixture() {
    mkdir -p "$P"
    file "trip/DSC_0412.JPG" 1200 "2024-06-12 09:41:07"
    file "trip/DSC_0413.JPG" 1300 "2024-06-12 09:42:10"
    file "trip/IMG_4187.jpeg" 900 "2024-06-13 21:08:00"
    file "trip/Hotel booking [Lisbon].PDF" 512 "2024-06-03 12:40:00"
    file "trip/notes (2024).txt" 64 "2024-06-14 08:00:00"
    file "trip/report-v2-final.doc" 2048 "2024-05-30 17:15:00"
    file "trip/track 7 of 12.mp3" 4096 "2024-06-15 19:30:00"
    file "trip/README" 10 "2024-01-02 03:04:05"
    file "trip/.hidden.cfg" 5 "2023-12-31 23:59:59"
    file "trip/Videos/MOV_0031.MOV" 8192 "2024-06-13 11:02:00"
    file "trip/Videos/clip_02.mov" 4000 "2024-06-14 18:44:00"
    file "num/1.txt" 1 "2024-02-01 10:00:00"
    file "num/2.txt" 2 "2024-02-02 10:00:00"
    file "num/3.txt" 3 "2024-02-03 10:00:00"
    file "num/10.txt" 4 "2024-02-10 10:00:00"
    file "num/a1b22c333.txt" 5 "2024-02-11 10:00:00"
    file "num/img7.png" 6 "2024-02-12 10:00:00"
    file "num/007 bond.avi" 7 "2024-02-13 10:00:00"
    file $'odd/caf\xe9.txt' 11 "2022-07-04 09:05:31"
    file $'odd/tab\there.txt' 12 "2022-07-04 09:05:32"
    file "odd/Ünïcödé ñame.txt" 13 "2022-07-04 09:05:33"
    file "odd/  spaced   name  .txt" 14 "2022-07-04 09:05:34"
    file $'odd/\xe1\x84\x92\xe1\x85\xa1\xe1\x86\xab\xe1\x84\x80\xe1\x85\xb3\xe1\x86\xaf.txt' 15 "2022-07-04 09:05:35"
    file "odd/UPPER lower.TXT" 16 "2022-07-04 09:05:36"
    ln -s "UPPER lower.TXT" "$P/odd/link.lnk"
    touch -h -d "2022-07-04 09:05:37" "$P/odd/link.lnk"
    # Folders last, deepest first: adding their entries changed their times.
    for d in trip/Videos trip num odd; do touch -d "2024-07-01 12:00:00" "$P/$d"; done
}

# A fresh copy of the trees, times and all.
fixture() {
    rm -rf "$W"
    cp -a "$P" "$W"
}

# Option files that the scenarios read: a preset group file, a configuration
# file and path lists in UTF-8 and UTF-16.
option_files() {
    mkdir -p "$F" "$J"
    printf '%s\r\n' \
        "Preset_Name=Trip photos" "Preset_AutoApply=0" "Preset_ApplyType=0" "Preset_AutoSort=0" \
        "Preset_SortColumn=0" "Preset_SortAscend=1" \
        "PresetTask_Command=2" "PresetTask_SubCommand=61" "PresetTask_Arg1=<DSC_>" "PresetTask_Arg2=<Lisbon >" \
        "PresetTask_Command=20" "PresetTask_SubCommand=110" "PresetTask_Arg1=<>" "PresetTask_Arg2=<>" \
        "Preset_Name=Newest first, numbered" "Preset_AutoApply=0" "Preset_ApplyType=0" "Preset_AutoSort=1" \
        "Preset_SortColumn=5" "Preset_SortAscend=0" \
        "PresetTask_Command=10" "PresetTask_SubCommand=84" "PresetTask_Arg1=<3>" "PresetTask_Arg2=<1>" \
        "Preset_Name=Sort into folders" "Preset_AutoApply=1" "Preset_ApplyType=0" "Preset_AutoSort=0" \
        "Preset_SortColumn=0" "Preset_SortAscend=1" \
        "PresetTask_Command=20" "PresetTask_SubCommand=110" "PresetTask_Arg1=<>" "PresetTask_Arg2=<>" \
        "PresetTask_Command=3" "PresetTask_SubCommand=117" "PresetTask_Arg1=<%Y-%m-%d >" "PresetTask_Arg2=<>" \
        "PresetTask_Command=17" "PresetTask_SubCommand=177" "PresetTask_Arg1=<>" "PresetTask_Arg2=<>" \
        "Preset_Name=Old date parts" "Preset_AutoApply=0" "Preset_ApplyType=1" "Preset_AutoSort=0" \
        "Preset_SortColumn=0" "Preset_SortAscend=1" \
        "PresetTask_Command=3" "PresetTask_SubCommand=90" "PresetTask_Arg1=<>" "PresetTask_Arg2=<_>" \
        "PresetTask_Command=4" "PresetTask_SubCommand=65" "PresetTask_Arg1=< at >" "PresetTask_Arg2=<>" \
        "Preset_Name=Nowhere" "Preset_AutoApply=0" "Preset_ApplyType=0" "Preset_AutoSort=0" \
        "Preset_SortColumn=0" "Preset_SortAscend=1" \
        "PresetTask_Command=4" "PresetTask_SubCommand=21" "PresetTask_Arg1=<_x>" "PresetTask_Arg2=<>" \
        "PresetTask_Command=17" "PresetTask_SubCommand=69" "PresetTask_Arg1=<>" "PresetTask_Arg2=<>" \
        >"$F/group.qpx"
    printf '%s\r\n' "Hotkey=0,0,0,0" >"$F/no-presets.qpx"
    printf '%s\r\n' \
        "UILanguage=english" "AutoSort=1" "LoadType=1" "IncludeExt=1" "AutoNumber=1" "SortColumn=0" \
        "SortAscend=0" "ShowLog=0" "ColWidths=100,120,80" "Hotkey=2,82,1,0" \
        "Preset_Name=From the configuration" "Preset_AutoApply=0" "Preset_ApplyType=0" "Preset_AutoSort=0" \
        "Preset_SortColumn=0" "Preset_SortAscend=1" \
        "PresetTask_Command=2" "PresetTask_SubCommand=61" "PresetTask_Arg1=<.txt>" "PresetTask_Arg2=<.md>" \
        "PresetTask_Command=6" "PresetTask_SubCommand=133" "PresetTask_Arg1=<>" "PresetTask_Arg2=<>" \
        >"$F/settings.ini"
    printf '%s\n' "$W/num/10.txt" "" "$W/trip/README" "$W/missing.txt" "$W/num/2.txt" $'\t'"$W/num/3.txt" \
        "$W/odd/caf"$'\xe9'".txt" "$W/trip/Videos" >"$F/paths.lst"
    # UTF-16LE with a byte-order mark, CR LF line ends.
    printf '\xff\xfe' >"$F/paths16.lst"
    printf '%s\r\n' "$W/trip/DSC_0413.JPG" "$W/odd/Ünïcödé ñame.txt" "$W/num/1.txt" |
        iconv -f UTF-8 -t UTF-16LE >>"$F/paths16.lst"
}

# --- recording ------------------------------------------------------------

n=0
dir=

# scenario NAME: the next scenario's folder, on a fresh fixture.
scenario() {
    n=$((n + 1))
    dir=$out/$(printf '%03d' "$n")-$1
    mkdir -p "$dir"
    rm -rf "$J" "$XDG_STATE_HOME" "$XDG_CONFIG_HOME" "$HOME" "$tmp/saved"
    mkdir -p "$J" "$HOME" "$tmp/saved"
    fixture
}

# run [PREFIX] -- ARGS...: runs the program in $W with standard input from
# $input (none unless set) and records its outputs as PREFIXstdout,
# PREFIXstderr and PREFIXstatus.
input=/dev/null
run() {
    local prefix=$1
    shift 2
    # A run that hangs is recorded with the status of timeout (124).
    (cd "$W" && timeout 60 "$cli" "$@" <"$input" >"$dir/${prefix}stdout" 2>"$dir/${prefix}stderr")
    echo $? >"$dir/${prefix}status"
}

# tree: every entry under $W with its type, for files their size and
# modification time, for links their target.
tree() {
    (cd "$W" && LC_ALL=C find . -mindepth 1 \( -type d -printf '%p\td\n' \) -o \
        \( -type l -printf '%p\tl -> %l\n' \) -o -printf '%p\t%y %s %TY-%Tm-%Td %TT\n' | LC_ALL=C sort) \
        >"$dir/tree"
}

# keep FILE NAME: a written file as its bytes.
keep() {
    if [[ -e $1 ]]; then cp "$1" "$dir/$2"; else echo "(not written)" >"$dir/$2"; fi
}

# journal FILE NAME: a journal, its entry identities and clock readings masked.
journal() {
    if [[ ! -e $1 ]]; then
        echo "(not written)" >"$dir/$2"
        return
    fi
    # S, C and M lines carry device and inode numbers, W lines the wall
    # clock, and the C line of a copied folder a fingerprint of its tree that
    # takes in inode numbers: all differ from one run to the next.
    LC_ALL=C awk -F '\t' -v OFS='\t' '
        $1 == "S" && $5 == "folder" { folder[$2] = 1 }
        $1 == "S" || $1 == "C" || $1 == "M" { $3 = "@DEV@"; $4 = "@INO@" }
        $1 == "C" && ($2 in folder) { $5 = "@FINGERPRINT@" }
        $1 == "W" { $2 = "@CLOCK@" }
        { print }' "$1" >"$dir/$2"
}

# mask: what differs between two runs of one build, in every recorded text
# but the written option files (kept as bytes):
#  - the temporary folder's path;
#  - the time of day that starts each log line, and the elapsed milliseconds;
#  - the Created column (a birth time cannot be set) in tsv and json;
#  - the created and current dates that scenarios put into names, always
#    written as {C...} and {N...};
#  - the clock reading in a cycle's temporary names and in default journal names.
mask() {
    local f path=${tmp//./\\.} texts=()
    for f in "$dir"/*; do
        case $f in *.ini | *.qpx) ;; *) texts+=("$f") ;; esac
    done
    LC_ALL=C sed -E -i \
        -e "s|$path|@TMP@|g" \
        -e 's/^\[[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\] /[@TIME@] /' \
        -e 's/ [0-9]+ ms\)/ @N@ ms)/' \
        -e 's/^(([^\t]*\t){6})[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\t/\1@CREATED@\t/' \
        -e 's/"Created": "[^"]*"/"Created": "@CREATED@"/g' \
        -e 's/\{C[0-9 :.-]+\}/{C@CREATED@}/g' \
        -e 's/\{N[0-9 :.-]+\}/{N@TODAY@}/g' \
        -e 's/\.quirnel-cycle-[0-9]+-/.quirnel-cycle-@CLOCK@-/g' \
        -e 's/[0-9]{8}T[0-9]{6}\.[0-9]{9}Z-[0-9a-f]{8}\.journal/@STAMP@.journal/g' \
        "${texts[@]}"
}

# list NAME ARGS...: a run that leaves the disk as it is (the tree is kept
# all the same, to show that).
list() {
    scenario "$1"
    shift
    run "" -- "$@"
    tree
    mask
}

# change NAME ARGS...: a run that may change the disk, with its journal.
change() {
    scenario "$1"
    shift
    run "" -- "$@" --journal "$J/run.journal"
    tree
    journal "$J/run.journal" journal
    mask
}

make_fixture
option_files
t=$W/trip o=$W/odd m=$W/num

# --- plain lists ----------------------------------------------------------
list list-trip "$t"
list list-columns-all "$t" --columns all
list list-json "$t" --format json
list list-json-odd "$o" --format json
list list-columns-all-odd "$o" --columns all
list list-not-utf8 "$o"/$'caf\xe9.txt' --task 3 21 "x " "" --task 4 21 " y" ""
list list-folders-self --folders self "$t" "$m"
list list-loadtype-0 --set LoadType=0 "$t" "$m" "$o/link.lnk"
list list-loadtype-1 --set LoadType=1 "$t"
list list-relative-path trip/Videos num/../num/1.txt
list list-several-paths "$m/10.txt" "$t/README" "$m/2.txt" "$m/1.txt" "$W/missing" "$t/README"
list list-sort-unlike-windows --set SortLikeWindows=0 "$m"
list list-sort-column-descending --set SortColumn=4 --set SortAscend=0 "$t"
list list-autosort-off --set AutoSort=0 "$m/3.txt" --paths-from "$F/paths.lst"

# --- every command that runs in presets, each sub-command -----------------
# Replace
list replace-string "$t" --task 2 61 DSC_ "Lisbon "
list replace-wildcard "$t" --task 2 61 "*_0*" "*-*" --task 2 61 "? *" "?_*"
list replace-string-with-extension --set IncludeExt=1 "$t" --task 2 61 .JPG .jpg
list replace-flip-around-pivot "$t" "$m" --task 2 106 " " ""
list replace-to-lower "$t" "$o" --task 2 110 "" ""
list replace-to-upper "$t" "$o" --task 2 111 "" ""
list replace-first-upper "$t" "$o" --task 2 112 "" ""
list replace-words-capitalised "$t" "$o" --task 2 113 "" ""
list replace-compose-hangul "$o" --task 2 143 "" ""
list replace-several-tasks "$t" --task 2 61 DSC_ "" --task 2 111 "" "" --task 2 61 "*" "photo *"
# Add Prefix, Add Suffix, Add Ext
for cmd in 3:prefix 4:suffix 19:ext; do
    c=${cmd%%:*} w=${cmd#*:}
    list "add-$w-string" "$t" --task "$c" 21 "new-" "" --task "$c" 21 "@" "2"
    list "add-$w-parent-folder" "$t" --task "$c" 22 "[" "] "
    list "add-$w-cut-paste-pattern" "$t" --task "$c" 135 "*_" "1"
    list "add-$w-cut-paste-delimited" "$t" --task "$c" 136 "-" "-"
    list "add-$w-cut-paste-range" "$t" --task "$c" 137 "2" "4"
    list "add-$w-cut-paste-range-back" "$t" --task "$c" 138 "2" "3"
    list "add-$w-created-date" "$m" --task "$c" 116 "{C%Y-%m-%d %H.%M.%S}" ""
    list "add-$w-modified-date" "$t" --task "$c" 117 "%Y-%m-%d %H%M%S %a %b %j " "3"
    list "add-$w-current-date" "$m" --task "$c" 139 "{N%Y-%m-%d}" ""
done
list add-retired-date-and-time-parts "$t" --task 3 90 "" "_" --task 4 65 " at " "" --task 4 64 "{C" "}"
# Empty Name, Empty Ext, Numbers Only, Del Numbers
list empty-name "$t" --task 5 0 "" ""
list empty-ext "$t" --task 18 0 "" ""
list numbers-only "$m" "$t" --task 7 0 "" ""
list del-numbers "$m" "$t" --task 8 0 "" ""
# Remove
list remove-range "$t" --task 6 41 "1" "4"
list remove-range-back "$t" --task 6 42 "1" "2"
list remove-delimited "$t" --task 6 48 "(" ")"
list keep-range "$t" --task 6 129 "2" "5"
list keep-range-back "$t" --task 6 130 "1" "3"
list keep-delimited "$t" --task 6 131 "[" "]"
list trim-blanks "$o" --task 6 133 "" ""
# Match Digits, Add Numbers
list match-digits-tail "$m" --task 9 73 "3" ""
list match-digits-head "$m" --task 9 74 "4" ""
list number-tail-in-order "$t" --task 10 83 "3" "1"
list number-head-in-order "$t" --task 10 84 "2" "7"
list number-tail-by-folder "$t" --task 10 85 "2" "1"
list number-head-by-folder "$t" "$m" --task 10 86 "1" "0"
# Clear List
list clear-all "$t" --task 12 180 "" ""
list clear-name-has "$t" --task 12 181 "DSC*" ""
list clear-name-lacks "$t" --task 12 182 "*o*" ""
list clear-ext-has "$t" --task 12 183 "JPG" ""
list clear-ext-lacks "$t" --task 12 184 "*o*" ""
list clear-same-path "$t" --task 2 61 DSC_ "" --task 12 185 "" ""
list clear-changed-path "$t" --task 2 61 DSC_ "" --task 12 186 "" ""
# Change Folder
list folder-move-to "$t" --task 17 69 "$W/sorted/" ""
list folder-move-to-parent "$t" --task 17 120 "2" ""
list folder-from-pattern "$t" --task 17 170 "*_*" "*" --task 17 170 "DSC" ""
list folder-from-delimited "$t" --task 17 172 "[" "]"
list folder-from-range "$t" --task 17 173 "1" "3"
list folder-from-range-back "$t" --task 17 174 "1" "2"
list folder-from-created "$m" --task 17 175 "{C%Y}/{C%m}" ""
list folder-from-modified "$t" --task 17 176 "%Y/%m-%d" ""
list folder-from-extension "$t" --task 17 177 "" ""
# Replace Ext
list replace-ext-extension "$t" --task 20 79 "JPG" "jpg"
list replace-ext-string "$t" --task 20 61 "P" "_"
list replace-ext-flip "$t" --task 20 106 "e" ""
list replace-ext-to-lower "$t" --task 20 110 "" ""
list replace-ext-to-upper "$t" "$o" --task 20 111 "" ""
list replace-ext-first-upper "$t" --task 20 112 "" ""
list replace-ext-words-capitalised "$t" --task 20 113 "" ""
list replace-ext-compose-hangul "$o" --task 20 143 "" ""
# Commands that do not run in presets leave the list as it is.
list commands-outside-presets "$m" --task 11 0 "" "" --task 13 0 "" "" --task 14 44 "x" "" --task 15 0 "" "" \
    --task 1 0 "" "" --task 99 0 "" "" --task 2 999 "a" "b"

# --- check ----------------------------------------------------------------
list check-clean "$t" --task 3 21 "x_" "" --check
list check-clean-json "$t" --task 3 21 "x_" "" --check --format json
list check-unchanged "$m" --check
list check-duplicate "$m" --task 5 0 "" "" --task 19 21 ".txt" "" --check
list check-duplicate-json "$m" --task 5 0 "" "" --task 19 21 ".txt" "" --check --format json
list check-duplicate-auto-number --set AutoNumber=1 "$m" --task 5 0 "" "" --task 19 21 ".txt" "" --check
list check-forbidden-character "$t" --task 3 21 "x/" "" --check
list check-empty-name "$t" --task 5 0 "" "" --task 18 0 "" "" --check
list check-target-taken "$m/1.txt" "$m/10.txt" --task 2 61 "1" "2" --check
list check-chain "$m/1.txt" "$m/2.txt" "$m/3.txt" --task 8 0 "" "" --task 10 84 "" "2" --check
list check-cycle --set SortAscend=0 "$m/1.txt" "$m/2.txt" "$m/3.txt" --task 8 0 "" "" --task 10 84 "" "1" --check
change check-then-copy "$t" --task 17 177 "" "" --check --copy
list check-korean --set UILanguage=korean "$t" --task 2 61 "DSC_0412" "DSC_0413" --check

# --- apply and copy -------------------------------------------------------
change apply-rename "$t" --task 2 61 DSC_ "Lisbon " --task 20 110 "" "" --apply
change apply-move-into-folders "$t" --task 20 110 "" "" --task 3 117 "%Y-%m-%d " "" --task 17 177 "" "" --apply
change apply-move-to-new-folder "$m" --task 17 69 "$W/new/deeper" "" --apply
change apply-chain "$m/1.txt" "$m/2.txt" "$m/3.txt" --task 8 0 "" "" --task 10 84 "" "2" --apply
change apply-cycle --set SortAscend=0 "$m/1.txt" "$m/2.txt" "$m/3.txt" --task 8 0 "" "" --task 10 84 "" "1" --apply
change apply-case-only "$t" --task 2 110 "" "" --task 20 111 "" "" --apply
change apply-target-taken "$m/1.txt" "$m/3.txt" --task 2 61 "1" "2" --apply
change apply-duplicate-stops "$m" --task 5 0 "" "" --task 19 21 ".txt" "" --apply
change apply-auto-number --set AutoNumber=1 "$m" --task 5 0 "" "" --task 19 21 ".txt" "" --apply
change apply-folders-themselves --folders self "$t/Videos" "$m" --task 4 21 " (old)" "" --apply
change apply-not-utf8 "$o" --task 3 21 "1-" "" --apply
change apply-korean --set UILanguage=korean "$m" --task 3 21 "k" "" --apply
change apply-nothing-changed "$m" --apply
change copy-suffix "$t" --task 4 21 "_copy" "" --copy
change copy-into-folder "$t" --task 17 69 "$W/backup" "" --copy
change copy-folders-themselves --folders self "$t/Videos" --task 4 21 " copy" "" --copy
change copy-target-taken "$m/1.txt" "$m/3.txt" --task 2 61 "1" "2" --copy

# --- revert ---------------------------------------------------------------
scenario revert-after-apply
run apply. -- "$t" "$m" --task 3 21 "r_" "" --task 17 177 "" "" --apply --journal "$J/apply.journal"
run "" -- --revert "$J/apply.journal" --journal "$J/revert.journal"
tree
journal "$J/apply.journal" apply.journal
journal "$J/revert.journal" revert.journal
mask

scenario revert-after-copy
run copy. -- "$t" --task 4 21 " (2)" "" --task 17 69 "$W/copies" "" --copy --journal "$J/copy.journal"
run "" -- --revert "$J/copy.journal" --journal "$J/revert.journal"
tree
journal "$J/copy.journal" copy.journal
journal "$J/revert.journal" revert.journal
mask

scenario revert-newest-journal
run apply. -- "$m" --task 3 21 "first " "" --apply
run apply2. -- "$m" --task 3 21 "second " "" --apply
run "" -- --revert
tree
# The default journals by size: their names and times are the clock's.
(cd "$XDG_STATE_HOME" && LC_ALL=C find . -type f -printf '%p\t%s\n' | LC_ALL=C sort) >"$dir/journals"
mask

scenario revert-entry-changed-since
run apply. -- "$m" --task 4 21 "-x" "" --apply --journal "$J/apply.journal"
mv "$m/2-x.txt" "$m/moved away.txt"
truncate -s 100 "$m/3-x.txt"
touch -d "2025-01-01 00:00:00" "$m/3-x.txt"
run "" -- --revert "$J/apply.journal" --journal "$J/revert.journal"
tree
journal "$J/revert.journal" revert.journal
mask

scenario revert-twice
run apply. -- "$m" --task 4 21 "-x" "" --apply --journal "$J/apply.journal"
run revert. -- --revert "$J/apply.journal" --journal "$J/revert.journal"
run "" -- --revert "$J/apply.journal" --journal "$J/revert2.journal"
tree
journal "$J/apply.journal" apply.journal
journal "$J/revert2.journal" revert2.journal
mask

scenario revert-without-journal
run "" -- --revert
mask

scenario revert-unreadable-journal
printf 'not a journal\n' >"$F/bad.journal"
run "" -- --revert "$F/bad.journal"
mask

# --- presets --------------------------------------------------------------
list preset-1 --presets "$F/group.qpx" --preset 1 "$t"
list preset-2-sorts --presets "$F/group.qpx" --preset 2 "$t"
list preset-3-auto-apply-without-apply --presets "$F/group.qpx" --preset 3 "$t"
change preset-3-with-apply --presets "$F/group.qpx" --preset 3 "$t" --apply
list preset-4-retired-sub-commands --presets "$F/group.qpx" --preset 4 "$t"
list preset-5-change-folder-ends-run --presets "$F/group.qpx" --preset 5 "$t" --task 2 61 a b
list preset-then-tasks --presets "$F/group.qpx" --preset 1 "$t" --task 4 21 "!" ""
list preset-from-config --config "$F/settings.ini" --preset 1 "$m"
list preset-group-replaces-config-presets --config "$F/settings.ini" --presets "$F/group.qpx" --preset 1 "$t"
list preset-empty-slot --preset 3 "$t"
list preset-group-without-presets --presets "$F/no-presets.qpx" --preset 1 "$t"
list preset-group-missing --presets "$F/missing.qpx" --preset 1 "$t"

# --- settings, configuration and saving -----------------------------------
list set-several-keys --set IncludeExt=1 --set AutoSort=0 --set LoadType=1 --set SortLikeWindows=0 \
    --set autonumber=1 --set Unknown=5 "$t" "$m" --task 2 61 "*.*" "*_*" --check
list config-then-set --config "$F/settings.ini" --set IncludeExt=0 --set SortAscend=1 "$t" --task 2 61 "o" "0"

scenario save-config
run "" -- --set IncludeExt=1 --set ColorBk=255 --set FontName=Serif --set RectMain=1,2,300,400 \
    --set UILanguage=korean --set Hotkey=2,65,1,1 --save-config "$tmp/saved/q.ini"
keep "$tmp/saved/q.ini" q.ini
mask

scenario save-config-from-config
run "" -- --config "$F/settings.ini" --presets "$F/group.qpx" --set LogHeight=3 \
    --save-config "$tmp/saved/new/folder/q.ini"
keep "$tmp/saved/new/folder/q.ini" q.ini
mask

scenario save-presets
run "" -- --presets "$F/group.qpx" --save-presets "$tmp/saved/p.qpx"
keep "$tmp/saved/p.qpx" p.qpx
mask

scenario save-both-after-apply
run "" -- --config "$F/settings.ini" --preset 1 "$m" --apply --journal "$J/run.journal" \
    --save-config "$tmp/saved/q.ini" --save-presets "$tmp/saved/p.qpx"
tree
keep "$tmp/saved/q.ini" q.ini
keep "$tmp/saved/p.qpx" p.qpx
mask

scenario save-config-unwritable
mkdir -p "$tmp/saved/taken.ini"
run "" -- "$t" --task 3 21 "x_" "" --apply --save-config "$tmp/saved/taken.ini"
tree
mask

scenario save-presets-missing-folder
run "" -- "$t" --task 3 21 "x_" "" --apply --save-presets "$tmp/saved/missing/p.qpx"
tree
mask

# --- path lists -----------------------------------------------------------
list paths-from-file --paths-from "$F/paths.lst"
list paths-from-utf16 --paths-from "$F/paths16.lst" --paths-from "$F/paths.lst" --task 10 84 "2" "1"
input=$F/paths.lst
list paths-from-stdin "$m/img7.png" --paths-from - --task 3 21 "s-" ""
input=/dev/null
list paths-from-missing --paths-from "$F/missing.lst"

# --- environment ----------------------------------------------------------
LANG=ko_KR.UTF-8 list lang-korean-from-environment "$t" --task 5 0 "" "" --task 18 0 "" "" --check
LC_ALL=C list lc-all-c "$o" --task 2 111 "" ""

# --- usage errors and runs a task ends ------------------------------------
list usage-unknown-option --bogus "$t"
list usage-no-path --task 3 21 "x" ""
list usage-task-needs-four --task 3 21 "x"
list usage-task-not-a-number "$t" --task x 21 a b
list usage-preset-out-of-range --preset 6 "$t"
list usage-apply-and-copy "$t" --apply --copy
list usage-format --format xml "$t"
list usage-columns --columns some "$t"
list usage-folders --folders both "$t"
list usage-set-without-value --set IncludeExt "$t"
list usage-config-missing --config "$F/missing.ini" "$t"
list usage-paths-after-double-dash -- --apply
list change-folder-empty-target-ends-run "$t" --task 17 69 "" "" --task 3 21 "x" ""
change change-folder-empty-target-with-apply "$t" --task 2 61 DSC_ "" --task 17 69 "" "" --apply

echo "$n scenarios in $out"
