#!/usr/bin/env bash
# Builds the Debian package of the assistant into build-package/packages/: a Release build for the
# /usr prefix, then cpack. Its Depends come from the programs' shared libraries (dpkg-shlibdeps)
# plus what they load or show at run time (cmake/ZqPackage.cmake).
#
#   bash scripts/package.sh
#   sudo apt-get install ./build-package/packages/zq-assistant_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build-package
bash scripts/install-deps.sh
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr > /dev/null
cmake --build "$build_dir" -j "$(nproc)"
rm -f "$build_dir"/packages/*.deb
(cd "$build_dir" && cpack -G DEB > /dev/null)

package=$(ls "$build_dir"/packages/*.deb)
dpkg-deb -I "$package" | grep -E '^ (Package|Version|Architecture|Depends):'
echo "Built $package"
