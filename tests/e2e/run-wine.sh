#!/usr/bin/env bash
# Runs the end-to-end driver of a Windows build under Wine, headless, in a
# fresh Wine prefix of its own:
#
#   bash tests/e2e/run-wine.sh <windows-build-dir> [driver arguments...]
#
# The exit code is the driver's (0 = every test passed). Nothing outside a
# temporary folder is touched, except a settled template prefix cached in the
# build folder (<build>/wine-template) that later runs copy instead of booting
# Wine again; delete it to force a new one.
#
# Needs: wine64 (or wine), Xvfb, localedef with the ja_JP source (package
# locales). Works as root and as an ordinary user.
set -euo pipefail

if [ $# -lt 1 ] || [ ! -d "$1" ]; then
  echo "usage: $0 <windows-build-dir> [driver arguments...]" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
shift
driver=$build/tests/e2e/vorlan_e2e.exe
if [ ! -f "$driver" ]; then
  echo "run-wine.sh: $driver is missing; build the Windows configuration first" >&2
  exit 2
fi

sandbox_name=run-wine.sh
# shellcheck source=../../scripts/wine-sandbox.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-sandbox.sh"

# --- run ---------------------------------------------------------------------
# The delivered holiday file, as a path the driver can open (Z: is /).
data_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../data" 2>/dev/null && pwd || true)
[ -n "$data_dir" ] && export VORLAN_E2E_DATA="Z:${data_dir//\//\\}"
# The resident program under test; each test copies it into a folder of its own.
resident=$build/resident/Vorlan.exe
[ -f "$resident" ] && export VORLAN_E2E_RESIDENT="Z:${resident//\//\\}"
# For tests at a chosen time: the driver starts the program through the shell
# with libfaketime preloaded (the driver's own clock stays real), and needs
# the Wine loader for that.
export VORLAN_E2E_WINELOADER=$wine
for lib in /usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 /usr/lib/faketime/libfaketime.so.1; do
  if [ -f "$lib" ]; then export VORLAN_E2E_FAKETIME=$lib; break; fi
done
# A hung test (a box nobody closes) must not hang CI: the driver gets a
# bounded time, and the server is killed afterwards in any case.
# Started in the background and waited for, so that a signal to this script
# is handled at once rather than after the driver ends.
set +e
timeout --kill-after=10 300 "$wine" "$driver" "$@" &
driver_pid=$!
wait "$driver_pid"
rc=$?
driver_pid=
set -e
[ $rc -eq 124 ] && echo "run-wine.sh: the driver timed out" >&2
echo "run-wine.sh: driver exit code $rc ($(elapsed))"
exit $rc
