# Sourced, not run: sets up a headless Wine sandbox for one run and tears it
# down on exit. Before sourcing, set `build` (a Windows build folder: the
# settled template prefix is cached there) and optionally `sandbox_name`
# (prefix of messages). With VORLAN_KEEP_DISPLAY=1 and a DISPLAY set, the
# programs show on that display instead of a private Xvfb.
#
# Afterwards: $wine, $server, $scratch, WINEPREFIX, DISPLAY, HOME, the
# Japanese locale and a cleanup trap are in place; `elapsed` prints the time
# since sourcing. Extra PIDs to end at cleanup go into the array `owned_pids`.
sandbox_name=${sandbox_name:-wine-sandbox}
owned_pids=()
# --- tools -------------------------------------------------------------------
# The wine64 loader runs 64-bit programs and wineboot by itself; the `wine`
# wrapper only adds a complaint when wine32 is missing.
wine=
for candidate in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
  if [ -n "$candidate" ] && [ -x "$candidate" ]; then wine=$candidate; break; fi
done
server=
for candidate in /usr/lib/wine/wineserver "$(command -v wineserver || true)"; do
  if [ -n "$candidate" ] && [ -x "$candidate" ]; then server=$candidate; break; fi
done
for tool in Xvfb localedef; do
  command -v "$tool" >/dev/null || { echo "$sandbox_name: $tool is missing" >&2; exit 2; }
done
if [ -z "$wine" ] || [ -z "$server" ]; then
  echo "$sandbox_name: wine64 (or wine) and wineserver are needed" >&2
  exit 2
fi
export WINELOADER=$wine WINESERVER=$server

# --- sandbox -----------------------------------------------------------------
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vorlan-e2e.XXXXXX")
xvfb_pid=
driver_pid=
prefixes=()
work=  # a template being made; removed when the run stops before it is done

cleanup() {
  local rc=$?
  trap - EXIT INT TERM
  # Only the servers of our own prefixes, and only our own X server.
  local p
  [ -n "${driver_pid:-}" ] && kill "$driver_pid" 2>/dev/null || true
  for p in "${owned_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${prefixes[@]}"; do
    [ -d "$p" ] && WINEPREFIX=$p "$server" -k >/dev/null 2>&1 || true
  done
  for p in "${prefixes[@]}"; do
    [ -d "$p" ] && WINEPREFIX=$p timeout 20 "$server" -w >/dev/null 2>&1 || true
  done
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$scratch"
  [ -n "$work" ] && rm -rf "$work"
  exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

elapsed() { echo "$(( $(date +%s) - start ))s"; }
start=$(date +%s)

# A display of our own: Xvfb picks a free number and writes it to fd 3 once
# it accepts clients.
if [ "${VORLAN_KEEP_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
  echo "$sandbox_name: showing on $DISPLAY"
else
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 200); do
  [ -s "$scratch/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { echo "$sandbox_name: Xvfb did not start" >&2; exit 2; }
  sleep 0.05
done
[ -s "$scratch/display" ] || { echo "$sandbox_name: Xvfb gave no display" >&2; exit 2; }
export DISPLAY=:$(cat "$scratch/display")
fi

# Japanese locale without touching the system: Wine takes its ANSI code page
# (932) from LC_ALL, and without a compiled glibc locale it cannot map
# Japanese file names to the Unix side.
mkdir -p "$scratch/locale" "$scratch/home"
localedef -i ja_JP -f UTF-8 "$scratch/locale/ja_JP.UTF-8" 2>/dev/null ||
  [ -f "$scratch/locale/ja_JP.UTF-8/LC_CTYPE" ] ||
  { echo "$sandbox_name: localedef ja_JP failed (package locales missing?)" >&2; exit 2; }
# (This shell cannot switch to the new locale itself, hence the silenced
# warning; the programs it starts can.)
export LOCPATH=$scratch/locale TZ=Asia/Tokyo
{ export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8; } 2>/dev/null
unset LANGUAGE
# HOME in the sandbox: the prefix's Desktop, Documents ... are links into it.
export HOME=$scratch/home
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINEARCH

# --- prefix ------------------------------------------------------------------
# A prefix made as the tests need it: created under the Japanese locale (its
# fonts then get the Japanese charset), with Wine's own fonts, no sound
# driver and a virtual desktop (windows raise and close as on Windows).
# Booting one takes 13-15 s; a settled template in the build folder is copied
# instead (about 2 s), so each run still gets a fresh prefix of its own. The
# template is valid for one Wine version, one user and one version of this
# recipe.
recipe=2
stamp="$("$wine" --version 2>/dev/null || echo unknown) recipe $recipe uid $(id -u)"
template=$build/wine-template

make_template() {  # <dir>: leaves <dir>/pfx, <dir>/home-path and <dir>/stamp
  local dir=$1 pfx=$1/pfx home=$1/home
  mkdir -p "$home"
  prefixes+=("$pfx")
  if ! WINEPREFIX=$pfx HOME=$home "$wine" wineboot -i >"$scratch/wineboot.log" 2>&1; then
    cat "$scratch/wineboot.log" >&2
    echo "$sandbox_name: wineboot failed" >&2
    exit 2
  fi
  WINEPREFIX=$pfx "$server" -w
  local fonts=(/usr/share/wine/fonts/*.ttf)
  if [ -e "${fonts[0]}" ]; then cp "${fonts[@]}" "$pfx/drive_c/windows/Fonts/"; fi
  reg_add() { WINEPREFIX=$pfx HOME=$home "$wine" reg add "$@" /f >/dev/null 2>&1; }
  reg_add 'HKCU\Software\Wine\Drivers' /v Audio /d ""
  reg_add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
  reg_add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
  # After -w the server has written the registry files and exited: the
  # prefix can be copied.
  WINEPREFIX=$pfx "$server" -w
  echo "$home" >"$dir/home-path"
  echo "$stamp" >"$dir/stamp"
}

if ! { [ -f "$template/stamp" ] && [ "$(cat "$template/stamp")" = "$stamp" ]; }; then
  # Made beside the build folder's other files and moved into place with one
  # rename, so a run in parallel never copies a half-made template.
  work=$(mktemp -d "$build/wine-template.new.XXXXXX")
  make_template "$work"
  rm -rf "$template"
  if mv -T "$work" "$template" 2>/dev/null; then
    work=
  else
    template=$work  # another run was faster: use ours for this run
  fi
  echo "$sandbox_name: template prefix made ($(elapsed))"
fi

pfx=$scratch/pfx
cp -a "$template/pfx" "$pfx"
prefixes+=("$pfx")
# The prefix's Desktop, Documents, ... are links to the HOME it was made
# with; point them at this run's HOME so nothing of one run reaches another
# or the template.
old_home=$(cat "$template/home-path")
while IFS= read -r -d '' link; do
  target=$(readlink "$link")
  case $target in
    "$old_home" | "$old_home"/*) ln -sfn "$HOME${target#"$old_home"}" "$link" ;;
  esac
done < <(find "$pfx/drive_c/users" -maxdepth 2 -type l -print0)
export WINEPREFIX=$pfx
echo "$sandbox_name: fresh prefix ready ($(elapsed))"
