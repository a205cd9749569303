#!/bin/sh
# Runs a 32-bit Windows program of the build under the 32-bit Wine, inside
# the session quillon_root32_session starts (it is ctest's emulator for the
# i686 build). Output goes through a file, as in wine-run.sh.
if [ -z "${QUILLON_ROOT32:-}" ] || [ "${WINEARCH:-}" != win32 ]; then
  echo "${0##*/}: run the 32-bit programs through scripts/test.sh or scripts/run.sh, which start their session" >&2
  exit 2
fi
log=$(mktemp)
chroot "$QUILLON_ROOT32" /bin/sh -c 'cd "$1" && shift && exec /usr/local/bin/wine32 "$@"' \
  wine32-run "$PWD" "$@" >"$log" 2>&1 </dev/null
status=$?
cat "$log"
rm -f "$log"
exit $status
