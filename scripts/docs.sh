#!/usr/bin/env bash
# Builds the reference of the plug-in layer and the toolkit from their public
# headers (and the plug-in author's guide as its first page) into
# build/docs/html. Fails, printing them, on any warning from Doxygen: an
# undocumented public class or member is one.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
quillon_install
export QUILLON_ROOT QUILLON_DOCS_OUT="$QUILLON_ROOT/build/docs"
rm -rf "$QUILLON_DOCS_OUT"
mkdir -p "$QUILLON_DOCS_OUT"
doxygen "$QUILLON_ROOT/docs/Doxyfile"
warnings="$QUILLON_DOCS_OUT/warnings.log"
if [ -s "$warnings" ]; then
  cat "$warnings" >&2
  echo "${0##*/}: $(grep -c 'warning:' "$warnings") warnings from Doxygen" >&2
  exit 1
fi
echo "reference: $QUILLON_DOCS_OUT/html/index.html"
