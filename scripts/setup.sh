#!/usr/bin/env bash
# Installs what the project needs from Debian's packages (only what is
# missing; apt-get as root) and builds it.
# Usage: scripts/setup.sh [--asan|--tsan|--py27|--deps-only] [TARGET...]
# The default build goes to build/, the sanitizer builds to build-asan/ and
# build-tsan/, the Python 2.7 build to build-py27/ (after the default build,
# whose stand-in it links, and with Python 2.7 fetched into build-py27/deps/).
# Given targets, only those (and what they need) are built; the configuration
# stays the same, so that a later full build reuses them.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=""
case "${1:-}" in
  --asan|--tsan|--py27|--deps-only) mode=$1; shift ;;
esac
build_targets=()
for target in "$@"; do
  build_targets+=(--target "$target")
done

packages=(
  cmake g++ make pkg-config git ccache
  qtbase5-dev pybind11-dev python3-dev libgtest-dev
  libjavascriptcoregtk-4.1-dev libminizip-dev libx11-dev
  xvfb xauth x11-utils
  python3-pytest python3-pyside2.qtcore python3-pyside2.qtgui
  python3-pyside2.qtwidgets
)
if [ "$mode" = "--tsan" ]; then
  packages+=(libtsan2)
fi
scripts/install_packages.sh "${packages[@]}"

# Python 2.7 and pybind11 2.6 from Debian 11 ("bullseye"), fetched into DEPS_DIR
# without touching the machine's apt sources or installing anything: a
# private apt configuration downloads the packages, dpkg -x unpacks them into
# DEPS_DIR/root. Once; later calls find the tree ready.
fetch_python27() {
  local deps root
  deps=$(realpath -m "$1")
  root=$deps/root
  if [ -f "$root/.complete" ]; then
    return
  fi
  local packages=(
    python2.7 python2.7-minimal libpython2.7 libpython2.7-minimal
    libpython2.7-stdlib libpython2.7-dev pybind11-dev
    libffi7   # ctypes
  )
  local keyring=/usr/share/keyrings/debian-archive-bullseye-automatic.gpg
  [ -f "$keyring" ] || scripts/install_packages.sh debian-archive-keyring
  local apt_dir=$deps/apt
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" \
    "$apt_dir/etc/sources.list.d" "$apt_dir/etc/preferences.d" "$deps/debs"
  echo "deb [signed-by=$keyring] http://deb.debian.org/debian bullseye main" \
    >"$apt_dir/etc/sources.list"
  : >"$apt_dir/status"
  local apt_options=(
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
  local deb
  for deb in "$deps"/debs/*.deb; do
    dpkg -x "$deb" "$root"
  done
  touch "$root/.complete"
  echo "Python 2.7 and pybind11 unpacked in $root"
}

# Callers that build on their own, as the benchmarks do.
if [ "$mode" = "--deps-only" ]; then
  exit 0
fi

build_dir=build
options=()
if [ "$mode" = "--asan" ]; then
  build_dir=build-asan
  options+=(-DZUBRIX_SANITIZE=ON)
elif [ "$mode" = "--tsan" ]; then
  build_dir=build-tsan
  options+=(-DZUBRIX_TSAN=ON)
elif [ "$mode" = "--py27" ]; then
  scripts/setup.sh
  fetch_python27 build-py27/deps
  build_dir=build-py27
  options+=(-DZUBRIX_PYTHON27_ROOT="$PWD/build-py27/deps/root/usr"
            -DZUBRIX_STANDIN_BUILD="$PWD/build")
fi
# ccache lets the builds of several checkouts share their compiled objects.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}" CCACHE_NOHASHDIR=1
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
  "${options[@]}" >/dev/null
cmake --build "$build_dir" -j"$(nproc)" "${build_targets[@]}"
