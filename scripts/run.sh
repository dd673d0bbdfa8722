#!/usr/bin/env bash
# Sets up, builds and starts Numik from the build tree.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
bash "$top/scripts/setup.sh"
exec "$top/build/src/numik"
