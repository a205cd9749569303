#!/bin/sh
# Runs a Windows program of the build under Wine, its output going through a
# file: helper processes Wine starts on the program's behalf inherit its
# handles and outlive it, and a runner reading a pipe would wait for them.
log=$(mktemp)
wine "$@" >"$log" 2>&1 </dev/null
status=$?
cat "$log"
rm -f "$log"
exit $status
