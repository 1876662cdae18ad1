#!/usr/bin/env bash
# Runs a typical session on the real dialogs against the simulated controller and renders the
# README's pictures into docs/: the main dialog after loading docs/example.ini, the About box, and
# the register dialog after a READ. Prints the boxes the session showed and what the simulated
# controller then holds (`vivuraz-sim show`).
#   bash scripts/screenshots.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh" dev morlind_walkthrough vivuraz_sim >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/session" "$work/state"
cp "$root/docs/example.ini" "$work/session/"
# 4 KiB of raw firmware, the same bytes on every run.
perl -e 'print map { chr(($_ * 7 + 3) % 256) } 0 .. 4095' > "$work/session/firmware.bin"

export VIVURAZ_SIM_DIR="$work/state" QT_QPA_PLATFORM=offscreen
sim="$root/build/dev/vivuraz/vivuraz-sim"
"$sim" journal on
(cd "$work/session" && "$root/build/dev/docs/morlind_walkthrough" "$root/docs")
echo
echo '$ vivuraz-sim show'
"$sim" show
echo
echo '$ vivuraz-sim journal show'
"$sim" journal show
