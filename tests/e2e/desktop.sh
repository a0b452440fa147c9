# Drives the real kalven program on a private virtual X display, as a person would: mouse and keys
# through xdotool, what is on the screen through xwd. Sourced by the session scripts beside it.
#
#   e2e_begin NAME KALVEN ARTIFACTS   working folder $WORK, display of $E2E_SCREEN (default
#                                     1024x768), clean-up on exit
#   start_openbox [BOTTOM]            openbox as window manager, keeping BOTTOM pixels free below
#   e2e_start_kalven                  starts kalven in $WORK; $KALVEN_PID
#   e2e_main_window                   waits for the main window and its drawn raster; $MAIN and
#                                     IMAGE_LEFT, IMAGE_TOP, IMAGE_WIDTH, IMAGE_HEIGHT on the screen
#   wait_window REGEX [SECONDS]       the id of the visible window whose title matches
#   answer REGEX KEY                  waits for a message box, presses KEY, waits until it is gone
#   wait_exit SECONDS                 waits for the program's end; its status in $EXIT_STATUS
#   fail MESSAGE                      saves a screenshot and the program's output, then exits 1
#
# Every wait polls with a time limit, so a loaded machine only makes a session slower.

set -euo pipefail

E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
WAIT_SECONDS=${E2E_WAIT_SECONDS:-60}
E2E_SCREEN=${E2E_SCREEN:-1024x768}
XVFB_PID=""
WM_PID=""
KALVEN_PID=""

e2e_begin()
{
    E2E_NAME=$1
    KALVEN=$(realpath -- "$2")
    ARTIFACTS=$3
    for tool in Xvfb xdotool xwd python3; do
        command -v "$tool" >/dev/null || { echo "$E2E_NAME: $tool is missing (bash scripts/setup.sh installs it)"; exit 1; }
    done
    [ -x "$KALVEN" ] || { echo "$E2E_NAME: no program at $KALVEN"; exit 1; }
    mkdir -p "$ARTIFACTS"
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/kalven-e2e.XXXXXX")
    trap e2e_end EXIT
    start_display
}

e2e_end()
{
    local status=$?
    if [ -n "$KALVEN_PID" ] && kill -0 "$KALVEN_PID" 2>/dev/null; then
        kill "$KALVEN_PID" 2>/dev/null || true
        wait "$KALVEN_PID" 2>/dev/null || true
    fi
    if [ -n "$WM_PID" ]; then
        kill "$WM_PID" 2>/dev/null || true
        wait "$WM_PID" 2>/dev/null || true
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    if [ "$status" -eq 0 ]; then
        rm -rf "$WORK"
    else
        echo "$E2E_NAME: the working folder is kept in $WORK" >&2
    fi
}

# A display number of our own: Xvfb names the number through -displayfd only once it listens, so
# a number another test holds just makes this Xvfb end and the next number is tried. No reset of
# the server when its last client leaves: xdotool and xwd come and go all the time.
start_display()
{
    local n ready="$WORK/display" i
    for n in $(seq 90 140); do
        : >"$ready"
        Xvfb ":$n" -screen 0 "${E2E_SCREEN}x24" -nolisten tcp -noreset -displayfd 3 3>"$ready" >"$WORK/xvfb.log" 2>&1 &
        XVFB_PID=$!
        for i in $(seq 100); do
            if [ -s "$ready" ] && kill -0 "$XVFB_PID" 2>/dev/null &&
                DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
                export DISPLAY=":$n"
                return 0
            fi
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    done
    echo "$E2E_NAME: no X display could be started" >&2
    exit 1
}

# Debian's openbox with a configuration of its own (nothing of the user's is read or written),
# framing windows with a title bar and borders; BOTTOM pixels at the foot of the screen are kept
# free as a panel would, so the work area is smaller than the screen.
start_openbox()
{
    local bottom=${1:-0} i
    command -v openbox >/dev/null || { echo "$E2E_NAME: openbox is missing (bash scripts/setup.sh installs it)"; exit 1; }
    mkdir -p "$WORK/openbox"
    cat >"$WORK/openbox/rc.xml" <<RC
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <placement><policy>Smart</policy></placement>
  <theme><name>Clearlooks</name><titleLayout>NLIMC</titleLayout></theme>
  <desktops><number>1</number></desktops>
  <margins><top>0</top><bottom>$bottom</bottom><left>0</left><right>0</right></margins>
  <menu><file>$WORK/openbox/menu.xml</file></menu>
</openbox_config>
RC
    echo '<openbox_menu xmlns="http://openbox.org/3.4/menu"/>' >"$WORK/openbox/menu.xml"
    (cd "$WORK" && exec env HOME="$WORK" XDG_CONFIG_HOME="$WORK/openbox" XDG_CACHE_HOME="$WORK/openbox" \
        XDG_DATA_HOME="$WORK/openbox" openbox --sm-disable --config-file "$WORK/openbox/rc.xml" \
        --startup "touch $WORK/openbox/ready" >"$WORK/openbox.log" 2>&1) &
    WM_PID=$!
    for i in $(seq 100); do
        [ -e "$WORK/openbox/ready" ] && return 0
        kill -0 "$WM_PID" 2>/dev/null || break
        sleep 0.1
    done
    cat "$WORK/openbox.log" >&2
    fail "openbox did not start"
}

e2e_start_kalven()
{
    mkdir -p -m 700 "$WORK/runtime"
    # Qt's own dialogs and styles, no desktop theme; screen pixels are image pixels.
    (cd "$WORK" && exec env HOME="$WORK" XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME= \
        QT_ENABLE_HIGHDPI_SCALING=0 QT_SCALE_FACTOR=1 ASAN_OPTIONS=detect_leaks=0 \
        "$KALVEN" >"$WORK/kalven.log" 2>&1) &
    KALVEN_PID=$!
}

image_found()
{
    screenshot && python3 "$E2E_DIR/screen.py" image "$WORK/screen.xwd" >"$WORK/image" 2>/dev/null
}

e2e_main_window()
{
    MAIN=$(wait_window '^ KALVEN  V 1\.0' 120)
    wait_until "the raster is drawn" image_found
    read -r IMAGE_LEFT IMAGE_TOP IMAGE_WIDTH IMAGE_HEIGHT <"$WORK/image"
}

screenshot()
{
    xwd -root -silent >"$WORK/screen.xwd"
}

# Also inside $(...): everything goes to stderr, and the exit status stops the session.
fail()
{
    report_failure "$@" >&2
    exit 1
}

report_failure()
{
    local picture="$ARTIFACTS/$E2E_NAME-failure.png"
    echo "$E2E_NAME: FAILED: $*"
    if xwd -root -silent >"$WORK/failure.xwd" 2>/dev/null &&
        python3 "$E2E_DIR/screen.py" png "$WORK/failure.xwd" "$picture"; then
        echo "$E2E_NAME: screenshot: $picture"
    fi
    echo "$E2E_NAME: visible windows:"
    local w
    for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        echo "  $w [$(xdotool getwindowname "$w" 2>/dev/null)]"
    done
    # Where a program that stopped answering stands, for the one who reads the failure.
    if [ -n "$KALVEN_PID" ] && kill -0 "$KALVEN_PID" 2>/dev/null && command -v gdb >/dev/null; then
        timeout 60 gdb -p "$KALVEN_PID" -batch -ex "thread apply all bt 25" >"$ARTIFACTS/$E2E_NAME-stacks.txt" 2>&1 &&
            echo "$E2E_NAME: the program's threads: $ARTIFACTS/$E2E_NAME-stacks.txt"
    fi
    if [ -f "$WORK/kalven.log" ]; then
        cp "$WORK/kalven.log" "$ARTIFACTS/$E2E_NAME-kalven.log"
        echo "$E2E_NAME: program output: $ARTIFACTS/$E2E_NAME-kalven.log"
    fi
}

# The general error report of the program means a command failed; no session expects one.
check_no_error_report()
{
    if xdotool search --onlyvisible --name '^Error$' >/dev/null 2>&1; then
        fail "the program showed its general error report"
    fi
}

kalven_running()
{
    kill -0 "$KALVEN_PID" 2>/dev/null
}

# Prints the id of the visible window whose title matches REGEX (anchored by the caller).
wait_window()
{
    local regex=$1 limit=${2:-$WAIT_SECONDS} ids
    local deadline=$((SECONDS + limit))
    while [ "$SECONDS" -lt "$deadline" ]; do
        ids=$(xdotool search --onlyvisible --name "$regex" 2>/dev/null || true)
        if [ -n "$ids" ]; then
            echo "$ids" | tail -n 1
            return 0
        fi
        check_no_error_report
        kalven_running || fail "the program ended while a window '$regex' was awaited"
        sleep 0.2
    done
    fail "no window '$regex' within $limit s"
}

wait_gone()
{
    local id=$1 what=$2
    gone_within "$id" "$WAIT_SECONDS" || fail "$what did not close within $WAIT_SECONDS s"
}

# True when the window is gone within SECONDS.
gone_within() # id seconds
{
    local deadline=$((SECONDS + $2))
    while [ "$SECONDS" -lt "$deadline" ]; do
        xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.2
    done
    return 1
}

# Keys go to the window that has the input focus; with no window manager nobody else gives it.
focus()
{
    xdotool windowfocus --sync "$1"
}

answer()
{
    local regex=$1 key=$2 id
    id=$(wait_window "$regex")
    focus "$id"
    xdotool key "$key"
    wait_gone "$id" "the box '$regex'"
}

# Waits until a condition command succeeds; fails with the description otherwise.
wait_until()
{
    local what=$1
    shift
    local deadline=$((SECONDS + WAIT_SECONDS))
    while [ "$SECONDS" -lt "$deadline" ]; do
        if "$@"; then
            return 0
        fi
        check_no_error_report
        sleep 0.3
    done
    fail "$what (not within $WAIT_SECONDS s)"
}

caption_is()
{
    [ "$(xdotool getwindowname "$MAIN" 2>/dev/null)" = "$1" ]
}

# Waits for the program's end and sets EXIT_STATUS; not in $(...), as only this shell may wait for it.
wait_exit()
{
    local limit=$1 deadline=$((SECONDS + $1))
    while kalven_running; do
        [ "$SECONDS" -lt "$deadline" ] || fail "the program did not end within $limit s"
        sleep 0.2
    done
    EXIT_STATUS=0
    wait "$KALVEN_PID" || EXIT_STATUS=$?
    KALVEN_PID=""
    # A sanitizer report also ends the program with a failure status; it is never the expected one.
    if grep -qE 'ERROR: AddressSanitizer|runtime error:' "$WORK/kalven.log"; then
        fail "the sanitizers reported an error"
    fi
}
