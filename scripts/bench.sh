#!/usr/bin/env bash
# Builds the 64-bit target and runs the processing, view-tree, editor and
# render benchmarks under Wine.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
quillon_install
quillon_build win64
quillon_start_wine
wine "$QUILLON_ROOT/build/win64/quillon_bench.exe" "$@"
wine "$QUILLON_ROOT/build/win64/viewtree_bench.exe"
wine "$QUILLON_ROOT/build/win64/editor_bench.exe"
"$QUILLON_ROOT/bench/render_bench.sh"
