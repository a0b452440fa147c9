#!/usr/bin/env bash
# A whole session with the real program: two load areas drawn with the mouse, their loads typed
# into the data grid, Compute, Save, the text report printed to a PDF file, New, Open of the saved
# file, Compute and the report again, End.
#
#   draw_compute_save_open.sh KALVEN CONFIG EXPECTED_KLV ARTIFACTS [openbox]
#
# On a 1024 x 768 screen without a window manager the drawing image is 928 x 696 pixels; under
# openbox it is the window's inside less 96 x 72. The points are clicked where the drawing image
# shows them, at s = image width / 25 pixels per metre, and are snapped to 5 cm:
#   area 1 "Wall", multiplier 24, alpha 270: (4.05, 2.55) (7.05, 2.55) (7.05, 7.40) (4.60, 7.40),
#     a trapezoid of (3.00 + 2.45) / 2 * 4.85 = 13.21625 m2, centre of gravity (5.6829, 4.8934),
#     317.19 kN downward
#   area 2 "Soil", multiplier 19, alpha 0: (8.10, 2.55) (12.65, 2.55) (11.30, 6.05) (8.10, 6.05),
#     a trapezoid of (4.55 + 3.20) / 2 * 3.50 = 13.5625 m2, centre of gravity (10.0571, 4.1984),
#     257.6875 kN to the right
#   resultant: sqrt(317.19^2 + 257.6875^2) = 408.67 kN at 360 - atan(317.19 / 257.6875) = 309.09
#   degrees; Xc = My / Fy is the x of the only vertical force, 5.68, Yc = Mx / Fx the y of the only
#   horizontal one, 4.20.
source "$(dirname "$0")/desktop.sh"

WINDOW_MANAGER=${5:-}
e2e_begin "draw_compute_save_open${WINDOW_MANAGER:+_$WINDOW_MANAGER}" "$1" "$4"
[ -z "$WINDOW_MANAGER" ] || start_openbox
CONFIG=$2
EXPECTED_KLV=$3
command -v pdftotext >/dev/null || { echo "pdftotext is missing (bash scripts/setup.sh installs it)"; exit 1; }
cp "$CONFIG" "$WORK/kalven1.cfg"
PROJECT="$WORK/wall and soil.klv"

# Colours of the delivered configuration and of the result drawing, as a screenshot shows them.
LOAD_AREA_COLOR=0000a0
RESULTANT_COLOR=ff0000

e2e_start_kalven
e2e_main_window
if [ -z "$WINDOW_MANAGER" ]; then
    EXPECTED_SIZE="928 x 696"
else
    eval "$(xdotool getwindowgeometry --shell "$MAIN")" # WIDTH and HEIGHT of the inside
    EXPECTED_SIZE="$((WIDTH - 96)) x $((HEIGHT - 72))"
fi
[ "$IMAGE_WIDTH x $IMAGE_HEIGHT" = "$EXPECTED_SIZE" ] ||
    fail "the drawing image is $IMAGE_WIDTH x $IMAGE_HEIGHT pixels, not $EXPECTED_SIZE"
# The image stands at (80, 0) of the window's client area.
CLIENT_LEFT=$((IMAGE_LEFT - 80))
CLIENT_TOP=$IMAGE_TOP

click_client() # x y [button]
{
    xdotool mousemove $((CLIENT_LEFT + $1)) $((CLIENT_TOP + $2)) click "${3:-1}"
}

# The screen pixel of the point (x, y) in metres on the drawing image of the 25 m area.
at_metres() # x y
{
    awk -v x="$1" -v y="$2" -v w="$IMAGE_WIDTH" -v h="$IMAGE_HEIGHT" -v left="$IMAGE_LEFT" -v top="$IMAGE_TOP" \
        'BEGIN { s = w / 25; printf "%d %d\n", left + int(x * s + 0.5), top + h - 1 - int(y * s + 0.5) }'
}

click_at() # x y [button]
{
    xdotool mousemove $(at_metres "$1" "$2") click "${3:-1}"
}

# Keys of the main window: its menu by the underlined letters.
menu()
{
    focus "$MAIN"
    xdotool key "alt+$1"
    xdotool key "$2"
}

shows_at() # x y rrggbb
{
    screenshot
    python3 "$E2E_DIR/screen.py" near "$WORK/screen.xwd" $(at_metres "$1" "$2") "$3" 3
}

# Points on the bottom edges of both areas.
areas_drawn()
{
    shows_at 5.55 2.55 "$LOAD_AREA_COLOR" && shows_at 10.37 2.55 "$LOAD_AREA_COLOR"
}

areas_gone()
{
    ! shows_at 5.55 2.55 "$LOAD_AREA_COLOR" && ! shows_at 10.37 2.55 "$LOAD_AREA_COLOR"
}

# Halfway along the red arrow from (Xc, Yc) = (5.68, 4.20) to its tip 5 m away.
resultant_drawn()
{
    shows_at 7.27 2.24 "$RESULTANT_COLOR"
}

draw_area() # corners in metres as "x,y" ...; a "-" takes the last corner back with Backspace
{
    local corner
    click_client 19 27 # the load-area button arms the input
    for corner in "$@"; do
        if [ "$corner" = - ]; then
            xdotool key BackSpace
        else
            click_at "${corner%,*}" "${corner#*,}"
        fi
    done
    click_at 18.86 16.03 3 # the right button closes the outline
    # Over the window's own surface the load-area button comes up again.
    xdotool mousemove $((CLIENT_LEFT + 40)) $((CLIENT_TOP + 300))
}

compute()
{
    click_client 40 104
    wait_until "Compute draws the resultant" resultant_drawn
}

# The loads of both areas in the data grid; its cell editor is open on area 1's multiplier and
# Enter moves on to the angle, the shift, the text and the next row.
enter_loads()
{
    local grid cell
    click_client 52 51
    grid=$(wait_window '^ Load area - input data$')
    focus "$grid"
    for cell in 24 270 "" Wall 19 0 "" Soil; do
        [ -z "$cell" ] || xdotool type --delay 30 "$cell"
        xdotool key Return
    done
    xdotool mousemove --window "$grid" 125 356 click 1 # OK
    wait_gone "$grid" "the data grid"
}

# Types the name into the file dialog that has opened.
choose_file() # title path
{
    local dialog
    dialog=$(wait_window "^$1\$")
    focus "$dialog"
    xdotool key ctrl+a
    xdotool type --delay 10 "$2"
    xdotool key Return
    wait_gone "$dialog" "the dialog '$1'"
}

# "Print text", OK in the report window, and Qt's print dialog printing to a PDF file.
print_report() # pdf
{
    local report print
    rm -f "$1"
    menu f t
    report=$(wait_window '^ Print text - arrangements$')
    xdotool mousemove --window "$report" 581 428 click 1 # OK
    print=$(wait_window '^Print$')
    # The printer list takes the focus by its label's letter; the PDF file printer is its last
    # entry, after any real printer of the machine. Two tabs on is the output file. Keys that
    # arrive while the dialog still fills its printer list go astray, so a dialog that stays
    # open is given them once more.
    local attempt
    for attempt in 1 2 3; do
        focus "$print"
        xdotool key alt+n End Tab Tab ctrl+a
        xdotool type --delay 10 "$1"
        xdotool key Return
        gone_within "$print" 15 && break
    done
    wait_gone "$print" "the print dialog"
    wait_gone "$report" "the report window"
    wait_until "the report is printed to $1" pdf_readable "$1"
}

pdf_readable()
{
    pdftotext "$1" - >/dev/null 2>&1
}

# The result lines of a printed report, each with its blanks run together.
check_report() # pdf
{
    local text expected
    text=$(pdftotext -layout "$1" - | sed -e 's/^ *//' -e 's/ *$//' | tr -s ' ')
    for expected in \
        "1 Wall 24 270.0 0.0" \
        "2 Soil 19 0.0 0.0" \
        "5.68 4.89 317.19 270.00" \
        "10.06 4.20 257.69 0.00" \
        "Resultant force 408.67 kN" \
        "Angle of resultant force 309.09°" \
        "Resultant Xc = 5.68 m" \
        "Resultant Yc = 4.20 m"; do
        grep -qxF -- "$expected" <<<"$text" ||
            fail "the report $1 has no line '$expected'; it reads:"$'\n'"$text"
    done
}

# Session 1: draw, load, compute, save, print.
draw_area 4.05,2.55 7.05,2.55 7.05,7.40 4.60,7.40
click_client 45 27 # the area number
focus "$MAIN"
xdotool key ctrl+a
xdotool type 2
# A polygon given up with Escape and a corner taken back leave no trace in the saved project. The
# keys reach the input though the area number box has the keyboard focus.
click_client 19 27
click_at 9.00 3.00
click_at 10.00 3.00
xdotool key Escape
draw_area 8.10,2.55 12.65,2.55 14.00,1.00 - 11.30,6.05 8.10,6.05
enter_loads
compute

menu f s
choose_file "Save File" "${PROJECT%.klv}" # the dialog adds the extension
wait_until "the caption names the saved file" caption_is " KALVEN  V 1.0      $PROJECT"
[ -f "$PROJECT" ] || fail "Save wrote no $PROJECT"
if ! cmp -s "$EXPECTED_KLV" "$PROJECT"; then
    diff <(tr -d '\r' <"$EXPECTED_KLV") <(tr -d '\r' <"$PROJECT") >&2 || true
    fail "the saved project differs from $EXPECTED_KLV"
fi
print_report "$WORK/first report.pdf"
check_report "$WORK/first report.pdf"

# New without saving empties the drawing; Open without saving brings the project back.
menu f n
answer '^Warning$' n
wait_until "New empties the drawing" areas_gone
focus "$MAIN"
xdotool key ctrl+z
wait_until "Undo brings the areas back" areas_drawn
xdotool key ctrl+y
wait_until "Redo empties the drawing again" areas_gone
menu f o
answer '^Warning$' n
choose_file "Open File" "$PROJECT"
wait_until "Open draws the load areas" areas_drawn
caption_is " KALVEN  V 1.0      $PROJECT" || fail "the caption does not name the opened file"
compute
print_report "$WORK/second report.pdf"
check_report "$WORK/second report.pdf"

# End: Yes to the end, No to saving.
menu f e
answer '^Confirm$' y
answer '^Warning$' n
wait_exit 60
[ "$EXIT_STATUS" -eq 0 ] || fail "the program ended with status $EXIT_STATUS"
cmp -s "$EXPECTED_KLV" "$PROJECT" || fail "the project file changed after it was saved"
echo "$E2E_NAME: passed"
