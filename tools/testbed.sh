#!/usr/bin/env bash
# The Wine test bed of a cross build tree.
#
#   testbed.sh can-run-32 BUILD        exit 0 when this machine runs 32-bit
#                                      programs (and so 32-bit Wine)
#   testbed.sh prefix BUILD            create BUILD/wine: the Japanese locale and
#                                      a Wine prefix with Japanese font replacements
#   testbed.sh run BUILD -- CMD...     with the prefix, a virtual display (Xvfb on a
#                                      free display number) and one wineserver for
#                                      the whole run, run CMD; stop everything at
#                                      the end, also when CMD fails or is killed
#
# The prefix lives inside the build tree and is made once (about 20 s).
set -euo pipefail

usage() { echo "usage: $0 prefix BUILD | run BUILD -- CMD..." >&2; exit 2; }
[ $# -ge 2 ] || usage
mode=$1
mkdir -p "$2"
build=$(cd "$2" && pwd)
shift 2

export WINEPREFIX="$build/wine/prefix"
export LOCPATH="$build/wine/locale"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

log() { echo "testbed: $*" >&2; }

make_locale() {
  if [ ! -f "$LOCPATH/ja_JP.UTF-8/LC_CTYPE" ]; then
    mkdir -p "$LOCPATH"
    # localedef exits 1 when it only warns; the files are written all the same.
    localedef -i ja_JP -f UTF-8 "$LOCPATH/ja_JP.UTF-8" 2>/dev/null || true
    [ -f "$LOCPATH/ja_JP.UTF-8/LC_CTYPE" ] || { log "localedef failed"; exit 1; }
  fi
}

# The Wine loader of this build tree: "wine", or the 64-bit loader for a
# 64-bit build (written by the cross build's configure step).
wine_loader=wine
if [ -s "$build/wineloader" ]; then wine_loader=$(head -n 1 "$build/wineloader"); fi
case "$wine_loader" in /*) export WINELOADER="$wine_loader" ;; esac

# Wine runs with the Japanese locale; the shell itself keeps its own.
w() { LC_ALL=ja_JP.UTF-8 "$@"; }
wine() { command "$wine_loader" "$@"; }

# Registry file with the Japanese font replacements and the settings a
# headless test run needs (no crash dialog).
write_setup_reg() {
  local out=$1
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    printf '"MS UI Gothic"="IPAGothic"\r\n'
    printf '"MS Gothic"="IPAGothic"\r\n'
    printf '"MS PGothic"="IPAPGothic"\r\n'
    printf '"ＭＳ ゴシック"="IPAGothic"\r\n'
    printf '"ＭＳ Ｐゴシック"="IPAPGothic"\r\n'
    printf '"MS Mincho"="IPAMincho"\r\n'
    printf '"MS PMincho"="IPAPMincho"\r\n'
    printf '"ＭＳ 明朝"="IPAMincho"\r\n'
    printf '"ＭＳ Ｐ明朝"="IPAPMincho"\r\n'
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n'
    printf '"ShowCrashDialog"=dword:00000000\r\n'
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n'
    printf '"UseTakeFocus"="N"\r\n'
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$out"
}

make_prefix() {
  make_locale
  if [ -f "$WINEPREFIX/.pq-ready" ]; then return 0; fi
  log "creating the Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  DISPLAY= w wine wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  [ -f "$WINEPREFIX/system.reg" ] || { log "wineboot did not create the prefix (loader: $wine_loader)"; exit 1; }
  write_setup_reg "$build/wine/setup.reg"
  DISPLAY= w wine regedit /S "$(w wine winepath -w "$build/wine/setup.reg" 2>/dev/null || echo "Z:$build/wine/setup.reg")" >/dev/null 2>&1
  wineserver -w
  grep -q 'IPAGothic' "$WINEPREFIX/user.reg" || { log "font replacements were not written"; exit 1; }
  touch "$WINEPREFIX/.pq-ready"
}

xvfb_pid=""
started_server=0
cleanup() {
  local rc=$?
  if [ "$started_server" = 1 ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  exit $rc
}

start_xvfb() {
  local n
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
      xvfb_pid=$!
      local i
      for i in $(seq 1 100); do
        if [ -e "/tmp/.X11-unix/X$n" ] && DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
          export DISPLAY=":$n"
          log "virtual display $DISPLAY"
          return 0
        fi
        if ! kill -0 "$xvfb_pid" 2>/dev/null; then break; fi
        sleep 0.1
      done
      kill "$xvfb_pid" 2>/dev/null || true
      xvfb_pid=""
    fi
  done
  log "no free display for Xvfb"
  exit 1
}

case "$mode" in
  can-run-32)
    # Exit 0 when this machine runs 32-bit programs (32-bit Wine needs it).
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
    ;;
  prefix)
    make_prefix
    ;;
  run)
    [ "${1:-}" = "--" ] && shift
    [ $# -ge 1 ] || usage
    make_prefix
    trap cleanup EXIT
    trap 'exit 130' INT TERM
    if [ -z "${PQ_USE_DISPLAY:-}" ]; then start_xvfb; fi
    wineserver -p
    started_server=1
    # Start Wine's own services now, away from our output: a service started
    # by a test would hold the test's output pipe open after it ended.
    w wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    set +e
    "$@"
    rc=$?
    set -e
    exit $rc
    ;;
  *)
    usage
    ;;
esac
