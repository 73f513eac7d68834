#!/usr/bin/env bash
# Builds the Debian package from the build, checks what it holds and its
# dependencies, unpacks it and runs the packaged posto.
# Usage: check_deb.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null
deb=$(echo "$work"/out/posto_"$version"_*.deb)
test -f "$deb"

dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents"
for wanted in ./usr/bin/posto "./usr/lib/libbp.so.$version" ./usr/lib/libstation.a \
              ./usr/include/bp/registry.h ./usr/include/bp/host/bo_sistema.h \
              ./usr/include/station/session/sessao.h ./usr/lib/cmake/bp/bpConfig.cmake \
              ./usr/lib/cmake/bp/bpConfigVersion.cmake ./usr/lib/pkgconfig/bp.pc; do
  grep -qxF "$wanted" "$work/contents" || { echo "missing from the package: $wanted"; exit 1; }
done
dpkg-deb -f "$deb" Depends | tee "$work/depends"
for library in libsqlite3 libpq libssl libfmt libstdc++; do
  grep -q "$library" "$work/depends" || { echo "Depends lacks $library"; exit 1; }
done

dpkg-deb -x "$deb" "$work/root"
ldd "$work/root/usr/bin/posto" | grep "libbp.so.* => $work/root/usr/bin/../lib/" >/dev/null ||
  { ldd "$work/root/usr/bin/posto"; exit 1; }
"$work/root/usr/bin/posto" --help | grep "posto" >/dev/null
