#!/usr/bin/env bash
# Builds both targets and runs every test: the x86_64 build under the 64-bit
# Wine, the i686 build under the 32-bit Wine of the root scripts/root32.sh
# makes (emulated where the processor runs no 32-bit code). Without
# arguments it also builds the reference (scripts/docs.sh, which fails on
# any undocumented public member) and runs the plug-in author's guide in a
# scratch copy (scripts/check-guide.sh). Arguments go to both ctest runs
# instead, as a selection: `scripts/test.sh -R mygain` runs one plug-in's
# tests. QUILLON_TARGETS="x86_64" (or "i686") runs one target only;
# QUILLON_BUILD_TESTS=OFF builds the plug-ins and plughost without the test
# executables. Exits non-zero on any failure.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
targets=${QUILLON_TARGETS:-x86_64 i686}
for target in $targets; do
  case "$target" in
    x86_64 | i686) ;;
    *) echo "${0##*/}: unknown target '$target' in QUILLON_TARGETS (x86_64, i686)" >&2; exit 2 ;;
  esac
done
quillon_install
# The 32-bit root, when this machine has none yet, is made while the targets
# build: it waits on the network and the disk, the builds on the processor.
root32_maker=""
case " $targets " in
  *" i686 "*) quillon_root32_ensure & root32_maker=$! ;;
esac
for target in $targets; do
  case "$target" in
    x86_64) quillon_build win64 ;;
    i686) quillon_build win32 ;;
  esac
done

status=0
for target in $targets; do
  if [ "$target" = x86_64 ]; then
    echo "== x86_64 tests (64-bit Wine)"
    quillon_start_wine
    ctest --test-dir "$QUILLON_ROOT/build/win64" -L x86_64 --output-on-failure "$@" || status=$?
    quillon_stop_wine
    quillon_report_skips win64
  else
    echo "== i686 tests (32-bit Wine in $QUILLON_ROOT32)"
    wait "$root32_maker" || exit $?
    started=$(date +%s)
    quillon_root32_session ctest --test-dir "$QUILLON_ROOT/build/win32" -L i686 --output-on-failure "$@" || status=$?
    echo "i686 tests took $(($(date +%s) - started)) s, the 32-bit session's start included"
    quillon_report_skips win32
  fi
done
if [ $# -eq 0 ]; then
  echo "== the reference (doxygen)"
  "$QUILLON_ROOT/scripts/docs.sh" || status=$?
  if [ "$targets" = "x86_64 i686" ]; then
    echo "== the plug-in author's guide, in a scratch copy"
    started=$(date +%s)
    "$QUILLON_ROOT/scripts/check-guide.sh" || status=$?
    echo "the guide took $(($(date +%s) - started)) s"
  fi
fi
exit $status
