#!/usr/bin/env bash
# A robustness campaign, run by hand: bad inputs and failing outputs against the built programs,
# one Markdown table row each (the case, the command, the exit status, what the person is told,
# the time, the peak memory and a verdict). A verdict other than "ok" is a fault to look at.
#
#   bash scripts/robustness_campaign.sh BUILD_FOLDER [SECTION...] > campaign.md
#
# SECTIONs (default all): project outputs window cfg help dxf xvfb.
# BUILD_FOLDER holds kalven-report, kalven and tests/kalven-probe (a test build has all three).
# Everything happens in a scratch folder that is removed at the end; no case waits longer than
# $CASE_SECONDS (default 20), or $BIG_SECONDS (default 90) where the input itself is huge: a
# sanitizer build reads a 15 MB help text in some 25 s, a release build in under 2 s. As root, a tiny tmpfs stands for a full disk and a read-only folder;
# otherwise those rows use file permissions and ulimit.
set -uo pipefail

BUILD=$(realpath -- "${1:?build folder, e.g. build/test}")
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
REPORT=$BUILD/kalven-report
PROBE=$BUILD/tests/kalven-probe
KALVEN=$BUILD/kalven
LIMIT=${CASE_SECONDS:-20}
BIG_LIMIT=${BIG_SECONDS:-90}
shift
SECTIONS=" ${*:-project outputs window cfg help dxf xvfb} "
want() { [[ "$SECTIONS" == *" $1 "* ]]; }
for p in "$REPORT" "$PROBE"; do
    [ -x "$p" ] || { echo "no program at $p (build kalven-report and kalven-probe)" >&2; exit 2; }
done
command -v /usr/bin/time >/dev/null || { echo "/usr/bin/time is missing (package time)" >&2; exit 2; }

S=$(mktemp -d "${TMPDIR:-/tmp}/kalven-campaign.XXXXXX")
MOUNTS=()
XVFB_PID=""
cleanup()
{
    [ -n "$XVFB_PID" ] && { kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; }
    for m in "${MOUNTS[@]}"; do umount "$m" 2>/dev/null; done
    chmod -R u+w "$S" 2>/dev/null
    chattr -R -i "$S" 2>/dev/null
    rm -rf "$S"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$S/xdg ASAN_OPTIONS=detect_leaks=0
mkdir -m 700 "$S/xdg"
WORKDIR=$S/work   # the current folder of every case, with the delivered kalven1.cfg
mkdir "$WORKDIR" && cp "$SOURCE/share/kalven1.cfg" "$WORKDIR/"

N=0
FAULTS=0
CWD=$WORKDIR
BIG=""    # set for a case whose input is itself huge: no one-second bound
CHECK=""  # a command that must succeed after the case (e.g. an old file unchanged)

short()
{
    local t=${1//$S/S}
    t=${t//$BUILD/B}
    t=${t//$SOURCE/SRC}
    t=${t//|/\\|}
    t=$(printf '%s' "$t" | tr -d '\000-\037' | LC_ALL=C tr -c '\040-\176' '?')
    [ ${#t} -gt 90 ] && t="${t:0:60}...(${#t} chars)"
    printf '%s' "$t"
}

# run CASE WANTED_STATUSES COMMAND...   WANTED_STATUSES like "2" or "0|1|2"
run()
{
    local name=$1 want=$2
    shift 2
    N=$((N + 1))
    rm -f "$S/t" "$S/out" "$S/err"
    local seconds=$LIMIT
    [ -n "$BIG" ] && seconds=$BIG_LIMIT
    (cd "$CWD" && exec /usr/bin/time -f '%e %M' -o "$S/t" timeout -k 2 "$seconds" "$@" >"$S/out" 2>"$S/err" </dev/null)
    local rc=$?
    local secs kb
    read -r secs kb < <(tail -n 1 "$S/t" 2>/dev/null) || { secs=?; kb=0; }
    [[ "$kb" =~ ^[0-9]+$ ]] || { secs=?; kb=0; }
    # What the person is told: the probe's messages, or kalven-report's first own word.
    local said
    said=$(grep -a '^message: ' "$S/out" | sed 's/^message: //' | head -3 | tr '\n' '/')
    [ -z "$said" ] && said=$(grep -a '^kalven-report: ' "$S/err" | sed 's/^kalven-report: //' | head -2 | tr '\n' '/')
    [ -z "$said" ] && said=$(grep -a -m1 '^text: \|^areas used: ' "$S/out")
    local verdict=ok
    if grep -aq 'Sanitizer\|runtime error:' "$S/err"; then
        verdict="FAULT: sanitizer"
    elif [ "$rc" -eq 124 ] || [ "$rc" -eq 137 ]; then
        verdict="FAULT: hang"
    elif [ "$rc" -ge 128 ]; then
        verdict="FAULT: signal $((rc - 128))"
    elif ! [[ "|$want|" == *"|$rc|"* ]]; then
        verdict="FAULT: status $rc, wanted $want"
    elif [ -z "$BIG" ] && [ "$secs" != "?" ] && awk "BEGIN{exit !($secs >= 1.0)}"; then
        verdict="FAULT: slow"
    elif [ -n "$CHECK" ] && ! (cd "$CWD" && eval "$CHECK") >/dev/null 2>&1; then
        verdict="FAULT: check failed ($CHECK)"
    elif [ -n "$CHECK" ]; then
        verdict="ok, $CHECK"
    fi
    [ "$verdict" = ok ] || [[ "$verdict" == "ok, "* ]] || FAULTS=$((FAULTS + 1))
    printf '| %d | %s | `%s` | %s | %s | %s | %s | %s |\n' "$N" "$(short "$name")" "$(short "$*")" "$rc" \
        "$(short "${said%/}")" "$secs" "$((kb / 1024))" "$(short "$verdict")"
    BIG=""
    CHECK=""
}

# Rows that are not a single command (loops, window sessions) report through this.
row()
{
    N=$((N + 1))
    [[ "$7" == ok* ]] || FAULTS=$((FAULTS + 1))
    printf '| %d | %s | `%s` | %s | %s | %s | %s | %s |\n' "$N" "$(short "$1")" "$(short "$2")" "$3" "$(short "$4")" \
        "$5" "$6" "$(short "$7")"
}

# ---------------------------------------------------------------------------------------------
# Inputs

P=$S/p
mkdir "$P"
GOOD=$SOURCE/share/examples/two_areas.klv
# Replaces line N of a project (lines end in CR LF) by TEXT.
setline()
{
    awk -v n="$2" -v v="$3" 'NR == n { printf "%s\r\n", v; next } { print }' "$1"
}
# The smallest sound project: one closed triangle, numbers as short as they may be.
{
    printf 'T\r\n25\r\n1\r\n4\r\n'
    for _ in $(seq 2 20); do printf '0\r\n0\r\n'; done
    for _ in $(seq 1 20); do printf '0\r\n10\r\n0\r\n\r\n'; done
    printf '0\r\n0\r\n2\r\n0\r\n0\r\n2\r\n0\r\n0\r\n'
} >"$P/small.klv"
mkfifo "$P/fifo.klv"
ln -s /dev/zero "$P/zero-link.klv"
mkdir "$P/folder.klv"
ln -s "$P/folder.klv" "$P/folder-link.klv"
: >"$P/empty.klv"
truncate -s 10G "$P/sparse-10G.klv"
# Exactly at the 1 MiB limit and one byte over it: a sound project and blank lines after it.
cp "$GOOD" "$P/at-limit.klv"
truncate -s 1048576 "$P/at-limit.klv"
cp "$GOOD" "$P/over-limit.klv"
truncate -s 1048577 "$P/over-limit.klv"
tr '\n' '\0' <"$GOOD" >"$P/nul-for-lf.klv"
setline "$GOOD" 1 $'Two\x01areas' | sed '1s/\x01/\x00/' >"$P/nul-in-title.klv"
tr -d '\n' <"$GOOD" >"$P/cr-only.klv"
tr -d '\r' <"$GOOD" >"$P/lf-only.klv"
awk 'NR % 3 == 0 { printf "%s", $0; next } NR % 3 == 1 { sub(/\r$/, ""); print; next } { print }' "$GOOD" >"$P/mixed.klv"
for v in 1e400 -0 nan inf 0x10 1,5 -1e400 1e-400; do setline "$GOOD" 43 "$v" >"$P/alpha_$v.klv"; done
{ printf '%0900000d\r\n' 0; tail -n +2 "$GOOD"; } >"$P/title-900k.klv"
{ head -n 42 "$GOOD"; printf ' %0200000d\r\n' 0; tail -n +44 "$GOOD"; } >"$P/alpha-200k-digits.klv"
for c in 0 41 42 43 255 -1 99999999999; do setline "$GOOD" 4 "$c" >"$P/count_$c.klv"; done
for l in 0 -5 10001 2147483648; do setline "$GOOD" 2 "$l" >"$P/length_$l.klv"; done
setline "$GOOD" 123 "1e300" | setline /dev/stdin 124 "-1e300" >"$P/vertex-1e300.klv"
setline "$GOOD" 45 "1e308" >"$P/shift-1e308.klv"
awk '{ if (NR >= 43 && NR <= 122 && (NR - 44) % 4 == 0) printf "0\r\n"; else print }' "$GOOD" >"$P/multipliers-0.klv"
setline "$GOOD" 44 "2147483648" >"$P/multiplier-2^31.klv"
cp "$GOOD" "$P/"$'\xff\xfe-latin1-\xe9'.klv

# Outputs: old files that a failed output must leave as they are.
O=$S/o
mkdir "$O"
printf 'old pdf bytes\n' >"$O/old.pdf"
printf 'old png bytes\n' >"$O/old.png"
cp "$O/old.pdf" "$O/old.pdf.ref"
cp "$O/old.png" "$O/old.png.ref"
mkfifo "$O/fifo.pdf"
ln -s /dev/null "$O/null-link.png"
mkdir "$O/folder.pdf"
ln -s "$P/small.klv" "$O/project-link.pdf"
ln "$P/small.klv" "$O/project-hardlink.png"
cp "$P/small.klv" "$O/small.ref"
# An unwritable folder and a full disk: tmpfs as root, permissions otherwise.
RO=$S/ro
FULL=$S/full
mkdir "$RO" "$FULL"
if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=64k tmpfs "$FULL" 2>/dev/null; then
    MOUNTS+=("$FULL")
    mount -t tmpfs -o size=1m tmpfs "$RO" && MOUNTS+=("$RO")
    printf 'old pdf bytes\n' >"$RO/old.pdf"
    printf 'old pdf bytes\n' >"$FULL/old.pdf"
    head -c 60000 /dev/zero >"$FULL/filler"
    mount -o remount,ro "$RO"
    how="tmpfs"
else
    printf 'old pdf bytes\n' >"$RO/old.pdf"
    printf 'old pdf bytes\n' >"$FULL/old.pdf"
    chmod 555 "$RO"
    how="chmod 555"
fi
long=$(printf 'n%.0s' $(seq 300))
DELIVERED=$SOURCE/share/kalven1.cfg

echo "## Robustness campaign of $(git -C "$SOURCE" rev-parse --short HEAD 2>/dev/null), $(date -u '+%Y-%m-%d %H:%M UTC')"
echo
echo "Build: $BUILD. Time in seconds, peak memory in MB (the whole process, ASan included in a test build)."
echo
echo '| # | case | command | exit | message | s | MB | verdict |'
echo '|---|---|---|---|---|---|---|---|'

# --- kalven-report: the project file -----------------------------------------------------------
if want project; then
run "project: a FIFO with no writer" 2 "$REPORT" "$P/fifo.klv"
run "project: /dev/zero" 2 "$REPORT" /dev/zero
run "project: /dev/null" 2 "$REPORT" /dev/null
run "project: /dev/full" 2 "$REPORT" /dev/full
run "project: link to /dev/zero" 2 "$REPORT" "$P/zero-link.klv"
run "project: a folder named x.klv" 2 "$REPORT" "$P/folder.klv"
run "project: link to a folder" 2 "$REPORT" "$P/folder-link.klv"
run "project: missing" 2 "$REPORT" "$P/missing.klv"
run "project: empty file" 2 "$REPORT" "$P/empty.klv"
BIG=1 run "project: sparse 10 GB" 2 "$REPORT" "$P/sparse-10G.klv"
run "project: exactly 1 MiB (sound project + NULs)" "0|2" "$REPORT" "$P/at-limit.klv"
run "project: 1 MiB + 1 byte" 2 "$REPORT" "$P/over-limit.klv"
run "project: NUL for every LF" "0|1|2" "$REPORT" "$P/nul-for-lf.klv"
run "project: NUL inside the title" "0" "$REPORT" "$P/nul-in-title.klv"
run "project: CR-only line ends" "0|1|2" "$REPORT" "$P/cr-only.klv"
run "project: LF-only line ends" 0 "$REPORT" "$P/lf-only.klv"
run "project: mixed CR LF / LF / none" "0|1|2" "$REPORT" "$P/mixed.klv"
for v in 1e400 -1e400 nan inf; do run "project: angle $v" 2 "$REPORT" "$P/alpha_$v.klv"; done
for v in -0 1e-400 0x10 1,5; do run "project: angle $v" "0|2" "$REPORT" "$P/alpha_$v.klv"; done
run "project: title of 900 000 characters" "0|1|2" "$REPORT" "$P/title-900k.klv"
run "project: angle of 200 000 digits" "0|2" "$REPORT" "$P/alpha-200k-digits.klv"
for c in 0 41 42 43 255 -1 99999999999; do run "project: area 1 with $c vertices" "0|1|2" "$REPORT" "$P/count_$c.klv"; done
for l in 0 -5 10001 2147483648; do run "project: area length $l" "0|1|2" "$REPORT" "$P/length_$l.klv"; done
run "project: vertex at 1e300/-1e300" 1 "$REPORT" "$P/vertex-1e300.klv"
run "project: shift X 1e308" 1 "$REPORT" "$P/shift-1e308.klv"
run "project: every multiplier 0" "0|1" "$REPORT" "$P/multipliers-0.klv"
run "project: multiplier 2^31" 2 "$REPORT" "$P/multiplier-2^31.klv"
run "project: file name not UTF-8" 0 "$REPORT" "$P/"$'\xff\xfe-latin1-\xe9'.klv
run "project: name component of 300 bytes" 2 "$REPORT" "$P/$long.klv"
deep=$P$(printf '/%0200d' $(seq 1 25))
run "project: path over PATH_MAX (5000 bytes)" 2 "$REPORT" "$deep/x.klv"

# Every prefix of the smallest project: each is read or refused, none crashes or hangs.
size=$(stat -c %s "$P/small.klv")
statuses=""
worst=0
bad=""
for ((n = 0; n < size; n++)); do
    head -c "$n" "$P/small.klv" >"$P/prefix.klv"
    start=$(date +%s%N)
    timeout -k 2 "$LIMIT" "$REPORT" "$P/prefix.klv" >/dev/null 2>"$P/prefix.err"
    rc=$?
    took=$((($(date +%s%N) - start) / 1000000))
    [ "$took" -gt "$worst" ] && worst=$took
    statuses+="$rc"$'\n'
    if [ "$rc" -ge 3 ] || grep -aq 'Sanitizer\|runtime error:' "$P/prefix.err"; then
        bad+="$n:$rc "
    fi
done
summary=$(printf '%s' "$statuses" | sort -n | uniq -c | awk '{ printf "%s%sx exit %s", sep, $1, $2; sep = ", " }')
row "project: every prefix 0..$((size - 1)) bytes of a $size-byte project" 'kalven-report prefix.klv (loop)' \
    "see message" "$summary" "max $(awk "BEGIN{printf \"%.2f\", $worst / 1000}")" "-" \
    "$([ -z "$bad" ] && echo ok || echo "FAULT: $bad")"
fi

# --- kalven-report: the outputs -----------------------------------------------------------------
if want outputs; then
run "--pdf /dev/full" 73 "$REPORT" --pdf /dev/full "$P/small.klv"
run "--png /dev/null" 73 "$REPORT" --png /dev/null "$P/small.klv"
run "--pdf /dev/zero" 73 "$REPORT" --pdf /dev/zero "$P/small.klv"
CHECK="[ -p $O/fifo.pdf ]" run "--pdf a FIFO" 73 "$REPORT" --pdf "$O/fifo.pdf" "$P/small.klv"
CHECK="[ -L $O/null-link.png ]" run "--png link to /dev/null" 73 "$REPORT" --png "$O/null-link.png" "$P/small.klv"
CHECK="[ -d $O/folder.pdf ]" run "--pdf a folder" 73 "$REPORT" --pdf "$O/folder.pdf" "$P/small.klv"
run "--pdf empty name" 64 "$REPORT" --pdf "" "$P/small.klv"
CHECK="cmp $P/small.klv $O/small.ref" run "--pdf = project via symlink" 64 "$REPORT" --pdf "$O/project-link.pdf" "$P/small.klv"
CHECK="cmp $P/small.klv $O/small.ref" run "--png = project via hard link" 64 "$REPORT" --png "$O/project-hardlink.png" "$P/small.klv"
run "--pdf and --png the same file" 64 "$REPORT" --pdf "$O/same" --png "$O/same" "$P/small.klv"
run "--pdf in a missing folder" 73 "$REPORT" --pdf "$O/missing/x.pdf" "$P/small.klv"
run "--pdf below a regular file" 73 "$REPORT" --pdf "$P/small.klv/x.pdf" "$P/small.klv"
run "--png name component of 300 bytes" 73 "$REPORT" --png "$O/$long.png" "$P/small.klv"
run "--png path over PATH_MAX" 73 "$REPORT" --png "$O$(printf '/%0200d' $(seq 1 25))/x.png" "$P/small.klv"
CHECK="[ -s $O/"$'\xff\xfe-name-\xe9'.png" ]" run "--png name not UTF-8" 0 "$REPORT" --png "$O/"$'\xff\xfe-name-\xe9'.png "$P/small.klv"
# A write that fails half-way: the file size limit (SIGXFSZ ignored, so write() says EFBIG).
CHECK="cmp $O/old.png $O/old.png.ref" run "--png over an old file, writing fails (ulimit -f 1)" 73 \
    bash -c 'trap "" XFSZ; ulimit -f 1; exec "$@"' _ "$REPORT" --png "$O/old.png" --size 2000x2000 "$P/small.klv"
CHECK="cmp $O/old.pdf $O/old.pdf.ref" run "--pdf over an old file, writing fails (ulimit -f 1)" 73 \
    bash -c 'trap "" XFSZ; ulimit -f 1; exec "$@"' _ "$REPORT" --pdf "$O/old.pdf" "$P/small.klv"
CHECK="cmp $RO/old.pdf $O/old.pdf.ref" run "--pdf over a file in a read-only folder ($how)" 73 "$REPORT" --pdf "$RO/old.pdf" "$P/small.klv"
if [ "$how" = tmpfs ]; then
    CHECK="cmp $FULL/old.pdf $O/old.pdf.ref" run "--pdf over a file on a full disk (64k tmpfs)" 73 "$REPORT" --pdf "$FULL/old.pdf" "$P/small.klv"
    CHECK="cmp $O/old.pdf $O/old.pdf.ref" run "--pdf with TMPDIR on a full disk" 73 env TMPDIR="$FULL" "$REPORT" --pdf "$O/old.pdf" "$P/small.klv"
    CHECK="cmp $O/old.pdf $O/old.pdf.ref" run "--pdf with TMPDIR read-only" 73 env TMPDIR="$RO" "$REPORT" --pdf "$O/old.pdf" "$P/small.klv"
fi
BIG=1 run "--png --size 16384x16384 (largest image)" 0 "$REPORT" --png "$O/huge.png" --size 16384x16384 "$P/small.klv"
rm -f "$O/huge.png"
run "--size 0x5" 64 "$REPORT" --png "$O/x.png" --size 0x5 "$P/small.klv"
run "--margin 31" 64 "$REPORT" --margin 31 "$P/small.klv"
run "--margin 99999999999" 64 "$REPORT" --margin 99999999999 "$P/small.klv"
fi

# --- the window: Open and Save (kalven-probe drives the main window with scripted answers) ----
if want window; then
run "Open: a FIFO" 1 "$PROBE" open "$P/fifo.klv"
run "Open: /dev/zero" 1 "$PROBE" open /dev/zero
run "Open: sparse 10 GB" 1 "$PROBE" open "$P/sparse-10G.klv"
run "Open: a file ending early (prefix of 700 bytes)" "0|1" bash -c 'head -c 700 "$1" >"$2" && exec "$3" open "$2"' _ "$GOOD" "$P/cut.klv" "$PROBE"
run "Open: malformed number (angle 1,5)" 1 "$PROBE" open "$P/alpha_1,5.klv"
run "Open: 99999999999 vertices" 1 "$PROBE" open "$P/count_99999999999.klv"
printf 'old project\r\n' >"$O/old.klv"
cp "$O/old.klv" "$O/old.klv.ref"
mkdir "$O/folder.klv"
mkfifo "$O/fifo.klv"
ln -s /dev/null "$O/null-link.klv"
ln -s "$O/folder.klv" "$O/folder-link.klv"
run "Save: onto /dev/full" 1 "$PROBE" save /dev/full
run "Save: onto /dev/null" 1 "$PROBE" save /dev/null
CHECK="[ -p $O/fifo.klv ]" run "Save: onto a FIFO" 1 "$PROBE" save "$O/fifo.klv"
CHECK="[ -d $O/folder.klv ]" run "Save: onto a folder x.klv" 1 "$PROBE" save "$O/folder.klv"
CHECK="[ -L $O/null-link.klv ]" run "Save: onto a link to /dev/null" 1 "$PROBE" save "$O/null-link.klv"
CHECK="[ -d $O/folder-link.klv ]" run "Save: onto a link to a folder" 1 "$PROBE" save "$O/folder-link.klv"
run "Save: in a missing folder" 1 "$PROBE" save "$O/missing/x.klv"
CHECK="cmp $O/old.klv $O/old.klv.ref" run "Save: over an old file, writing fails (ulimit -f 0)" 1 \
    bash -o pipefail -c 'trap "" XFSZ; (ulimit -f 0; exec "$@") | cat' _ "$PROBE" save "$O/old.klv"
CHECK="cmp $RO/old.pdf $O/old.pdf.ref" run "Save: over a file in a read-only folder ($how)" 1 "$PROBE" save "$RO/old.pdf"
fi

# Makes the folder afresh and runs the commands inside it.
fresh_folder() # folder commands
{
    rm -rf "$1"
    mkdir "$1"
    (cd "$1" && eval "$2")
}

# --- kalven1.cfg, read at the start from the working folder ------------------------------------
if want cfg; then
C=$S/cfg
cfgcase() # name expected-exit commands-that-make-the-file
{
    fresh_folder "$C" "$3"
    CWD=$C run "kalven1.cfg: $1" "$2" "$PROBE" cfg
    CWD=$WORKDIR
}
cfgcase "missing" 1 ":"
cfgcase "a FIFO" 1 "mkfifo kalven1.cfg"
cfgcase "link to /dev/zero" 1 "ln -s /dev/zero kalven1.cfg"
cfgcase "a folder" 1 "mkdir kalven1.cfg"
cfgcase "empty (missing values read as 0, folder empty)" 0 ": >kalven1.cfg"
cfgcase "sparse 4 GB" 1 "truncate -s 4G kalven1.cfg"
cfgcase "folder line of 1 MB" 1 "{ head -c 1000000 /dev/zero | tr '\\0' a; printf '\\r\\n'; tail -n +2 $DELIVERED; } >kalven1.cfg"
cfgcase "exactly 64 KiB (folder line pads it)" "0|1" "{ head -c \$((65536 - \$(tail -n +2 $DELIVERED | wc -c) - 2)) /dev/zero | tr '\\0' a; printf '\\r\\n'; tail -n +2 $DELIVERED; } >kalven1.cfg"
cfgcase "64 KiB + 1" 1 "{ head -c \$((65537 - \$(tail -n +2 $DELIVERED | wc -c) - 2)) /dev/zero | tr '\\0' a; printf '\\r\\n'; tail -n +2 $DELIVERED; } >kalven1.cfg"
cfgcase "CR-only line ends" "0|1" "tr -d '\\n' <$DELIVERED >kalven1.cfg"
cfgcase "LF-only line ends" 0 "tr -d '\\r' <$DELIVERED >kalven1.cfg"
cfgcase "a negative colour" "0|1" "awk 'NR == 2 { printf \"-1\\r\\n\"; next } { print }' $DELIVERED >kalven1.cfg"
cfgcase "colour 2^32" "0|1" "awk 'NR == 2 { printf \"4294967296\\r\\n\"; next } { print }' $DELIVERED >kalven1.cfg"
cfgcase "NUL bytes for line ends" "0|1" "tr '\\n' '\\0' <$DELIVERED >kalven1.cfg"
cfgcase "binary (4 KB random)" "0|1" "head -c 4096 /dev/urandom >kalven1.cfg"
# The Directory command writes kalven1.cfg: a read-only working folder, a folder text with a line break.
rm -rf "$C" && mkdir "$C" && cp "$DELIVERED" "$C/"
cp "$DELIVERED" "$C/kalven1.cfg.ref"
if [ "$how" = tmpfs ]; then
    mount -t tmpfs -o size=1m tmpfs "$C" && MOUNTS+=("$C") && cp "$DELIVERED" "$C/" && mount -o remount,ro "$C"
else
    chmod 555 "$C"
fi
CWD=$C CHECK="cmp $C/kalven1.cfg $DELIVERED" run "Directory: read-only working folder ($how)" 1 "$PROBE" dir /tmp
CWD=$WORKDIR
rm -rf "$S/cfg2" && mkdir "$S/cfg2" && cp "$DELIVERED" "$S/cfg2/"
CWD=$S/cfg2 CHECK="[ \$(wc -l <kalven1.cfg) -eq \$(wc -l <$DELIVERED) ]" run "Directory: folder text with a line break" 0 "$PROBE" dir $'/tmp\nx'
CWD=$WORKDIR
fi

# --- the help text --------------------------------------------------------------------------------
if want help; then
H=$S/help
helpcase() # name expected-exit commands-that-make-the-file
{
    fresh_folder "$H" "$3"
    run "help: $1" "$2" "$PROBE" help "$H"
}
helpcase "missing" 1 ":"
helpcase "a FIFO" 1 "mkfifo force_theory.rtf"
helpcase "link to /dev/zero" 1 "ln -s /dev/zero force_theory.rtf"
helpcase "a folder" 1 "mkdir force_theory.rtf"
helpcase "empty" 0 ": >force_theory.rtf"
BIG=1 helpcase "sparse 20 MB (over 16 MiB)" 1 "truncate -s 20M force_theory.rtf"
BIG=1 helpcase "15 MB of text (below the limit)" 0 "{ printf '{\\\\rtf1 '; yes 'word word word word word word word word word word word word\\par' | head -c 15000000; printf '}'; } >force_theory.rtf"
BIG=1 helpcase "1 000 000 nested groups" 0 "{ printf '{\\\\rtf1 '; head -c 1000000 /dev/zero | tr '\\0' '{'; printf 'x'; head -c 1000000 /dev/zero | tr '\\0' '}'; printf '}'; } >force_theory.rtf"
helpcase "binary (100 KB random)" 0 "head -c 100000 /dev/urandom >force_theory.rtf"
helpcase "RTF header, then 100 KB random" 0 "{ printf '{\\\\rtf1 '; head -c 100000 /dev/urandom; } >force_theory.rtf"
BIG=1 helpcase "1 MB of text (below the limit)" 0 "{ printf '{\\\\rtf1 '; yes 'word word word word word word word word word word word word\\par' | head -c 1000000; printf '}'; } >force_theory.rtf"
BIG=1 helpcase "15 MB picture (below the limit)" 0 "{ printf '{\\\\rtf1 x{\\\\pict\\\\pngblip '; yes 0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef | head -c 15000000; printf '}y}'; } >force_theory.rtf"
helpcase "\\bin with a huge count" 0 "printf '{\\\\rtf1 \\\\bin999999999999 abc}' >force_theory.rtf"
helpcase "\\uc with a huge count and \\u-99999999999" 0 "printf '{\\\\rtf1 \\\\uc2147483647 \\\\u-99999999999 x\\\\'\\''ff\\\\'\\''}' >force_theory.rtf"
BIG=1 helpcase "1 000 000 control words" 0 "{ printf '{\\\\rtf1 '; yes '\\b\\i\\fs24' | head -n 1000000 | tr -d '\\n'; printf '}'; } >force_theory.rtf"
fi

# --- Dxf In ------------------------------------------------------------------------------------
if want dxf; then
D=$S/dxf
mkdir "$D"
lw()  # LWPOLYLINE, closed: lw COUNT_IN_90 "x y" ...
{
    local count=$1
    shift
    printf '0\nLWPOLYLINE\n8\nW\n90\n%s\n70\n1\n' "$count"
    for p in "$@"; do printf '10\n%s\n20\n%s\n' ${p% *} ${p#* }; done
}
dxf() { printf '0\nSECTION\n2\nENTITIES\n'; cat; printf '0\nENDSEC\n0\nEOF\n'; }
lw 4 "0 0" "2 0" "2 1" "0 1" | dxf >"$D/square.dxf"
lw 4 "0 0" "2 0" "nan 1" "0 1" | dxf >"$D/nan.dxf"
lw 4 "0 0" "inf 0" "2 1" "0 1" | dxf >"$D/inf.dxf"
lw 4 "0 0" "2 0" "2 1e400" "0 1" | dxf >"$D/1e400.dxf"
lw 4 "0 0" "1e300 0" "1e300 1e300" "0 1" | dxf >"$D/1e300.dxf"
lw 5 "0 0" "2 0" "2 1" | dxf >"$D/count-5-for-3.dxf"
lw 2 "0 0" "2 0" "2 1" "0 1" | dxf >"$D/count-2-for-4.dxf"
lw 99999999999 "0 0" "2 0" "2 1" | dxf >"$D/count-huge.dxf"
lw -1 "0 0" "2 0" "2 1" | dxf >"$D/count-negative.dxf"
{ printf '0\nLWPOLYLINE\n8\nW\n90\n1000000\n70\n1\n'; awk 'BEGIN { for (i = 0; i < 1000000; i++) printf "10\n%d\n20\n%d\n", i % 1000, i / 1000 }'; } | dxf >"$D/million-vertices.dxf"
awk 'BEGIN { for (i = 0; i < 5000; i++) { printf "0\nLWPOLYLINE\n8\nL%d\n90\n3\n70\n1\n10\n0\n20\n0\n10\n1\n20\n0\n10\n1\n20\n1\n", i % 50 } }' | dxf >"$D/5000-outlines-50-layers.dxf"
head -c "$(($(stat -c %s "$SOURCE/tests/data/retaining_wall_mm_2000.dxf") / 2))" "$SOURCE/tests/data/retaining_wall_mm_2000.dxf" >"$D/truncated.dxf"
{ printf 'AutoCAD Binary DXF\r\n\x1a\x00'; head -c 2000 /dev/urandom; } >"$D/binary.dxf"
head -c 20000 /dev/urandom >"$D/random.dxf"
: >"$D/empty.dxf"
mkfifo "$D/fifo.dxf"
ln -s /dev/zero "$D/zero-link.dxf"
mkdir "$D/folder.dxf"
truncate -s 100M "$D/sparse-100M.dxf"
truncate -s 64M "$D/sparse-64M.dxf"
tr '\n' '\r' <"$D/square.dxf" >"$D/cr-only.dxf"
sed 's/$/\r/' "$D/square.dxf" >"$D/crlf.dxf"
run "dxf: sound square (reference)" 0 "$PROBE" dxf "$D/square.dxf"
run "dxf: a FIFO" 1 "$PROBE" dxf "$D/fifo.dxf"
run "dxf: link to /dev/zero" 1 "$PROBE" dxf "$D/zero-link.dxf"
run "dxf: a folder" 1 "$PROBE" dxf "$D/folder.dxf"
run "dxf: empty" 1 "$PROBE" dxf "$D/empty.dxf"
run "dxf: binary DXF" 1 "$PROBE" dxf "$D/binary.dxf"
run "dxf: 20 KB random bytes" 1 "$PROBE" dxf "$D/random.dxf"
run "dxf: cut in the middle" 1 "$PROBE" dxf "$D/truncated.dxf"
run "dxf: x = nan" 1 "$PROBE" dxf "$D/nan.dxf"
run "dxf: x = inf" 1 "$PROBE" dxf "$D/inf.dxf"
run "dxf: y = 1e400" 1 "$PROBE" dxf "$D/1e400.dxf"
run "dxf: corners at 1e300" "0|1" "$PROBE" dxf "$D/1e300.dxf"
run "dxf: count 5, 3 vertices" "0|1" "$PROBE" dxf "$D/count-5-for-3.dxf"
run "dxf: count 2, 4 vertices" "0|1" "$PROBE" dxf "$D/count-2-for-4.dxf"
run "dxf: count 99999999999" "0|1" "$PROBE" dxf "$D/count-huge.dxf"
run "dxf: count -1" "0|1" "$PROBE" dxf "$D/count-negative.dxf"
run "dxf: CR-only line ends" "0|1" "$PROBE" dxf "$D/cr-only.dxf"
run "dxf: CR LF line ends" 0 "$PROBE" dxf "$D/crlf.dxf"
BIG=1 run "dxf: 10^6 vertices in one outline ($(($(stat -c %s "$D/million-vertices.dxf") / 1000000)) MB)" "0|1" "$PROBE" dxf "$D/million-vertices.dxf"
run "dxf: 5000 outlines on 50 layers" "0|1" "$PROBE" dxf "$D/5000-outlines-50-layers.dxf"
BIG=1 run "dxf: sparse 100 MB (over 64 MB)" 1 "$PROBE" dxf "$D/sparse-100M.dxf"
BIG=1 run "dxf: 64 MiB of NULs" 1 "$PROBE" dxf "$D/sparse-64M.dxf"
fi

# --- the real program on a virtual display: what shows first, and how soon --------------------
if want xvfb; then
if [ -x "$KALVEN" ] && command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
    # A display of its own, beside those of the e2e sessions (90 to 140); -noreset keeps the
    # server up while no program is connected.
    display=""
    for n in $(seq 150 199); do
        : >"$S/display"
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset -displayfd 5 5>"$S/display" >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 100); do
            if [ -s "$S/display" ] && kill -0 "$XVFB_PID" 2>/dev/null &&
                DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
                display=":$n"
                break 2
            fi
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=""
    done
    [ -n "$display" ] || echo "no X display could be started" >&2
    window_case()
    {
        local name=$1 expect=$2 make=$3
        local W=$S/win
        rm -rf "$W"
        mkdir "$W"
        (cd "$W" && eval "$make")
        local start pid shown="" took
        start=$(date +%s%N)
        (cd "$W" && exec env -u QT_QPA_PLATFORM DISPLAY=$display "$KALVEN" >/dev/null 2>"$S/win.err") &
        pid=$!
        for _ in $(seq 300); do
            if DISPLAY=$display xdotool search --onlyvisible --name '^KALVEN$' >/dev/null 2>&1; then
                shown="a message box"
                break
            elif DISPLAY=$display xdotool search --onlyvisible --name '^ KALVEN  V' >/dev/null 2>&1; then
                shown="the main window"
                break
            fi
            kill -0 "$pid" 2>/dev/null || { shown="nothing (ended)"; break; }
            sleep 0.1
        done
        took=$((($(date +%s%N) - start) / 1000000))
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        local verdict=ok
        [ "$shown" = "$expect" ] || verdict="FAULT: showed ${shown:-nothing in 30 s}: $(grep -av '^QStandardPaths' "$S/win.err" | head -c 600 | tr '\n' ' ')"
        row "window: kalven1.cfg $name" "kalven (Xvfb)" "-" "first shows $shown" \
            "$(awk "BEGIN{printf \"%.2f\", $took / 1000}")" "-" "$verdict"
    }
    window_case "delivered (reference)" "the main window" "cp $DELIVERED ."
    window_case "a FIFO" "a message box" "mkfifo kalven1.cfg"
    window_case "link to /dev/zero" "a message box" "ln -s /dev/zero kalven1.cfg"
    window_case "sparse 4 GB" "a message box" "truncate -s 4G kalven1.cfg"
    window_case "folder line of 1 MB" "a message box" "{ head -c 1000000 /dev/zero | tr '\\0' a; printf '\\r\\n'; tail -n +2 $DELIVERED; } >kalven1.cfg"
fi
fi

echo
echo "$N cases, $FAULTS faults. The window rows time the first window from the start of the program."
[ "$FAULTS" -eq 0 ]
