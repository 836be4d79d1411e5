#!/usr/bin/env bash
# Pictures of the translator on a virtual display, at 240 × 320 and at 480 × 640 / 192 dpi: with
# the pinyin panel raised, with a command-bar menu open, with a message box, and with the file dialog;
# then the viewer. A small window manager
# (evilwm) runs on the display unless NO_WM=1.
#   scripts/screenshots.sh [OUTPUT-FOLDER]      (BUILD_DIR names a built tree; default build-release)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
SUITE_PACKAGES+=(evilwm xdotool)
ensure_packages

BUILD=${BUILD_DIR:-build-release}
OUT=$(realpath -m "${1:-screenshots}")
BIN=$PWD/$BUILD/bin
for p in Orvale screen_helper datagen_card regpanel; do
  [ -x "$BIN/$p" ] || { echo "$BIN/$p is not built (cmake --build $BUILD)" >&2; exit 1; }
done
mkdir -p "$OUT"

WORK=$(mktemp -d)
XVFB_PID=""
WM_PID=""
APP_PID=""
cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# A display of its own: the server picks a free number and tells it.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
XVFB_PID=$!
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
[ -s "$WORK/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$WORK/display")"
if [ "${NO_WM:-0}" != 1 ]; then
  evilwm >/dev/null 2>&1 &
  WM_PID=$!
  sleep 0.5
fi
unset QT_QPA_PLATFORM

# A device of its own: the sample card and the panels registered, as run.sh lays it out.
export SUITE_DEVICE_ROOT=$WORK/device XDG_RUNTIME_DIR=$WORK/runtime
mkdir -p "$SUITE_DEVICE_ROOT/Storage Card" "$SUITE_DEVICE_ROOT/My Documents" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
touch "$SUITE_DEVICE_ROOT/Storage Card/.storage-card"
"$BIN/datagen_card" data/sample "$SUITE_DEVICE_ROOT/Storage Card" >/dev/null
for panel in Quillpin Brusca Lookra JapaneseInk; do
  [ -e "$BIN/$panel.so" ] && "$BIN/regpanel" "$panel" >/dev/null
done
printf '今日は良い天気です。\r\n' >"$SUITE_DEVICE_ROOT/My Documents/memo.txt"

# The same program folder without the viewer (the translator is copied, so that its folder is this one).
NOVIEWER=$WORK/noviewer
mkdir -p "$NOVIEWER"
for f in "$BIN"/*; do
  case "$(basename "$f")" in Sernick | Orvale) ;; *) ln -s "$f" "$NOVIEWER/" ;; esac
done
cp "$BIN/Orvale" "$NOVIEWER/Orvale"

TITLE=WendelmoorLindqvarV2
PINYIN="{3671431C-F947-4197-95BB-23723DC47D6E}"
JAPANESE="{0CBEA010-F68E-11D1-8C63-0060977B4593}"
shoot() {  # size dpi
  local size=$1 dpi=$2 w=${1%x*} h=${1#*x}
  local tag="${size}"
  [ "${NO_WM:-0}" = 1 ] && tag="${size}-nowm"
  export SUITE_SCREEN_SIZE=$size SUITE_SCREEN_DPI=$dpi
  "$BIN/Orvale" >"$WORK/orvale.log" 2>&1 &
  APP_PID=$!
  "$BIN/screen_helper" wait "$TITLE"
  sleep 2
  "$BIN/screen_helper" select "$PINYIN"
  "$BIN/screen_helper" show 1
  sleep 1
  "$BIN/screen_helper" grab "$OUT/translator-pinyin-$tag.png" $((w + 40)) $((h + 40))
  [ -n "${FULL:-}" ] && "$BIN/screen_helper" grab "$OUT/full-$tag.png"
  # A syllable composed with taps on the panel (zh, i, the fourth tone): the composition window
  # above the panel and the candidates on it. The panel stands on the command bar.
  local k=$((dpi / 96)) top=$((h - (dpi == 96 ? 103 : 202)))
  for key in "32 2" "115 2" "198 3"; do
    set -- $key
    xdotool mousemove $(($1 * k)) $((top + ($2 * 16 + 8) * k)) click 1
    sleep 0.3
  done
  sleep 1
  "$BIN/screen_helper" grab "$OUT/translator-composing-$tag.png" $((w + 40)) $((h + 40))
  # The platform's Japanese handwriting input in its place.
  "$BIN/screen_helper" select "$JAPANESE"
  sleep 1
  "$BIN/screen_helper" grab "$OUT/translator-japanese-ink-$tag.png" $((w + 40)) $((h + 40))
  "$BIN/screen_helper" show 0
  sleep 1
  # The command bar's first menu, opened by a click on it.
  xdotool mousemove 20 $((h - 8 * dpi / 96)) click 1
  sleep 1
  "$BIN/screen_helper" grab "$OUT/menu-$tag.png" $((w + 40)) $((h + 40))
  xdotool key Escape
  sleep 0.5
  # The Open command's dialog.
  "$BIN/screen_helper" post "$TITLE" 57601
  sleep 1
  "$BIN/screen_helper" grab "$OUT/file-dialog-$tag.png" $((w + 40)) $((h + 40))
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
  # A message box: the dictionary lookup from a program folder that lacks the viewer.
  "$NOVIEWER/Orvale" >"$WORK/orvale.log" 2>&1 &
  APP_PID=$!
  "$BIN/screen_helper" wait "$TITLE"
  sleep 2
  "$BIN/screen_helper" post "$TITLE" 32788
  sleep 3
  "$BIN/screen_helper" grab "$OUT/message-box-$tag.png" $((w + 40)) $((h + 40))
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
  # The dictionary viewer with its panel raised at the place it gives.
  "$BIN/Sernick" >"$WORK/sernick.log" 2>&1 &
  APP_PID=$!
  "$BIN/screen_helper" wait "日中・中日辞典"
  sleep 2
  "$BIN/screen_helper" grab "$OUT/viewer-$tag.png" $((w + 40)) $((h + 40))
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=""
}
shoot 240x320 96
shoot 480x640 192
echo "Pictures in $OUT:"
ls "$OUT"
