#!/usr/bin/env bash
# The main job: build, then show the plug-in through plughost, render the
# demo, photograph and drive the editor, photograph the gallery, and validate
# the plug-in; then validate the shipping 32-bit DLL under the 32-bit Wine and
# render the demo through it, which must give the 64-bit output's bytes.
# Arguments, when given, go to the 64-bit plughost instead.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
quillon_prepare
cd "$QUILLON_ROOT"
plughost="$QUILLON_ROOT/build/win64/plughost.exe"
dll="build/win64/quillon.dll"
# out/ holds what the runs write (git ignores it). It is made before any
# arguments are handed on, so that they may name files in it.
mkdir -p out
if [ $# -gt 0 ]; then
  status=0
  wine "$plughost" "$@" || status=$?
  exit $status
fi
wine "$plughost" info "$dll"
echo
wine "$plughost" render "$dll" -o out/demo-out.wav --dump-input out/demo-in.wav \
  --param 0=0.25 --param 1=0.25
echo
# The editor at the same settings, photographed, then one drag of the
# Threshold slider from its handle (0.25) to the point of 0.5.
wine "$plughost" editor "$dll" --param 0=0.25 --param 1=0.25 --snapshot out/editor.png
echo
wine "$plughost" editor "$dll" --param 0=0.25 --param 1=0.25 --do "drag 86,226:135,226"
echo
# The toolkit's showcase, photographed.
wine "$plughost" editor build/win64/gallery.dll --snapshot out/gallery.png
echo
wine "$plughost" validate "$dll"
quillon_stop_wine
echo
echo "== the shipping 32-bit DLL (32-bit Wine in $QUILLON_ROOT32)"
quillon_root32_session bash -c '
  set -e
  plughost32="$QUILLON_ROOT/build/win32/plughost.exe"
  "$QUILLON_ROOT/scripts/wine32-run.sh" "$plughost32" validate build/win32/quillon.dll
  echo
  "$QUILLON_ROOT/scripts/wine32-run.sh" "$plughost32" render build/win32/quillon.dll -o out/demo-out-32.wav \
    --param 0=0.25 --param 1=0.25'
echo
if cmp -s out/demo-out.wav out/demo-out-32.wav; then
  echo "out/demo-out-32.wav, rendered by the 32-bit DLL, is byte for byte out/demo-out.wav"
else
  echo "out/demo-out-32.wav, rendered by the 32-bit DLL, differs from out/demo-out.wav" >&2
  exit 1
fi
