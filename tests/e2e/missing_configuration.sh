#!/usr/bin/env bash
# Starting in a folder without kalven1.cfg: two plain messages, "Non initial file  -kalven1.cfg-  !!!"
# and then "Error in initial file !!!", each dismissed with Enter, and the program ends with a
# failure status; the main window never shows.
#
#   missing_configuration.sh KALVEN ARTIFACTS
source "$(dirname "$0")/desktop.sh"

e2e_begin missing_configuration "$1" "$2"

main_window_shown()
{
    xdotool search --onlyvisible --name '^ KALVEN  V 1\.0' >/dev/null 2>&1
}

box_width()
{
    xdotool getwindowgeometry --shell "$1" | sed -n 's/^WIDTH=//p'
}

e2e_start_kalven
# Plain messages carry the program's name as their caption.
first=$(wait_window '^KALVEN$' 120)
main_window_shown && fail "the main window shows before the configuration was read"
first_width=$(box_width "$first")
focus "$first"
xdotool key Return
wait_gone "$first" "the first message"

second=$(wait_window '^KALVEN$')
second_width=$(box_width "$second")
# The boxes are sized to their texts, and the first text is the longer one.
[ "$first_width" -gt "$second_width" ] ||
    fail "the messages came in the wrong order: the first box is $first_width pixels wide, the second $second_width"
focus "$second"
xdotool key Return

wait_exit 15
[ "$EXIT_STATUS" -ne 0 ] || fail "the program ended with status 0 without its configuration"
echo "missing_configuration: passed (status $EXIT_STATUS)"
