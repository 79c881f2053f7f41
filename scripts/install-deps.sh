#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# only those that are missing. Runs apt-get as root, or through sudo.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-multimedia-dev libgl-dev
  libx11-dev libxi-dev
  libfreexl-dev libminizip-dev libxlsxwriter-dev
  googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils x11-apps fonts-wqy-microhei
  libexpat1-dev python3-openpyxl python3-xlwt poppler-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
SUDO=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
