#!/usr/bin/env bash
# The pictures of docs/: the main window with the example retaining wall computed, the help viewer,
# the load-area picture, the about window and the main window with the base-joint example computed.
# Drives the real program on a private virtual display of 1024 x 768, as the end-to-end sessions do,
# and cuts each window out of the screen.
#
#   bash scripts/screenshots.sh [KALVEN] [FOLDER]    defaults: build/release/kalven, docs
source "$(cd "$(dirname "$0")/.." && pwd)/tests/e2e/desktop.sh"

ROOT=$(cd "$(dirname "$0")/.." && pwd)
TARGET=$(realpath -m -- "${2:-$ROOT/docs}")
mkdir -p "$TARGET"
e2e_begin screenshots "${1:-$ROOT/build/release/kalven}" "$TARGET"
cp -r "$ROOT/share/." "$WORK/"

shoot() # window name
{
    local X Y WIDTH HEIGHT SCREEN WINDOW
    sleep 0.5
    screenshot
    eval "$(xdotool getwindowgeometry --shell "$1")"
    python3 - "$E2E_DIR" "$WORK/screen.xwd" "$TARGET/$2.png" "$X" "$Y" "$WIDTH" "$HEIGHT" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
import screen
shot = screen.Screenshot(sys.argv[2])
x, y, w, h = map(int, sys.argv[4:8])
shot.row = lambda r: [shot.rgb(x + i, y + r) for i in range(w)]
shot.width, shot.height = w, h
shot.png(sys.argv[3])
PY
    echo "$TARGET/$2.png"
}

menu() # keys after alt+letter
{
    focus "$MAIN"
    xdotool key "alt+$1"
    shift
    xdotool key "$@"
}

open_and_compute() # example project
{
    local dialog
    menu f o
    answer '^Warning$' n
    dialog=$(wait_window '^Open File$')
    focus "$dialog"
    xdotool key ctrl+a
    xdotool type --delay 10 "$WORK/examples/$1"
    xdotool key Return
    wait_gone "$dialog" "the open dialog"
    focus "$MAIN"
    xdotool key Return # Compute, the default button
}

e2e_start_kalven
e2e_main_window
open_and_compute retaining_wall.klv
shoot "$MAIN" main_window

for entry in "h t:^ HELP$:help_viewer" "h h l:^ Help Load area$:load_area_example" "h a:^ About$:about_window"; do
    IFS=: read -r keys title name <<<"$entry"
    # shellcheck disable=SC2086
    menu $keys
    window=$(wait_window "$title")
    shoot "$window" "$name"
    focus "$window"
    xdotool key Escape
    wait_gone "$window" "$title"
done

open_and_compute retaining_wall_joint.klv
shoot "$MAIN" base_joint
