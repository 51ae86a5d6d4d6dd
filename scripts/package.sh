#!/usr/bin/env bash
# Builds the Debian package of the assistant into build-package/packages/: a Release build for the
# /usr prefix of what the package holds (no tests, no benchmarks) with Debian's hardening flags,
# then cpack. Its Depends come from the programs' shared libraries (dpkg-shlibdeps) plus what they
# load or show at run time (cmake/ZqPackage.cmake). With lintian installed, the package is checked.
#
#   bash scripts/package.sh
#   sudo apt-get install ./build-package/packages/zq-assistant_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build-package
bash scripts/install-deps.sh package
# The flags Debian builds its own packages with, every hardening feature on (bindnow among them).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DZQ_BUILD_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" > /dev/null
cmake --build "$build_dir" -j "$(nproc)"
rm -f "$build_dir"/packages/*.deb
(cd "$build_dir" && cpack -G DEB > /dev/null)

package=$(ls "$build_dir"/packages/*.deb)
dpkg-deb -I "$package" | grep -E '^ (Package|Version|Architecture|Depends):'
echo "Built $package"
if command -v lintian > /dev/null; then
    lintian --pedantic "$package"
fi
