#!/usr/bin/env bash
# Fetches Python 2.7 and pybind11 2.6 from Debian 11 ("bullseye") into
# build-py27/deps/ without touching the machine's apt sources or installing
# anything: a private apt configuration downloads the packages, dpkg -x
# unpacks them into build-py27/deps/root. Runs once; later calls find the
# tree ready and return at once. Usage: scripts/python27.sh [DEPS_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
deps=$(realpath -m "${1:-build-py27/deps}")
root=$deps/root
packages=(
  python2.7 python2.7-minimal libpython2.7 libpython2.7-minimal
  libpython2.7-stdlib libpython2.7-dev pybind11-dev
  libffi7   # ctypes
)
if [ -f "$root/.complete" ]; then
  exit 0
fi

keyring=/usr/share/keyrings/debian-archive-bullseye-automatic.gpg
[ -f "$keyring" ] || scripts/install_packages.sh debian-archive-keyring
apt_dir=$deps/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" \
  "$apt_dir/etc/sources.list.d" "$apt_dir/etc/preferences.d" "$deps/debs"
echo "deb [signed-by=$keyring] http://deb.debian.org/debian bullseye main" \
  >"$apt_dir/etc/sources.list"
: >"$apt_dir/status"
apt_options=(
  -o Dir::Etc::sourcelist="$apt_dir/etc/sources.list"
  -o Dir::Etc::sourceparts="$apt_dir/etc/sources.list.d"
  -o Dir::Etc::preferencesparts="$apt_dir/etc/preferences.d"
  -o Dir::State="$apt_dir"
  -o Dir::State::lists="$apt_dir/lists"
  -o Dir::State::status="$apt_dir/status"
  -o Dir::Cache="$apt_dir/cache"
  -o APT::Architecture=amd64
  -o Debug::NoLocking=1
  -o APT::Sandbox::User=root
)
apt-get "${apt_options[@]}" update -qq
(cd "$deps/debs" && apt-get "${apt_options[@]}" download "${packages[@]}")

rm -rf "$root"
for deb in "$deps"/debs/*.deb; do
  dpkg -x "$deb" "$root"
done
touch "$root/.complete"
echo "Python 2.7 and pybind11 unpacked in $root"
