#!/usr/bin/env bash
# Installs everything Foliant needs to build, run and test on Debian 12:
# the Debian packages (as root, or through sudo) and the npm packages of web/.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools qt6-webchannel-dev
  qt6-svg-dev libgl-dev libxkbcommon-dev libvulkan-dev
  libqpdf-dev libpoppler-qt6-dev libpoppler-private-dev libturbojpeg0-dev libjpeg-dev liblog4cxx-dev libxml2-dev
  zlib1g-dev libssl-dev
  libgtest-dev googletest clang clang-format clang-tidy libclang-rt-14-dev
  nodejs npm
  xvfb xauth x11-utils chromium firefox-esr poppler-utils qpdf unzip zip python3 imagemagick
  fonts-dejavu-core fonts-liberation pandoc
  dpkg-dev lintian appstream librsvg2-bin qt6-l10n-tools qt6-tools-dev bash-completion qt6-translations-l10n
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Node from another source may already provide npm; do not fight it.
if command -v npm >/dev/null 2>&1; then
  missing=("${missing[@]/npm}")
  command -v node >/dev/null 2>&1 && missing=("${missing[@]/nodejs}")
fi
filtered=()
for p in "${missing[@]}"; do [ -n "$p" ] && filtered+=("$p"); done
if [ ${#filtered[@]} -gt 0 ]; then
  echo "Installing Debian packages: ${filtered[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${filtered[@]}"
fi

if [ -f web/package-lock.json ]; then
  if [ ! -d web/node_modules ] || [ web/package-lock.json -nt web/node_modules/.package-lock.json ]; then
    (cd web && npm ci --no-audit --no-fund --loglevel=error)
  fi
fi
