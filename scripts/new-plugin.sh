#!/usr/bin/env bash
# Writes examples/NAME, a new plug-in from the template in
# tools/newplugin/template: a stereo gain with one parameter and an editor
# with a knob and a display of its value. The next build (scripts/test.sh)
# builds NAME.dll for both targets and runs its tests; see
# docs/writing-a-plugin.md.
#
#   scripts/new-plugin.sh NAME
#
# NAME names the folder, the DLL, the build target and the effect as hosts
# show it: a letter, then letters, digits or underscores, at most 31 (the
# longest effect name a host reads). A bad or taken name is refused with one
# line and exit status 2, and nothing is written.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
me=${0##*/}
refuse() {
  echo "$me: $*" >&2
  exit 2
}

[ $# -eq 1 ] || refuse "usage: $me NAME"
name=$1
[[ "$name" =~ ^[A-Za-z][A-Za-z0-9_]*$ ]] ||
  refuse "'$name' is not a valid name: a letter, then letters, digits or underscores"
[ ${#name} -le 31 ] || refuse "'$name' is longer than 31 characters, the longest effect name a host reads"
# Windows tells file names apart without case, and the DLLs share a folder;
# the project's own targets, the tests' prefixes and the targets CMake makes
# itself are taken too.
lower=${name,,}
for taken in "$root"/examples/*; do
  taken=${taken##*/}
  [ "${taken,,}" != "$lower" ] || refuse "examples/$taken exists already"
done
case "$lower" in
  quillon | quillon_* | plughost | plugkit_* | gtest | gtest_main | test_* | testplug_* | validate_* | \
    snapshot_* | *_bench | plughost_wavfile | headers_alone | all | clean | depend | help | install | \
    package | package_source | test | edit_cache | rebuild_cache | list_install_components)
    refuse "'$name' is a name the project's own build uses" ;;
  con | prn | aux | nul | com[1-9] | lpt[1-9])
    # Windows opens these as devices, extension or not: no DLL of the name loads.
    refuse "'$name' is a device name on Windows" ;;
esac

# The template is written in a folder of its own beside the target and moved
# into place whole, so that a failure half-way leaves nothing behind.
template="$root/tools/newplugin/template"
staging=$(mktemp -d "$root/examples/.new-plugin.XXXXXX")
trap 'rm -rf "$staging"' EXIT
# Hosts tell plug-ins apart by a 32-bit number, by custom four letters:
# drawn from the name, they are the same each time the same name is made.
id=$(printf '%s' "$name" | cksum | awk '{
  letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"; n = $1; id = "plugFourCC("
  for (i = 0; i < 4; ++i) { id = id (i ? ", " : "") "\047" substr(letters, n % 52 + 1, 1) "\047"; n = int(n / 52) }
  print id ")" }')
for file in "$template"/*; do
  base=${file##*/}
  case "$base" in
    *.bmp) cp "$file" "$staging/$base" ;;
    *) sed -e "s/@NAME@/$name/g" -e "s/@UNIQUE_ID@/$id/g" "$file" >"$staging/$base" ;;
  esac
done
mv -T "$staging" "$root/examples/$name"
trap - EXIT
echo "wrote examples/$name: $(cd "$root/examples/$name" && echo *)"
echo "build and test it on both targets: scripts/test.sh -R $name"
