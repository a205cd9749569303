#!/usr/bin/env bash
# Runs every command of docs/writing-a-plugin.md (its ```sh blocks, in
# order) in a scratch copy of the project, after checking that
# scripts/new-plugin.sh refuses bad and taken names, and then that the new
# plug-in's snapshots were written on both targets. The scratch copy builds
# without the test executables: the guide's plug-in needs only plughost.
# scripts/test.sh runs this when it runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
guide="$QUILLON_ROOT/docs/writing-a-plugin.md"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillon-guide.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
# The plug-in the guide makes is left out: a reader who followed the guide
# in the work tree has one there already.
guide_plugin=mygain
tar -C "$QUILLON_ROOT" --exclude=./build --exclude=./out --exclude=./.git --exclude="./examples/$guide_plugin" -cf - . |
  tar -C "$scratch" -xf -
cd "$scratch"

fail() {
  echo "${0##*/}: $*" >&2
  exit 1
}

# Each refusal: exit status 2, one line on stderr, nothing on stdout, and
# examples/ as it was.
before=$(ls -A examples)
long=$(printf 'a%.0s' $(seq 32))
for name in "" "9lives" "my-gain" "my gain" "gain.dll" "../gain" "gallery" "GALLERY" "plughost" "test_gain" "test" "Com1" "$long"; do
  status=0
  scripts/new-plugin.sh "$name" >out.txt 2>err.txt || status=$?
  [ "$status" -eq 2 ] || fail "new-plugin.sh '$name' exited $status, not 2"
  [ "$(wc -l <err.txt)" -eq 1 ] && [ ! -s out.txt ] || fail "new-plugin.sh '$name' printed more than one line: $(cat out.txt err.txt)"
  [ "$(ls -A examples)" = "$before" ] || fail "new-plugin.sh '$name' wrote into examples/"
  echo "refused '$name': $(cat err.txt)"
done
status=0
scripts/new-plugin.sh one two >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "new-plugin.sh with two names exited $status, not 2"
rm -f out.txt err.txt

# The guide's commands, echoed as they run; the first that fails ends it.
awk '/^```sh$/ { inside = 1; next } /^```$/ { inside = 0 } inside' "$guide" >guide-commands.sh
[ -s guide-commands.sh ] || fail "no commands in $guide"
started=$(date +%s)
QUILLON_BUILD_TESTS=OFF bash -euo pipefail -x guide-commands.sh
echo "the guide's commands took $(($(date +%s) - started)) s"

for target in win64 win32; do
  [ -s "build/$target/snapshots/$guide_plugin.png" ] || fail "no snapshot of $guide_plugin's editor in build/$target"
  ls -l "build/$target/$guide_plugin.dll"
done
