#!/usr/bin/env bash
# What Vorlan.exe costs under Wine, next to a clock that makes only the calls
# any title-bar clock must make (minimal_clock.exe): CPU time and private
# memory of both over the same stretch, with Wine's notepad in front, the
# size of Vorlan.exe, and the delay from a foreground change to the caption.
#
#   bash bench/wine/measure-resident.sh [windows-build-dir] [seconds]
#
# Defaults: build/win and 60 seconds. Builds nothing: build the Windows
# configuration first (it makes Vorlan.exe, minimal_clock.exe and
# clock_probe.exe). Runs in a headless sandbox of its own (see
# scripts/wine-sandbox.sh). Not part of any test run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/win}
seconds=${2:-60}
[ -d "$build" ] || { echo "usage: $0 [windows-build-dir] [seconds]" >&2; exit 2; }
build=$(cd "$build" && pwd)
vorlan_exe=$build/resident/Vorlan.exe
minimal_exe=$build/bench/wine/minimal_clock.exe
probe_exe=$build/bench/wine/clock_probe.exe
for f in "$vorlan_exe" "$minimal_exe" "$probe_exe"; do
  [ -f "$f" ] || { echo "measure-resident.sh: $f is missing; build the Windows configuration" >&2; exit 2; }
done

sandbox_name=measure-resident.sh
# shellcheck source=../../scripts/wine-sandbox.sh
source "$root/scripts/wine-sandbox.sh"

folder=$WINEPREFIX/drive_c/Vorlan2
mkdir -p "$folder"
# The holiday file beside the program, or its start would stop at the
# missing-file message.
cp "$vorlan_exe" "$root/data/saijitu.ini" "$minimal_exe" "$probe_exe" "$folder/"
probe() { "$wine" 'C:\Vorlan2\clock_probe.exe' "$@"; }

# --- helpers on /proc ---------------------------------------------------------
clk_tck=$(getconf CLK_TCK)
# utime + stime in clock ticks (fields 14 and 15; the name in field 2 may
# hold blanks, so count from the closing parenthesis).
cpu_ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }
ms_of_ticks() { echo $(( $1 * 1000 / clk_tck )); }
status_kb() { awk -v k="$2:" '$1 == k {print $2}' "/proc/$1/status"; }
private_kb() {
  awk '$1 == "Private_Clean:" || $1 == "Private_Dirty:" {s += $2} END {print s + 0}' \
    "/proc/$1/smaps_rollup"
}
alive() { kill -0 "$1" 2>/dev/null; }
# The wineserver of this sandbox's prefix: it works in a folder named after
# the prefix's device and inode (where that folder lies differs between builds).
server_dir_name=server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")
server_pid() {
  local p
  for p in /proc/[0-9]*; do
    if [ "$(basename "$(readlink "$p/cwd" 2>/dev/null)")" = "$server_dir_name" ] &&
       [[ "$(basename "$(readlink "$p/exe" 2>/dev/null)")" == wineserver* ]]; then
      basename "$p"
      return
    fi
  done
}
# Time on a CPU in nanoseconds, summed over the process's threads (finer than
# the clock ticks of utime and stime).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%.0f", s}'; }

wait_for_caption() {  # until notepad's title carries a caption of either clock
  local t
  for _ in $(seq 100); do
    t=$(probe title Notepad 2>/dev/null || true)
    case $t in *"《"*) return 0 ;; esac
    sleep 0.1
  done
  echo "measure-resident.sh: no caption in notepad's title ($t)" >&2
  return 1
}

# --- the run ---------------------------------------------------------------------
"$wine" notepad >/dev/null 2>&1 &
owned_pids+=($!)
probe front Notepad || { echo "measure-resident.sh: notepad did not come to the front" >&2; exit 1; }

# Each `wine x.exe &` PID is the program's own process.
"$wine" 'C:\Vorlan2\Vorlan.exe' /ReadReg >/dev/null 2>&1 &
vorlan=$!
owned_pids+=("$vorlan")
"$wine" 'C:\Vorlan2\minimal_clock.exe' >/dev/null 2>&1 &
minimal=$!
owned_pids+=("$minimal")
wait_for_caption
sleep 2  # past start-up: settings, holiday file, icon
server_proc=$(server_pid)

echo "measure-resident.sh: both clocks run beside notepad; measuring for ${seconds}s"
v0=$(cpu_ticks "$vorlan"); m0=$(cpu_ticks "$minimal"); s0=$( [ -n "$server_proc" ] && cpu_ticks "$server_proc" || echo 0)
vn0=$(cpu_ns "$vorlan"); mn0=$(cpu_ns "$minimal")
# In slices of 10 s, so that the spread between slices shows how much of a
# difference is noise (a few hundred microseconds a second are measured).
slices=()
left=$seconds
vp=$vn0; mp=$mn0
while [ "$left" -gt 0 ]; do
  step=$(( left < 10 ? left : 10 ))
  sleep "$step"
  left=$(( left - step ))
  vn=$(cpu_ns "$vorlan"); mn=$(cpu_ns "$minimal")
  slices+=("$(awk -v a=$(( vn - vp )) -v b=$(( mn - mp )) -v s="$step" \
    'BEGIN { printf "%.0f/%.0f", a / s / 1000, b / s / 1000 }')")
  vp=$vn; mp=$mn
done
alive "$vorlan" || { echo "measure-resident.sh: Vorlan.exe ended during the run" >&2; exit 1; }
alive "$minimal" || { echo "measure-resident.sh: minimal_clock.exe ended during the run" >&2; exit 1; }
v1=$(cpu_ticks "$vorlan"); m1=$(cpu_ticks "$minimal"); s1=$( [ -n "$server_proc" ] && cpu_ticks "$server_proc" || echo 0)
vn1=$vp; mn1=$mp
title=$(probe title Notepad || true)

v_ms=$(ms_of_ticks $(( v1 - v0 ))); m_ms=$(ms_of_ticks $(( m1 - m0 ))); s_ms=$(ms_of_ticks $(( s1 - s0 )))
v_rss=$(status_kb "$vorlan" VmRSS); m_rss=$(status_kb "$minimal" VmRSS)
v_priv=$(private_kb "$vorlan"); m_priv=$(private_kb "$minimal")
size=$(stat -c %s "$vorlan_exe")

# --- delays, one clock at a time (both use the same markers) -------------------------
probe close MinimalClock >/dev/null || true
wait "$minimal" 2>/dev/null || true
v_delay=$(probe delay 30 || true)
probe close VorlanForm >/dev/null || true
wait "$vorlan" 2>/dev/null || true
"$wine" 'C:\Vorlan2\minimal_clock.exe' >/dev/null 2>&1 &
minimal=$!
owned_pids+=("$minimal")
m_delay=$(probe delay 30 || true)
probe close MinimalClock >/dev/null || true
wait "$minimal" 2>/dev/null || true
probe close Notepad >/dev/null || true

ratio=$(awk -v v="$v_ms" -v m="$m_ms" 'BEGIN { if (m > 0) printf "%.2f", v / m; else print "n/a" }')
v_run=$(awk -v a="$vn0" -v b="$vn1" 'BEGIN { printf "%.1f", (b - a) / 1e6 }')
m_run=$(awk -v a="$mn0" -v b="$mn1" 'BEGIN { printf "%.1f", (b - a) / 1e6 }')
ratio_run=$(awk -v a="$vn0" -v b="$vn1" -v c="$mn0" -v d="$mn1" \
  'BEGIN { if (d > c) printf "%.2f", (b - a) / (d - c); else print "n/a" }')
cat <<EOF

Vorlan.exe under Wine ($("$wine" --version 2>/dev/null || echo wine)), ${seconds}s with notepad in front
  notepad's title at the end: $title

                          Vorlan.exe   minimal_clock.exe
  CPU, utime+stime        ${v_ms} ms       ${m_ms} ms      ratio ${ratio} (10 ms ticks)
  CPU, time on a CPU      ${v_run} ms     ${m_run} ms    ratio ${ratio_run} (goal <= 1.1)
    per 10 s slice, us/s (Vorlan/minimal): ${slices[*]}
  VmRSS                   ${v_rss} kB     ${m_rss} kB
  private (smaps_rollup)  ${v_priv} kB      ${m_priv} kB
  wineserver CPU, shared by both and notepad: ${s_ms} ms

  Vorlan.exe size        ${size} bytes = $(( size / 1024 )) KiB  (goal <= 300 KB)

  foreground change -> caption in the new window, ms (timer interval 300 ms):
    Vorlan.exe         ${v_delay}
    minimal_clock.exe  ${m_delay}
EOF
