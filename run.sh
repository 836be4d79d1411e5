#!/usr/bin/env bash
# Builds a Release tree, lays out the device folder and starts the translator.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
ensure_packages

BUILD=${BUILD_DIR:-build-release}
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DSUITE_TESTS=OFF
cmake --build "$BUILD" -j "$(nproc)"

DEVICE=${SUITE_DEVICE_ROOT:-$PWD/device}
export SUITE_DEVICE_ROOT=$DEVICE
# The card is written beside the device folder and then swapped in whole.
scripts/lay_out_card.sh "$BUILD" "$DEVICE"

# Input panels are registered as an installer would.
if [ -x "$BUILD/bin/regpanel" ]; then
  for panel in Quillpin Brusca Lookra JapaneseInk; do
    if [ -e "$BUILD/bin/$panel.so" ]; then "$BUILD/bin/regpanel" "$panel"; fi
  done
fi

echo "Device folder: $DEVICE"
echo "Program folder: $PWD/$BUILD/bin"
built=()
for p in Orvale Sernick Vocra imreset Phonavel Stroka Quillpin Brusca Lookra Synparse; do
  for f in "$p" "$p.so" "lib$p.so"; do
    if [ -e "$BUILD/bin/$f" ]; then built+=("$f"); break; fi
  done
done
echo "Built: ${built[*]:-none of the programs yet}"
if [ -x "$BUILD/bin/vocrasay" ]; then
  echo "To hear a sentence of the card (the speech reader started on it, the sound written to a WAV file):"
  echo "  echo '我们是学生。' | SUITE_DEVICE_ROOT=\"$DEVICE\" SUITE_WAVEOUT=wav:\"$PWD/speech.wav\" $BUILD/bin/vocrasay"
fi
# "./run.sh imreset" refreshes the device's input methods; "./run.sh Sernick" starts the dictionary
# viewer on the card instead of the translator.
if [ "${1:-}" = imreset ]; then
  "$BUILD/bin/imreset" && echo "Input methods refreshed."
  exit
fi
# The program asked for: the translator unless "./run.sh Sernick".
program=Orvale
if [ "${1:-}" = Sernick ]; then program=Sernick; fi
if [ -x "$BUILD/bin/$program" ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    # Everything is built and laid out; only the screen is missing, which is no failure.
    args=""
    if [ "$program" != Orvale ]; then args=" $program"; fi
    echo "$program is built, but there is no display to show it on. To watch it, either run under a virtual display:"
    echo "  xvfb-run -a -s '-screen 0 1024x768x24' ./run.sh$args   (with a VNC or screenshot tool on that display)"
    echo "or let the program serve its screen over VNC and connect a viewer to port 5900:"
    echo "  QT_QPA_PLATFORM=vnc:size=480x640 ./run.sh$args"
    exit 0
  fi
  exec "$BUILD/bin/$program"
fi
echo "The translator is not built yet. The Chinese-to-Japanese engine can be tried on the card from a console:"
echo "  echo '我喝茶。' | SUITE_DEVICE_ROOT=\"$DEVICE\" $BUILD/bin/cjtranslate"
