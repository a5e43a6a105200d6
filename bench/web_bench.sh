#!/usr/bin/env bash
# The web player's figures (bench/web_bench.js): page load to the first screen, the size of the
# exported engine, a chapter of 100,000 lines in the browser against quillc play.
#   bench/web_bench.sh [QUILLC]     QUILLC: the quillc to export and play with (default build/quillc)
# Says it is skipped, and succeeds, where node or chromium is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v node >/dev/null; then
  printf 'web_bench\n  skipped: node is not installed\n'
  exit 0
fi
exec node bench/web_bench.js "${1:-build/quillc}"
