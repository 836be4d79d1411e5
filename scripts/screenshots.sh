#!/usr/bin/env bash
# Pictures of the programs on a virtual display, at 240 × 320 and at 480 × 640 / 192 dpi. The
# translator: with the pinyin panel raised and composing, with the Japanese handwriting input, a
# command-bar menu, the file dialog and a message box; a character written in the handwriting
# panel kept while the focus goes to the reading pane and back; a word looked up in the viewer and
# the viewer's 閉じる bringing the translator back; the keyboard button's menu of input methods and
# the voice dialog. The viewer: its panel above the command bar, raised again by a tap on its search
# box, its list grown by clicks in the scroll bar's page area, and a postal code typed into its 日中
# box. Last, the refresher run 10 times beside the translator (the panel created anew each time: a
# stroke left in it is gone). A long text translated: both panes show it from its start.
# A small window manager (evilwm) runs on the display unless NO_WM=1; when it cannot start or dies,
# the script stops with its output.
#   scripts/screenshots.sh [OUTPUT-FOLDER]      (BUILD_DIR names a built tree; default build-release)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
# evilwm draws its frames with the X server's core fonts: "fixed" of xfonts-base.
SUITE_PACKAGES+=(evilwm xdotool xfonts-base)
ensure_packages

BUILD=${BUILD_DIR:-build-release}
OUT=$(realpath -m "${1:-screenshots}")
BIN=$PWD/$BUILD/bin
for p in Orvale Sernick imreset screen_helper datagen_card regpanel; do
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

# The window manager must be there for the pictures that say they have one.
wm_alive() {
  [ -z "$WM_PID" ] && return 0
  kill -0 "$WM_PID" 2>/dev/null && return 0
  echo "screenshots: the window manager (evilwm) is not running; its output:" >&2
  cat "$WORK/wm.log" >&2
  exit 1
}
if [ "${NO_WM:-0}" != 1 ]; then
  evilwm -fn fixed >"$WORK/wm.log" 2>&1 &
  WM_PID=$!
  sleep 1
  wm_alive
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
VIEWER=日中・中日辞典
PINYIN="{3671431C-F947-4197-95BB-23723DC47D6E}"
JAPANESE="{0CBEA010-F68E-11D1-8C63-0060977B4593}"
BRUSCA="{9668E639-80A6-4899-B03A-B7151C870657}"

W=0 H=0 K=1 TAG=""
grab() {  # FILE [W H X Y]: the program's screen and a margin, or a part of it
  wm_alive
  if [ $# -eq 5 ]; then
    "$BIN/screen_helper" grab "$1" "$2" "$3" "$4" "$5"
  else
    "$BIN/screen_helper" grab "$1" $((W + 40)) $((H + 40))
  fi
}
tap() { xdotool mousemove "$1" "$2" click 1; sleep "${3:-0.5}"; }
# A stroke in the handwriting panel's first writing box (panel pixels at 96 dpi, from its top).
stroke() {
  local top=$1
  xdotool mousemove $((20 * K)) $((top + 20 * K)) mousedown 1
  for step in 1 2 3 4 5 6; do xdotool mousemove $(((20 + step * 7) * K)) $((top + (20 + step * 6) * K)); sleep 0.05; done
  xdotool mouseup 1
  sleep 0.5
}
start() {  # PROGRAM TITLE
  "$1" >"$WORK/program.log" 2>&1 &
  APP_PID=$!
  "$BIN/screen_helper" wait "$2"
  sleep 2
}
stop() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
  [ -n "$APP_PID" ] && wait "$APP_PID" 2>/dev/null || true
  APP_PID=""
}

shoot() {  # size dpi
  local size=$1 dpi=$2
  W=${size%x*} H=${size#*x} K=$((dpi / 96))
  TAG=$size
  [ "${NO_WM:-0}" = 1 ] && TAG="$size-nowm"
  export SUITE_SCREEN_SIZE=$size SUITE_SCREEN_DPI=$dpi
  # The panel stands on the command bar: its top (80 panel pixels above a bar of 23).
  local bar=$((23 * K)) panelTop=$((H - 103 * K))

  start "$BIN/Orvale" "$TITLE"
  "$BIN/screen_helper" select "$PINYIN"
  "$BIN/screen_helper" show 1
  sleep 1
  grab "$OUT/translator-pinyin-$TAG.png"
  # A syllable composed with taps on the panel (zh, i, the fourth tone): the composition window
  # above the panel and the candidates on it.
  for key in "32 2" "115 2" "198 3"; do
    set -- $key
    tap $(($1 * K)) $((panelTop + ($2 * 16 + 8) * K)) 0.3
  done
  sleep 1
  grab "$OUT/translator-composing-$TAG.png"
  # The platform's Japanese handwriting input in its place.
  "$BIN/screen_helper" select "$JAPANESE"
  sleep 1
  grab "$OUT/translator-japanese-ink-$TAG.png"
  # A character written in the handwriting panel and not yet sent: still there after a tap on
  # the reading pane and one back on the source pane (each selects its input method again).
  "$BIN/screen_helper" select "$BRUSCA"
  sleep 1
  stroke "$panelTop"
  grab "$OUT/translator-ink-written-$TAG.png"
  tap $((120 * K)) $((panelTop - 12 * K))
  tap $((120 * K)) $((40 * K))
  sleep 1
  grab "$OUT/translator-ink-kept-after-focus-$TAG.png"
  "$BIN/screen_helper" show 0
  sleep 1
  # The command bar's first menu, opened by a click on it.
  tap 20 $((H - 8 * K)) 1
  grab "$OUT/menu-$TAG.png"
  xdotool key Escape
  sleep 0.5
  # The 設定 menu with its ピンイン submenu: every label whole.
  tap $((142 * K)) $((H - 8 * K)) 1
  xdotool key Down Right
  sleep 1
  grab "$OUT/menu-submenu-$TAG.png"
  xdotool key Escape Escape
  sleep 0.5
  # The input methods' menu of the keyboard button's arrow, at the command bar's right end.
  tap $((W - 5 * K)) $((H - 8 * K)) 1
  grab "$OUT/input-method-menu-$TAG.png"
  xdotool key Escape
  sleep 0.5
  # The voice dialog and its test sentence.
  "$BIN/screen_helper" post "$TITLE" 32807
  sleep 1
  grab "$OUT/voice-dialog-$TAG.png"
  xdotool key Escape
  sleep 0.5
  # The Open command's dialog.
  "$BIN/screen_helper" post "$TITLE" 57601
  sleep 1
  grab "$OUT/file-dialog-$TAG.png"
  xdotool key Escape
  sleep 0.5
  # A word typed into the source pane, selected and looked up: the viewer comes up with it; its
  # 閉じる brings the translator back.
  tap $((120 * K)) $((40 * K))
  xdotool type --delay 200 '学生'
  sleep 0.5
  "$BIN/screen_helper" post "$TITLE" 32773
  "$BIN/screen_helper" post "$TITLE" 32788
  "$BIN/screen_helper" wait "$VIEWER"
  sleep 3
  grab "$OUT/lookup-viewer-$TAG.png"
  "$BIN/screen_helper" post "$VIEWER" 32778
  sleep 2
  grab "$OUT/lookup-closed-translator-back-$TAG.png"
  "$BIN/screen_helper" close "$VIEWER" || true
  sleep 1
  # A text of many sentences translated with 翻訳: the result and the reading show from their start.
  tap $((120 * K)) $((40 * K))
  xdotool key ctrl+a BackSpace
  xdotool type --delay 150 '彼は水を飲む。本を読む。彼は学生だ。私は茶を飲む。彼は水を飲む。本を読む。彼は学生だ。私は茶を飲む。'
  "$BIN/screen_helper" post "$TITLE" 1000
  sleep 3
  grab "$OUT/translated-shown-from-start-$TAG.png"
  stop

  # A message box: the dictionary lookup from a program folder that lacks the viewer.
  start "$NOVIEWER/Orvale" "$TITLE"
  "$BIN/screen_helper" post "$TITLE" 32788
  sleep 3
  grab "$OUT/message-box-$TAG.png"
  stop

  # The viewer: the search box has the focus and the panel stands on the command bar.
  start "$BIN/Sernick" "$VIEWER"
  grab "$OUT/viewer-$TAG.png"
  # The search button lowers the panel; a tap on the search box, which keeps the focus, raises it.
  tap $((219 * K)) $((34 * K)) 1
  grab "$OUT/viewer-panel-lowered-$TAG.png"
  tap $((100 * K)) $((34 * K)) 1
  grab "$OUT/viewer-tap-raises-panel-$TAG.png"
  # A search, then 10 clicks in the scroll bar's page area at the list's end (just above its down
  # arrow): the list grows by a line at each.
  xdotool type --delay 200 'xue'
  "$BIN/screen_helper" show 0
  sleep 1
  grab "$OUT/viewer-list-$TAG.png"
  for _ in $(seq 10); do tap $((94 * K)) $((267 * K - 18 * K)) 0.4; done
  sleep 1
  grab "$OUT/viewer-list-after-10-page-clicks-$TAG.png"
  # A postal code typed into the 日中 box as a Japanese input method gives it: no error box.
  tap $((20 * K)) $((10 * K)) 1
  xdotool key --repeat 8 BackSpace
  xdotool type --delay 300 '１００－０００１'
  sleep 2
  grab "$OUT/viewer-postal-code-typed-$TAG.png"
  "$BIN/screen_helper" close "$VIEWER" || true
  sleep 1
  stop

  # The refresher run 10 times beside the translator: a stroke left in the handwriting panel is
  # gone after each run, the panel being created anew.
  start "$BIN/Orvale" "$TITLE"
  "$BIN/screen_helper" select "$BRUSCA"
  "$BIN/screen_helper" show 1
  sleep 1
  tap $((120 * K)) $((40 * K))
  # The writing boxes only: the pane's blinking caret plays no part.
  local boxes="$((160 * K)) $((80 * K)) 0 $panelTop"
  grab "$WORK/clean.png" $boxes
  local anew=0
  for run in $(seq 10); do
    stroke "$panelTop"
    grab "$WORK/stroke.png" $boxes
    "$BIN/imreset"
    sleep 1.5
    grab "$WORK/after.png" $boxes
    if ! cmp -s "$WORK/stroke.png" "$WORK/after.png" && cmp -s "$WORK/clean.png" "$WORK/after.png"; then
      anew=$((anew + 1))
    fi
    if [ "$run" = 1 ]; then
      grab "$OUT/refresher-after-$TAG.png"
      cp "$WORK/stroke.png" "$OUT/refresher-stroke-boxes-$TAG.png"
    fi
  done
  echo "$TAG: the refresher created the panel anew in $anew of 10 runs"
  [ "$anew" = 10 ] || FAULTS+=("$TAG: the refresher left the panel as it was in $((10 - anew)) of 10 runs")
  stop
}
FAULTS=()
shoot 240x320 96
shoot 480x640 192
wm_alive
echo "Pictures in $OUT:"
ls "$OUT"
if [ ${#FAULTS[@]} -gt 0 ]; then
  printf '%s\n' "${FAULTS[@]}" >&2
  exit 1
fi
