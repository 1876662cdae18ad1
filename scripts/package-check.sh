#!/usr/bin/env bash
# Builds the Debian package from the ci build, installs it with apt, and runs what it installed:
# `vivuraz-sim --help`, and `morlind` started on the offscreen platform and closed again.
# Run after `bash scripts/test.sh ci`.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/ci"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

appstreamcli validate --no-net "$root/packaging/io.github.brelcom.morlind.metainfo.xml" >/dev/null
desktop-file-validate "$root/packaging/eeprom-editor.desktop"
(cd "$build" && cpack -G DEB >/dev/null)
package="$(ls "$build"/morlind_*.deb)"
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --reinstall "$package" >/dev/null

# The installed program finds the installed device library (in the multiarch folder).
if ! ldd /usr/bin/morlind | grep -Eq 'libvivuraz.so.1 => (/usr)?/lib/[^/]*-linux-gnu/libvivuraz.so.1'; then
  echo "package check: /usr/bin/morlind does not load the installed libvivuraz.so.1" >&2
  ldd /usr/bin/morlind | grep vivuraz >&2 || true
  exit 1
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
export VIVURAZ_SIM_DIR="$work/sim"
/usr/bin/vivuraz-sim --help >/dev/null
/usr/bin/vivuraz-sim show >/dev/null

# The dialog runs until someone closes it: it must still be running after a few seconds.
QT_QPA_PLATFORM=offscreen /usr/bin/morlind &
pid=$!
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
  wait "$pid" || true
  echo "package check: the installed morlind ended by itself" >&2
  exit 1
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "package check: $(basename "$package") installed; vivuraz-sim and morlind ran"
