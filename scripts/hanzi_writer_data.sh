#!/usr/bin/env bash
# Fetches the stroke medians of the npm package hanzi-writer-data (Arphic Public License) into
# DEST/package, once, and marks DEST/fetched: the recogniser's full dictionaries are written from
# them at build time.
#   scripts/hanzi_writer_data.sh DEST
set -euo pipefail
DEST=${1:?usage: $0 DEST}
VERSION=2.0.1
if [ -f "$DEST/package/ARPHICPL.TXT" ] && [ -f "$DEST/package/一.json" ]; then
  touch "$DEST/fetched"
  exit 0
fi
source "$(dirname "$0")/packages.sh"
ensure_command npm npm
mkdir -p "$DEST"
tmp=$(mktemp -d "$DEST/fetch.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
(cd "$tmp" && npm pack --silent "hanzi-writer-data@$VERSION" >/dev/null)
tar -xzf "$tmp/hanzi-writer-data-$VERSION.tgz" -C "$tmp"
rm -rf "$DEST/package"
mv "$tmp/package" "$DEST/package"
touch "$DEST/fetched"
echo "hanzi-writer-data $VERSION in $DEST/package"
