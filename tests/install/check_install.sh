#!/usr/bin/env bash
# Installs the build into a temporary prefix, then builds the example host
# against that prefix twice, through the CMake package and through
# pkg-config, and runs each on a new SQLite station.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1 source=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
example=$source/examples/host

cmake --install "$build" --prefix "$prefix" >/dev/null

# Every program must load the installed libbp, not the one of the build.
run_host() {
  local program=$1 db=$2
  ldd "$program" | grep "libbp.so.* => $prefix/" >/dev/null || { ldd "$program"; exit 1; }
  "$program" "$db" | tee "$work/out"
  grep -q "version ${version##*.} (library ${version##*.})" "$work/out"
}

echo "== find_package(bp CONFIG)"
cmake -S "$example" -B "$work/with-cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/with-cmake" >/dev/null
run_host "$work/with-cmake/host" "$work/cmake.db"

echo "== pkg-config"
PKG_CONFIG_PATH=$(dirname "$(find "$prefix" -name bp.pc)")
export PKG_CONFIG_PATH
test "$(pkg-config --modversion bp)" = "$version"
# shellcheck disable=SC2046  # the flags are meant to split
c++ -std=c++20 "$example/main.cc" -o "$work/host" $(pkg-config --cflags --libs bp-station) \
  -Wl,-rpath,"$(pkg-config --variable=libdir bp)"
run_host "$work/host" "$work/pkg-config.db"
