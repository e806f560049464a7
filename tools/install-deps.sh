#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, test and run.
# Fast when everything is present: it asks dpkg first and only calls apt-get
# for what is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev
  libsdl2-ttf-dev libfontconfig-dev libfreetype-dev libpng-dev librsvg2-dev libcairo2-dev
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation
  xvfb xdotool openbox libx11-dev libxfixes-dev
  libogg-dev libvorbis-dev libcurl4-openssl-dev
)

# "--fuzz" adds what tools/fuzz.sh needs: clang with libFuzzer and python3
# for the binary seeds.
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang-14 libclang-rt-14-dev llvm-14 python3)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
