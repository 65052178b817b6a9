#!/usr/bin/env bash
# Installs the Debian packages the build needs that are not installed yet.
set -euo pipefail
packages=(build-essential cmake pkg-config ccache clang-format googletest libgtest-dev libgmock-dev
          libbenchmark-dev clang libclang-rt-dev qt6-base-dev qt6-svg-dev qt6-l10n-tools xvfb xauth
          x11-utils imagemagick dpkg-dev file shared-mime-info
          libgettextpo-dev gettext libxml2-dev libxml2-utils translate-toolkit
          libhunspell-dev hunspell-ru hunspell-en-us libstemmer-dev libpcre2-dev zlib1g-dev)
missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
