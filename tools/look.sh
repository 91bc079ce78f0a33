#!/usr/bin/env bash
# Looking at the real program as its users see it, on a virtual screen with a
# window manager (make look-deps installs both):
#   tools/look.sh start 1280x800     a screen on DISPLAY :57 (LOOK_DISPLAY), openbox on it
#   DISPLAY=:57 build/quirnel ...     then run and drive it (xdotool key ...)
#   tools/look.sh grab shot.png       the screen, with the program's windows
#   tools/look.sh stop
# On this virtual screen the root window's image leaves some toolkit windows
# black, so each of the program's windows is taken on its own and laid over
# it at its place, the lowest first (the program's and any other's, such as
# a file manager's).
set -euo pipefail
export DISPLAY=${LOOK_DISPLAY:-:57}
case ${1:-} in
start)
    Xvfb "$DISPLAY" -screen 0 "${2:-1280x800}x24" -nolisten tcp >/dev/null 2>&1 &
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    openbox >/dev/null 2>&1 &
    sleep 0.5 ;;
grab)
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    xwd -root | convert xwd:- "$work/root.png"
    layers=()
    while read -r id x y; do
        # A window not mapped has no image.
        xwd -id "$id" > "$work/$id.xwd" 2>/dev/null && convert "xwd:$work/$id.xwd" "$work/$id.png" || continue
        layers+=("$work/$id.png" -geometry "+$x+$y" -composite)
    done < <(xwininfo -root -tree |
             awk '/\("[^"]*" "[^"]*"\)/ { split($NF, at, "+"); split($(NF-1), size, "x");
                                             if (size[1] > 2) print $1, at[2], at[3] }' | tac)
    convert "$work/root.png" "${layers[@]}" "$2" ;;
stop)
    pkill -f "Xvfb $DISPLAY" || true
    for _ in $(seq 50); do pgrep -f "Xvfb $DISPLAY" >/dev/null || break; sleep 0.1; done ;;
*)
    sed -n 2,10p "$0"; exit 2 ;;
esac
