#!/bin/sh
# scripts/check-install.sh [BUILD_DIR]: installs a built tree into a temporary prefix, checks
# what landed there, then builds the outside client (examples/client) against it twice, with
# its CMake package and with pkg-config, and runs both builds.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

say() { echo "== check-install: $*"; }
fail() { echo "check-install: $*" >&2; exit 1; }

say "installing into $prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$prefix/lib
[ -d "$libdir" ] || libdir=$(dirname "$(find "$prefix" -name 'libmediadeviceservice.so' | head -n 1)")
includedir=$prefix/include/mediadeviceservice

say "module, SONAME and host program"
soname=$(readelf -d "$libdir/libmediadeviceservice.so" | sed -n 's/.*Library soname: \[\(.*\)\]/\1/p')
[ "$soname" = "libmediadeviceservice.so.1" ] || fail "module SONAME is '$soname'"
[ -x "$prefix/bin/mediadevice-host" ] || fail "no host program installed"
"$prefix/bin/mediadevice-host" --config-dir "$work/host-config" > "$work/host.log" 2>&1 \
  || { cat "$work/host.log"; fail "the installed host program failed"; }
if readelf -d "$libdir/libmediadeviceservice.so" | grep -q "$build"; then fail "the module still points into $build"; fi

say "every installed header compiles on its own"
(cd "$includedir" && find . -name '*.h' | sed 's|^\./||') > "$work/headers"
[ -s "$work/headers" ] || fail "no headers installed"
while read -r header; do
  printf '#include "%s"\n' "$header" | c++ -std=c++20 -fsyntax-only -I "$includedir" -x c++ - \
    || fail "$header does not compile on its own"
done < "$work/headers"

say "no installed header is, or includes, test support"
found=$(grep -rlE '#include <(gtest|gmock)/|namespace olvar::test\b|LogCapture' "$prefix/include" || true)
[ -z "$found" ] || fail "installed headers carry test support:
$found"

say "client built with find_package"
cmake -S "$root/examples/client" -B "$work/client-cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/client-cmake" >/dev/null
"$work/client-cmake/mediadevice-client" "$work/config-cmake"

say "client built with pkg-config"
export PKG_CONFIG_PATH="$libdir/pkgconfig"
module=$(pkg-config --variable=module mediadeviceservice-interfaces)
# shellcheck disable=SC2046
c++ -std=c++20 -o "$work/client-pkg-config" "$root/examples/client/main.cpp" \
  -DMDS_MODULE_PATH="\"$module\"" -Wl,-rpath,"$libdir" $(pkg-config --cflags --libs mediadeviceservice-interfaces)
"$work/client-pkg-config" "$work/config-pkg-config"
# The module's own package links its exported classes; another module of the client reaches
# the adapter through the feature set, with records of its own, as the accessories side does.
cat > "$work/link.cpp" <<'CPP'
#include "OlvarUnified/UnifiedFactory.h"
#include "module/MediaDeviceFeatureSet.h"
#include "objects/mediaDevice/MediaDeviceImpl.h"
int main() {
    auto factory = std::make_shared<OlvarUnified::UnifiedFactory>();
    auto device = std::make_shared<OlvarUnified::MediaDeviceImpl>(factory);
    OlvarUnified::PreferredMediaDeviceImpl record("Headset", "", "headset", OlvarUnified::MediaDeviceTypeEnum::SPEAKER,
                                                  50, "", "Headset", "", "");
    bool noFeatureSet = factory->getFeatureSet<OlvarUnified::MediaDeviceFeatureSet>() == nullptr;
    return device->getUniqueIdentifier() == -1 && noFeatureSet && record.selectionId == "headset" ? 0 : 1;
}
CPP
# shellcheck disable=SC2046
c++ -std=c++20 -o "$work/link" "$work/link.cpp" -Wl,-rpath,"$libdir" $(pkg-config --cflags --libs mediadeviceservice)
"$work/link"

say "passed"
