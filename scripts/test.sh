#!/usr/bin/env bash
# Sets up, builds and runs every test of the given preset (default: dev).
#   bash scripts/test.sh            developer build
#   bash scripts/test.sh ci         warnings as errors
#   bash scripts/test.sh sanitize   AddressSanitizer and UBSan (clang)
set -euo pipefail
preset="${1:-dev}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh" "$preset"
cd "$root"
ctest --preset "$preset"
