#!/usr/bin/env bash
# Meets a built package the way a user does: installs it, opens an application
# menu on a virtual screen to find its entry and icon, starts the program from
# its desktop entry, takes pictures of both, closes it, and removes the package
# and whatever the run left behind. Run as root on a machine where the package
# is not installed.
# Usage: tools/try-package.sh PACKAGE.deb OUTPUT_DIR
set -euo pipefail
deb=$(realpath "$1")
out=$(realpath -m "$2")
id=org.quirnel.Quirnel
entry=/usr/share/applications/$id.desktop
stray=/usr/bin/quirnel.ini

if dpkg-query -W -f='${Status}' quirnel 2>/dev/null | grep -q "install ok installed"; then
    echo "quirnel is installed already; remove it first so this run cannot remove yours" >&2
    exit 1
fi
[[ -e $stray ]] && { echo "$stray exists already" >&2; exit 1; }
mkdir -p "$out"
scratch=$(mktemp -d)
cleanup() {
    DEBIAN_FRONTEND=noninteractive apt-get remove -y quirnel >"$out/remove.log" 2>&1 || true
    rm -f "$stray"
    rm -rf "$scratch"
}
trap cleanup EXIT

DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb" >"$out/install.log" 2>&1
echo "== installed: $(dpkg-query -W -f='${Package} ${Version}' quirnel)"
grep -E '^(Name|GenericName|Comment|Exec|Icon|MimeType)' "$entry"
echo "== icon in the hicolor cache: $(grep -ac "$id" /usr/share/icons/hicolor/icon-theme.cache)"
grep -E "^(inode/directory|application/octet-stream)=" /usr/share/applications/mimeinfo.cache
echo "== manual pages: $(man -w quirnel quirnel-cli | tr '\n' ' ')"

# The run's own home keeps the per-user configuration and caches out of root's.
export HOME=$scratch XDG_CONFIG_HOME=$scratch/config XDG_CACHE_HOME=$scratch/cache
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export entry out id
xvfb-run -a -s "-screen 0 1280x800x24" bash -euo pipefail -c '
    jgmenu_run apps >"$HOME/apps.csv"
    printf "icon_theme = hicolor\nicon_size = 32\nfont = DejaVu Sans 12\nmenu_width = 320\n" >"$HOME/jgmenurc"
    jgmenu --simple --config-file="$HOME/jgmenurc" --csv-file="$HOME/apps.csv" \
           --checkout=apps-dir-Accessories 2>/dev/null &
    menu=$!
    sleep 2
    xwd -root -silent | convert xwd:- "$out/menu.png"
    kill "$menu"
    echo "== menu entry: $(grep -F ",$id," "$HOME/apps.csv")"

    dex "$entry"
    for _ in $(seq 100); do
        win=$(xdotool search --name "^Quirnel$" 2>/dev/null | head -n 1) && [[ -n $win ]] && break
        sleep 0.1
    done
    [[ -n ${win:-} ]] || { echo "no Quirnel window appeared" >&2; exit 1; }
    sleep 1
    pid=$(xdotool getwindowpid "$win")
    echo "== window $win of process $pid: $(xprop -id "$win" WM_CLASS)"
    xwd -root -silent | convert xwd:- "$out/window.png"
    xdotool windowfocus --sync "$win" key Escape
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then echo "Esc did not close the window" >&2; kill "$pid"; fi
'
echo "== configuration written: $(find "$scratch/config" "$stray" -name '*.ini' 2>/dev/null | sed "s|$scratch|~|" | tr '\n' ' ')"
echo "== pictures: $out/menu.png $out/window.png"
