#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, run and test.
# Idempotent: silent when everything is present; runs apt-get update only when something is missing.
set -euo pipefail

packages=(
  make g++ cmake ninja-build pkg-config ccache clang-format
  qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql qt6-charts-dev qt6-declarative-dev
  libsqlite3-dev libxlsxwriter-dev libfreexl-dev libzip-dev libsodium-dev
  postgresql postgresql-common
  fonts-wqy-microhei fonts-noto-cjk
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "install-deps: installing ${missing[*]}"
sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
