#!/usr/bin/env bash
# Fetches CC-CEDICT once into the build tree and writes the full card's speech tables from it; without
# it (no network) the full card keeps the sample card's speech tables.
#   speech_fullcard.sh SOURCE-DIR CEDICT-DIR TOOL SAMPLE-TABLES WORD-FREQUENCIES OUT-FOLDER
set -uo pipefail
src=$1 cedict=$2 tool=$3 sample=$4 frequencies=$5 out=$6
rm -rf "$out"
if ! bash "$src/scripts/cc_cedict.sh" "$cedict"; then
  echo "speech tables of the full card: CC-CEDICT could not be fetched; the sample card's tables stay" >&2
  exit 0
fi
"$tool" "$sample" "$cedict/cedict.txt" "$frequencies" "$out"
