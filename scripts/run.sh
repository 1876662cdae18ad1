#!/usr/bin/env bash
# Sets up, builds and starts the EEPROM Editor against the simulated device.
# The working files (TempBinData.bin, the ROM images, the path histories) go to the current
# directory, as the tool writes them by bare name; run it from the folder you want them in.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh" dev
program="$root/build/dev/app/morlind"
if [ ! -x "$program" ]; then
  echo "The main dialog is not built yet: $program does not exist." >&2
  exit 1
fi
exec "$program" "$@"
