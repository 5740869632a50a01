#!/usr/bin/env bash
# Installs Kartello as an operator does and uses it as a normal user: builds the Debian package
# (scripts/package.sh, which also runs lintian and the desktop and AppStream validators),
# installs it with apt-get, creates a user without root and, as that user, makes cards of a
# small log, starts the window under Xvfb, changes a card option, closes the window and starts
# it again to find the option back. Then removes the package and looks for anything of it left
# under /usr. Needs root: run it in a CI container or a throwaway machine, never where
# kartello is installed for real.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "package-test.sh: needs root (it installs a package and adds a user)" >&2; exit 2; }
if dpkg-query -W -f='${Status}' kartello 2>/dev/null | grep -q "ok installed"; then
  echo "package-test.sh: kartello is installed here already; not touching it" >&2
  exit 2
fi

failures=0
check() {   # check "what" command...: runs the command, counts and reports a failure
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what" >&2; failures=$((failures + 1)); fi
}

scripts/package.sh
deb=$(ls "$PWD"/build-package/kartello_*.deb)

echo "== installing $deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" >/dev/null
dpkg-query -L kartello | sort > /tmp/kartello-files.$$

user=kartello-op$$
useradd --create-home --shell /bin/bash "$user"
home=$(getent passwd "$user" | cut -d: -f6)
cleanup() {
  userdel --remove "$user" 2>/dev/null || true
  rm -f /tmp/kartello-files.$$
}
trap cleanup EXIT

# What the user runs, in a login shell of its own: no root, no XDG variables set.
cat > "$home/round-trip.sh" <<'USER'
set -u
cd "$HOME"
printf '%s\n' 'Small log <adif_ver:5>3.1.4 <eoh>' \
  '<call:5>K1ABC <qso_date:8>20260301 <time_on:4>1200 <freq:6>14.074 <mode:3>FT8 <rst_rcvd:3>-10 <eor>' \
  '<call:6>DL1XYZ <qso_date:8>20260302 <time_on:4>0815 <freq:5>7.074 <mode:3>FT8 <rst_rcvd:3>-05 <eor>' > small.adi
kartello paths > paths.txt
kartello cards small.adi --out cards > cards.out 2> cards.err; echo $? > cards.status

# Starts the window with the arguments and waits for it: its process in pid, its window in win.
start_window() {
  kartello "$@" >> window.log 2>&1 &
  pid=$!
  win=""
  for _ in $(seq 100); do
    # Visible only: the search ignores case, and Qt's hidden helper windows are named "kartello".
    win=$(xdotool search --onlyvisible --name '^Kartello$' 2>/dev/null | head -1)
    [ -n "$win" ] && break
    sleep 0.2
  done
  [ -n "$win" ] || { echo "no window" >> window.log; kill "$pid"; return 1; }
  sleep 1
}

# Ticks "Pse QSL" (a card option) and closes the window with its own Close button, which
# stores the window's state.
tick_and_close() {
  xdotool mousemove --window "$win" 30 302 click 1
  sleep 0.5
  # Close, again while the window is still there (a busy machine may be slow to take it).
  for _ in $(seq 10); do
    xdotool mousemove --window "$win" 662 449 click 1 2>/dev/null
    for _ in $(seq 10); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
    kill -0 "$pid" 2>/dev/null || break
  done
  if kill -0 "$pid" 2>/dev/null; then echo "window still open" >> window.log; kill "$pid"; return 1; fi
  wait "$pid"
}

# Twice: the first run ticks the option on; the second run comes back with it on only when the
# state was kept, so its tick turns it off.
start_window && tick_and_close && cp .config/kartello/Kartello.ini state-after-first.ini
start_window && tick_and_close && cp .config/kartello/Kartello.ini state-after-second.ini

# As the desktop entry starts it for a log opened in the file manager: the ADIF panel opens,
# which narrows the window.
if start_window "$HOME/small.adi"; then
  for _ in $(seq 50); do
    xdotool getwindowgeometry "$win" | grep -q 'Geometry: 517x' && break
    sleep 0.2
  done
  xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: //p' > window-with-log.txt
  kill "$pid"
  wait "$pid"
fi
true
USER
chown "$user": "$home/round-trip.sh"
echo "== as $user"
# -noreset: the server stays up between two windows instead of resetting as the last one
# closes, when a window that starts in that moment would find no display.
runuser -l "$user" -c 'xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash ~/round-trip.sh'

check "kartello paths says installed" grep -q '^mode: *installed$' "$home/paths.txt"
check "data folder in ~/.local/share/kartello" grep -qx "data folder: *$home/.local/share/kartello/system/" "$home/paths.txt"
check "state file in ~/.config/kartello" grep -qx "state file: *$home/.config/kartello/Kartello.ini" "$home/paths.txt"
check "kartello cards exits 0" grep -qx 0 "$home/cards.status"
check "two cards written" test "$(ls "$home"/cards/*.jpg 2>/dev/null | wc -l)" -eq 2
check "data folder filled from the template" cmp /usr/share/kartello/template/dfile.qec "$home/.local/share/kartello/system/dfile.qec"
check "the option is stored after the first run" grep -q 'CBPseQSL.Checked=TRUE' "$home/state-after-first.ini"
check "the option is back in the second run" grep -q 'CBPseQSL.Checked=FALSE' "$home/state-after-second.ini"
check "a log on the command line opens the ADIF panel" grep -q '^517x' "$home/window-with-log.txt"
check "the desktop entry opens ADIF logs" grep -q '^application/x-adif=org.kartello.Kartello.desktop' /usr/share/applications/mimeinfo.cache
check "the ADIF log type is known" test -f /usr/share/mime/application/x-adif.xml
check "nothing of the user's beside the program" test ! -e /usr/bin/system -a ! -e /usr/bin/Kartello.ini
check "no file of the user's owned by root" test -z "$(find "$home" ! -user "$user")"
for log in cards.err window.log; do
  [ -s "$home/$log" ] && { echo "--- $log"; cat "$home/$log"; }
done

echo "== removing the package"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -q --purge kartello >/dev/null
left=()
while read -r f; do
  [ -e "$f" ] && [ ! -d "$f" ] && left+=("$f")
done < /tmp/kartello-files.$$
check "no file of the package left under /usr" test ${#left[@]} -eq 0
[ ${#left[@]} -eq 0 ] || printf '  left: %s\n' "${left[@]}"
stray=$(find /usr \( -iname '*kartello*' -o -name 'x-adif.xml' \) 2>/dev/null)
check "nothing named after kartello under /usr" test -z "$stray"
[ -z "$stray" ] || echo "$stray"

echo "== $failures failed"
[ "$failures" -eq 0 ]
