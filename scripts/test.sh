#!/usr/bin/env bash
# Builds both targets and runs every test under Wine; exits non-zero on any failure.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
quillon_prepare
status=0
ctest --test-dir "$QUILLON_ROOT/build/win64" --output-on-failure "$@" || status=$?
exit $status
