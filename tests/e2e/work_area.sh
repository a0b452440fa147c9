#!/usr/bin/env bash
# The main window under a window manager (openbox): the whole window, frame included, lies on the
# work area, the drawing image is its inside less 96 x 72 pixels, and the status bar with its texts
# can be seen below the image.
#
#   work_area.sh KALVEN CONFIG ARTIFACTS WIDTHxHEIGHT [BOTTOM]   BOTTOM: pixels kept free below
source "$(dirname "$0")/desktop.sh"

E2E_SCREEN=$4
BOTTOM=${5:-0}
e2e_begin "work_area_$4" "$1" "$3"
cp "$2" "$WORK/kalven1.cfg"
start_openbox "$BOTTOM"
SCREEN_WIDTH=${E2E_SCREEN%x*}
WORK_HEIGHT=$((${E2E_SCREEN#*x} - BOTTOM))

image_found()
{
    screenshot && python3 "$E2E_DIR/screen.py" image "$WORK/screen.xwd" >"$WORK/image" 2>/dev/null
}

e2e_start_kalven
MAIN=$(wait_window '^ KALVEN  V 1\.0' 120)
wait_until "the raster is drawn" image_found
read -r IMAGE_LEFT IMAGE_TOP IMAGE_WIDTH IMAGE_HEIGHT <"$WORK/image"
# The inside of the window in screen coordinates, and the frame openbox put around it.
inside=$(xwininfo -id "$MAIN")
X=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$inside")
Y=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$inside")
WIDTH=$(sed -n 's/^ *Width: *//p' <<<"$inside")
HEIGHT=$(sed -n 's/^ *Height: *//p' <<<"$inside")
IFS=', ' read -r FRAME_LEFT FRAME_RIGHT FRAME_TOP FRAME_BOTTOM < <(xprop -id "$MAIN" _NET_FRAME_EXTENTS | sed 's/.*= //')
echo "$E2E_NAME: inside $WIDTH x $HEIGHT at ($X, $Y), frame $FRAME_LEFT $FRAME_RIGHT $FRAME_TOP $FRAME_BOTTOM," \
    "drawing image $IMAGE_WIDTH x $IMAGE_HEIGHT at ($IMAGE_LEFT, $IMAGE_TOP)"
[ "$IMAGE_WIDTH x $IMAGE_HEIGHT" = "$((WIDTH - 96)) x $((HEIGHT - 72))" ] ||
    fail "the drawing image is $IMAGE_WIDTH x $IMAGE_HEIGHT pixels in a window of $WIDTH x $HEIGHT"
[ "${FRAME_TOP:-0}" -gt 0 ] || fail "the window has no title bar: openbox does not manage it"
[ $((X - FRAME_LEFT)) -ge 0 ] && [ $((Y - FRAME_TOP)) -ge 0 ] || fail "the window's frame begins off the screen"
FRAME_END_X=$((X + WIDTH + FRAME_RIGHT))
FRAME_END_Y=$((Y + HEIGHT + FRAME_BOTTOM))
[ "$FRAME_END_X" -le "$SCREEN_WIDTH" ] && [ "$FRAME_END_Y" -le "$WORK_HEIGHT" ] ||
    fail "the window reaches ($FRAME_END_X, $FRAME_END_Y), past the work area of $SCREEN_WIDTH x $WORK_HEIGHT"
[ $((IMAGE_LEFT + IMAGE_WIDTH)) -le "$SCREEN_WIDTH" ] && [ $((IMAGE_TOP + IMAGE_HEIGHT)) -le "$WORK_HEIGHT" ] ||
    fail "the drawing image reaches past the work area"

# Text in a status panel: the panels' inner parts in the bar along the bottom of the inside; panel 3
# stays empty and shows what a panel without text looks like.
ink() # panel-left panel-width
{
    screenshot
    python3 "$E2E_DIR/screen.py" ink "$WORK/screen.xwd" $((X + $1 + 8)) $((Y + HEIGHT - 18)) $(($2 - 16)) 14
}
has_text() # panel-left panel-width
{
    [ "$(ink "$1" "$2")" -gt $((EMPTY + 20)) ]
}
EMPTY=$(ink 600 100)
has_text 430 150 || fail "the status bar does not show the length text"
has_text 0 160 && fail "the coordinates panel shows text before the mouse moved over the drawing"
xdotool mousemove $((IMAGE_LEFT + IMAGE_WIDTH / 2)) $((IMAGE_TOP + IMAGE_HEIGHT / 2))
wait_until "the status bar shows the mouse position" has_text 0 160
screenshot
python3 "$E2E_DIR/screen.py" png "$WORK/screen.xwd" "$ARTIFACTS/$E2E_NAME.png"
echo "$E2E_NAME: passed"
