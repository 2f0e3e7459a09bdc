#!/bin/sh
# Installs the Debian packages the build needs, only those that are missing.
# With --fuzz: the clang and libFuzzer runtime of the optional fuzz build.
set -e
pacotes="cmake ninja-build g++ pkg-config libsqlite3-dev zlib1g-dev libssl-dev qt6-base-dev libgtest-dev libgmock-dev desktop-file-utils appstream dpkg-dev fonts-liberation2 poppler-utils"
[ "$1" = "--fuzz" ] && pacotes="clang libclang-rt-14-dev"
faltam=""
for p in $pacotes; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltam="$faltam $p"
done
[ -z "$faltam" ] && exit 0
echo "Instalando:$faltam"
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
$sudo_cmd apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq $faltam
