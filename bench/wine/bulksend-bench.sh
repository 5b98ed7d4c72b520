#!/usr/bin/env bash
# One bulk send of a message to N recipients whose every delivery takes D ms (the stand-in's delay), first one by
# one, then through the bulk sender's workers; prints both wall times.  Usage: bulksend-bench.sh [N] [D]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${BUILD_DIR:-build/win32}
cmake --build "$build" --target bulksend_bench netapi32_standin >/dev/null
cmake/wine-run.sh "$build/bin/test/bulksend_bench.exe" "${1:-50}" "${2:-500}"
