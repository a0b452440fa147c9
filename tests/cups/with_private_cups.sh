#!/usr/bin/env bash
# Runs a test program against a print server of its own: a private cupsd on a socket in a scratch
# folder with one cups-pdf queue whose PDF files land in that folder. Nothing of the machine's own
# print set-up is used or changed, except cups-pdf's per-queue configuration file, which carries the
# unique queue name and is removed again. Exits 77 (skipped) where no cupsd can be started.
# Usage: with_private_cups.sh <program> [arguments...]
set -uo pipefail

skip() { echo "SKIPPED: $*" >&2; exit 77; }
fail() { echo "$*" >&2; exit 1; }

cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
[ -x "$cupsd" ] || skip "no cupsd installed"
[ "$(id -u)" -eq 0 ] || skip "cups-pdf writes its files only for a cupsd that runs as root"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
[ -x /usr/lib/cups/backend/cups-pdf ] && [ -r "$ppd" ] || fail "printer-driver-cups-pdf is not installed (scripts/setup.sh)"

dir=$(mktemp -d /tmp/kalven-cups.XXXXXX)
queue="kalven-test-$$"
queue_conf="/etc/cups/cups-pdf-$queue.conf"
cupsd_pid=
finish() {
  [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
  rm -f "$queue_conf"
  rm -rf "$dir"
}
trap finish EXIT
# The filters run as lp and must reach the spool and temporary folders.
chmod 755 "$dir"
mkdir -p "$dir"/{etc/ppd,spool,tmp,cache,state,log,out,cups-pdf-spool}
chmod 1777 "$dir/tmp"

printf '%s\n' "ServerRoot $dir/etc" "RequestRoot $dir/spool" "TempDir $dir/tmp" "CacheDir $dir/cache" \
  "StateDir $dir/state" "AccessLog $dir/log/access_log" "ErrorLog $dir/log/error_log" \
  "PageLog $dir/log/page_log" "SystemGroup root" "Printcap $dir/printcap" >"$dir/etc/cups-files.conf"
printf '%s\n' "Listen $dir/cups.sock" "LogLevel info" "Browsing No" "WebInterface No" "DefaultAuthType None" \
  "<Location />" "Order allow,deny" "Allow all" "</Location>" \
  "<Policy default>" "<Limit All>" "Order deny,allow" "</Limit>" "</Policy>" >"$dir/etc/cupsd.conf"
printf '%s\n' "Out $dir/out" "Spool $dir/cups-pdf-spool" "Log $dir/log" "GSTmp $dir/tmp" \
  "AnonDirName $dir/out" >"$queue_conf"

"$cupsd" -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
cupsd_pid=$!
export CUPS_SERVER="$dir/cups.sock"
for _ in $(seq 100); do
  [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1 && break
  kill -0 "$cupsd_pid" 2>/dev/null || break
  sleep 0.1
done
if ! lpstat -r >/dev/null 2>&1; then
  cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null >&2
  skip "the private cupsd did not start"
fi
# The device URI names the queue, so cups-pdf reads the configuration file of that name.
lpadmin -p "$queue" -v "cups-pdf:/$queue" -P "$ppd" -E 2>&1 | grep -v 'deprecated' >&2
lpstat -p "$queue" >/dev/null 2>&1 || { cat "$dir/log/error_log" >&2; fail "could not add the cups-pdf queue $queue"; }

export KALVEN_CUPS_QUEUE="$queue" KALVEN_CUPS_OUT="$dir/out"
"$@"
status=$?
[ $status -ne 0 ] && { echo "--- cupsd error log ---"; tail -n 40 "$dir/log/error_log"; } >&2
exit $status
