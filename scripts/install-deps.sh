#!/usr/bin/env bash
# Installs the Debian packages the whole project needs, only those missing.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config make ccache
  # libraries
  libjpeg62-turbo-dev libpng-dev zlib1g-dev
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev libgl-dev
  qt6-translations-l10n
  libsane-dev
  libxcb1-dev libxcb-xtest0-dev
  libgsf-1-dev
  libfreetype-dev libfontconfig-dev
  libcurl4-openssl-dev libx11-dev
  # photos as they come today: metadata, new formats, camera raw, colour profiles, stitching
  libexiv2-dev libheif-dev libwebp-dev libavif-dev libjxl-dev libraw-dev liblcms2-dev
  libopencv-stitching-dev libturbojpeg0-dev
  # the printer's colour profile from its PPD
  libcups2-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev libtiff-dev
  xvfb xauth xdotool fonts-liberation dbus-daemon
  python3 python3-pil python3-numpy imagemagick graphicsmagick libtiff-tools netpbm
  libjpeg-turbo-progs libvips-tools sane-utils poppler-utils
  python3-olefile
  libheif-examples webp libavif-bin libjxl-tools libraw-bin exiv2 colord-data
  xclip openbox x11-utils
  openssl curl
  # installing and packaging: the desktop's checks and CPack's Debian generator
  desktop-file-utils libxml2-utils shared-mime-info dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
