#!/usr/bin/env bash
# Lays out the storage card of a device folder from a build tree: the sample card, then the full
# card's data where the build made it. The new card is written beside the device folder and then
# takes the old one's place, so that a program already running never reads a half-written card
# (it keeps the files it has open). Files of the old card that the new one lacks (a user's saved
# documents) are kept.
#   scripts/lay_out_card.sh BUILD_DIR DEVICE_DIR
set -euo pipefail
BUILD=$1
DEVICE=$2
CARD="$DEVICE/Storage Card"
NEW="$DEVICE.card-new"
OLD="$DEVICE.card-old"
mkdir -p "$DEVICE"
rm -rf "$NEW" "$OLD"
mkdir -p "$NEW/Storage Card"
touch "$NEW/Storage Card/.storage-card"
# The device's own files (the registry with the user's settings, dictionaries at the root) go
# along, so that the card writer keeps the values it finds.
find "$DEVICE" -maxdepth 1 -type f -exec cp -p {} "$NEW/" \;
if [ -x "$BUILD/bin/datagen_card" ]; then
  "$BUILD/bin/datagen_card" data/sample "$NEW/Storage Card"
fi
# The full card's translator data (open dictionaries) replaces the sample card's.
FULLCARD="$BUILD/fullcard/device/Card/Talvenro/Chinese/LindqvarDic"
if [ -d "$FULLCARD" ]; then
  cp -r "$FULLCARD"/. "$NEW/Storage Card/Talvenro/Chinese/LindqvarDic/"
fi
# The full card's speech tables (words from CC-CEDICT) replace the sample card's; its units stay.
if [ -f "$BUILD/speech-full/ChTTSData/cz.dat" ]; then
  cp "$BUILD"/speech-full/ChTTSData/*.dat "$NEW/Storage Card/Talvenro/Chinese/ChTTSData/"
fi
# The full card's viewer dictionaries replace the sample card's; its examples stay.
if [ -f "$BUILD/viewer-full/HarbrookDic/CJDIC/CjsDicV6.dic" ]; then
  cp -r "$BUILD"/viewer-full/HarbrookDic/. "$NEW/Storage Card/Talvenro/Chinese/HarbrookDic/"
fi
# What the user added to the old card comes along; nothing of the new card is overwritten.
if [ -d "$CARD" ]; then
  cp -a -n "$CARD"/. "$NEW/Storage Card/" 2>/dev/null || true
  mv "$CARD" "$OLD"
fi
mv "$NEW/Storage Card" "$CARD"
# The device's files as the writer left them, each replaced in one step.
find "$NEW" -maxdepth 1 -type f -exec mv -f {} "$DEVICE/" \;
rm -rf "$NEW" "$OLD"
# The full recogniser dictionaries replace the sample card's at the device root, each in one step.
if [ -f "$BUILD/recogniser-full/chujian.dic" ]; then
  for dic in "$BUILD"/recogniser-full/*.dic; do
    cp "$dic" "$DEVICE/.$(basename "$dic").new"
    mv "$DEVICE/.$(basename "$dic").new" "$DEVICE/$(basename "$dic")"
  done
fi
