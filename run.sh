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
mkdir -p "$DEVICE/Storage Card"
touch "$DEVICE/Storage Card/.storage-card"
if [ -x "$BUILD/bin/datagen_card" ]; then
  "$BUILD/bin/datagen_card" data/sample "$DEVICE/Storage Card"
fi

echo "Device folder: $DEVICE"
echo "Program folder: $PWD/$BUILD/bin"
built=()
for p in Orvale Sernick Vocra imreset libPhonavel.so libStroka.so libQuillpin.so libBrusca.so libLookra.so libSynparse.so; do
  [ -e "$BUILD/bin/$p" ] && built+=("$p")
done
echo "Built: ${built[*]:-none of the programs yet}"
if [ -x "$BUILD/bin/Orvale" ]; then
  exec "$BUILD/bin/Orvale"
fi
echo "The translator is not built yet."
