#!/usr/bin/env bash
# Installs the Debian packages the build needs, and any named as arguments
# (scripts/install-deps.sh clang-format-14), only those that are missing.
# Works as root or through sudo; runs `apt-get update` only when a plain install fails.
set -euo pipefail

# dpkg-dev and file: the Debian package's dependency list (cpack -G DEB);
# desktop-file-utils: the check of the desktop entry.
packages=(cmake g++ make pkg-config qt6-base-dev libgl-dev libjpeg-dev
          libgtest-dev libbenchmark-dev fonts-dejavu-core dpkg-dev file desktop-file-utils "$@")

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
echo "Installing: ${missing[*]}"
if ! $sudo apt-get install -y -q "${missing[@]}"; then
    $sudo apt-get update -q
    $sudo apt-get install -y -q "${missing[@]}"
fi
