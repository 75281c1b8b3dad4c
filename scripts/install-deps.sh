#!/usr/bin/env bash
# Installs the Debian packages Quillfen builds, tests and runs with, but only those
# that are missing: a machine that has them all is left alone and needs no network.
set -euo pipefail

PACKAGES=(
  cmake make g++ clang clang-format libclang-rt-14-dev pkg-config
  freeglut3-dev libgl-dev libgl1-mesa-dri libglu1-mesa-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  xvfb xauth libx11-dev libxtst-dev zlib1g-dev
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "install-deps: installing ${missing[*]}" >&2
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
