#!/usr/bin/env bash
# The main job: builds the Windows programs and runs Vorlan.exe under Wine
# beside Wine's notepad, printing the notepad's title once a second and
# leaving a screenshot in out/vorlan-demo.png.
#
#   bash scripts/run-demo.sh            headless (a private X display)
#   VORLAN_KEEP_DISPLAY=1 bash scripts/run-demo.sh
#                                       on the current $DISPLAY; runs until
#                                       the notepad window is closed
# VORLAN_DEMO_SECONDS (default 6) sets how long the headless run watches.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VORLAN_BUILD_DIR:-$root/build}/win
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)
cmake -S "$root" -B "$build" "${gen[@]}" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target Vorlan

sandbox_name=run-demo.sh
# shellcheck source=wine-sandbox.sh
source "$root/scripts/wine-sandbox.sh"

folder=$WINEPREFIX/drive_c/Vorlan2
mkdir -p "$folder" "$root/out"
cp "$build/resident/Vorlan.exe" "$root/data/saijitu.ini" "$folder/"

"$wine" notepad >/dev/null 2>&1 &
owned_pids+=($!)
notepad=
for _ in $(seq 100); do
  notepad=$(xdotool search --name 'メモ帳' 2>/dev/null | head -n 1 || true)
  [ -n "$notepad" ] && break
  sleep 0.1
done
[ -n "$notepad" ] || { echo "run-demo.sh: notepad did not appear" >&2; exit 1; }

# Headless, nobody could answer the start-up notice on a holiday: start as
# the settings dialog restarts it, without notice and splash.
args=()
[ "${VORLAN_KEEP_DISPLAY:-0}" = 1 ] || args=(/ReadReg)
"$wine" 'C:\Vorlan2\Vorlan.exe' "${args[@]}" >/dev/null 2>&1 &
owned_pids+=($!)

if [ "${VORLAN_KEEP_DISPLAY:-0}" = 1 ]; then
  echo "run-demo.sh: Vorlan2 runs; close the notepad window to stop"
  while xdotool getwindowname "$notepad" >/dev/null 2>&1; do
    xdotool getwindowname "$notepad" 2>/dev/null || true
    sleep 1
  done
  exit 0
fi

for _ in $(seq "${VORLAN_DEMO_SECONDS:-6}"); do
  sleep 1
  echo "notepad title: $(xdotool getwindowname "$notepad" 2>/dev/null || echo '(gone)')"
done
import -display "$DISPLAY" -window root "$root/out/vorlan-demo.png" 2>/dev/null ||
  xwd -root -silent | convert xwd:- "$root/out/vorlan-demo.png"
echo "run-demo.sh: screenshot in out/vorlan-demo.png"
