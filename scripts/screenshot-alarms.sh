#!/usr/bin/env bash
# Pictures of a to-do alarm reaching the user on a desktop with a panel and a notification
# service: the notification, the panel icon's tooltip and its menu.
#   bash scripts/screenshot-alarms.sh [folder] [display]
# Needs xvfb imagemagick dunst trayer dbus-x11 xdotool (apt-get install them). The to-do program
# runs on a copy of build/bin with one entry due in the next minute, so this takes about a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshots}")
export DISPLAY=${2:-:96}
bin=${KEZ_BIN:-build/bin}
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
cp -r "$bin"/. "$work"/
python3 - "$work/todo.dat" <<'EOF'
import datetime, struct, sys
due = datetime.datetime.now() + datetime.timedelta(minutes=1)
def record(text, priority, date, time):
    r = bytearray(1036)
    def put(at, s):
        r[at:at + len(s)] = s.encode("cp1252")
    put(0, time); r[256:260] = struct.pack("<i", 6); r[260:264] = struct.pack("<i", priority)
    put(268, date); put(523, "01-12-2026"); put(778, text)
    return bytes(r)
entries = [record("Ring Bob about the roof survey", 2, due.strftime("%d-%m-%Y"), due.strftime("%H:%M")),
           record("Order 12 panels for the Smith job", 3, due.strftime("%d-%m-%Y"), "23:50"),
           record("Invoice Jones", 4, "--Day", "07:30")]
header = bytearray(1036); header[264:268] = struct.pack("<i", len(entries))
open(sys.argv[1], "wb").write(bytes(header) + b"".join(entries))
EOF
Xvfb "$DISPLAY" -screen 0 1280x800x24 >/dev/null 2>&1 & pids+=($!)
sleep 1
eval "$(dbus-launch --sh-syntax)"; pids+=("$DBUS_SESSION_BUS_PID")
dunst >/dev/null 2>&1 & pids+=($!)
trayer --edge top --align right --widthtype pixel --width 120 --height 28 --tint 0x404040 \
    --transparent true --alpha 0 >/dev/null 2>&1 & pids+=($!)
sleep 1
(cd "$work" && exec ./todo >/dev/null 2>&1) & pids+=($!)
sleep 3
xdotool mousemove 612 314 click 1  # "Show Neural Net output" off: the message line tells the alarm
sleep $((62 - 10#$(date +%S) + 3))
mkdir -p "$out"
import -window root "$out/todo-notification.png"
xdotool mousemove 1260 14 sleep 0.3 mousemove 1267 14
sleep 2.5
import -window root "$out/todo-tray.png"
xdotool click 3
sleep 1.5
import -window root "$out/todo-tray-menu.png"
echo "saved todo-notification.png, todo-tray.png and todo-tray-menu.png in $out"
