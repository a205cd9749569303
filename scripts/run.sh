#!/usr/bin/env bash
# The main job: build, then show the plug-in through plughost and render the
# demo. Arguments, when given, go to plughost instead.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
quillon_install
quillon_build win32
quillon_build win64
quillon_start_wine
cd "$QUILLON_ROOT"
plughost="$QUILLON_ROOT/build/win64/plughost.exe"
dll="build/win64/quillon.dll"
if [ $# -gt 0 ]; then
  wine "$plughost" "$@"
  exit $?
fi
mkdir -p out
wine "$plughost" info "$dll"
wine "$plughost" render "$dll" -o out/demo-out.wav --dump-input out/demo-in.wav \
  --param 0=0.25 --param 1=0.25
