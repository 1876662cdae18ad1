#!/usr/bin/env bash
# Installs what the build needs from Debian's packages (only what is missing), then configures
# and builds the given preset (default: dev): every target, or only the targets named after it.
# Run by run.sh, test.sh and bench.sh.
#   bash scripts/setup.sh ci                       everything of the ci preset
#   bash scripts/setup.sh ci morlind_benchmarks    only the benchmark programs
set -euo pipefail

preset="${1:-dev}"
shift || true
targets=("$@")
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(
  build-essential cmake ninja-build pkg-config git
  clang clang-format libclang-rt-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  xvfb xauth fonts-dejavu-core
  appstream desktop-file-utils
  python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cd "$root"
cmake --preset "$preset" >/dev/null
if ((${#targets[@]})); then
  cmake --build --preset "$preset" --target "${targets[@]}"
else
  cmake --build --preset "$preset"
fi
