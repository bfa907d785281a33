#!/usr/bin/env bash
# Installs, with apt-get, every package that building, testing and running the
# toolkit need. Silent when everything is already there; safe to run again.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libcoin-dev libhdf5-dev libnetcdf-dev netcdf-bin hdf5-tools zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  gzip bzip2
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
