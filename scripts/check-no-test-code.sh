#!/bin/sh
# scripts/check-no-test-code.sh [BUILD_DIR]: fails when a shared library of a built tree
# carries test code: a test helper among its exported symbols, or a test framework or a
# test-support header compiled into any object it is made of (read from the compiler's
# dependency records, so headers included through other headers count too); and when a
# header that the tree installs is test support. The check of what objects include needs a
# Ninja build; elsewhere it is skipped and the script exits 77.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
status=0
fail() {
    echo "check-no-test-code: $*" >&2
    status=1
}

libs=$(find "$build/lib" -maxdepth 1 -type f -name 'lib*.so*' | sort)
[ -n "$libs" ] || { echo "check-no-test-code: no shared library in $build/lib" >&2; exit 1; }

for lib in $libs; do
    helpers=$(nm -DC --defined-only "$lib" | grep -E 'Testing::|ForTesting|testing::|olvar::test::' || true)
    [ -z "$helpers" ] || fail "$(basename "$lib") exports test helpers:
$helpers"
done

# The installed headers, as an outside client gets them: none is, or includes, test support.
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
if cmake --install "$build" --prefix "$prefix" >/dev/null 2>&1; then
    found=$(grep -rlE '#include <(gtest|gmock)/|namespace olvar::test\b|LogCapture' "$prefix/include" || true)
    [ -z "$found" ] || fail "installed headers carry test support:
$found"
else
    fail "$build could not be installed to check its headers"
fi

if [ ! -f "$build/build.ninja" ]; then
    echo "check-no-test-code: not a Ninja build, included headers not checked"
    [ "$status" -eq 0 ] && exit 77
    exit "$status"
fi

test_header='(^|/)(gtest|gmock)/|/test/|/testing/|TestSupport\.h$|WaveTestFiles\.h$|olvar/LogCapture\.h$'
for lib in $libs; do
    target=${lib#"$build"/}
    objects=$(ninja -C "$build" -t commands "$target" | grep -o -- ' -o [^ ]*\.o' | cut -c5- | sort -u)
    [ -n "$objects" ] || { fail "$target: no objects found in the build's commands"; continue; }
    # shellcheck disable=SC2086  # one argument per object
    found=$(ninja -C "$build" -t deps $objects | awk -v pattern="$test_header" '
        /^[^ \t]/ { object = $1 }
        /^[ \t]/ { header = $1; if (header ~ pattern) print object " includes " header }')
    [ -z "$found" ] || fail "$target is built from test code:
$found"
done
[ "$status" -eq 0 ] && echo "check-no-test-code: $(echo "$libs" | wc -l) shared libraries, no test code"
exit "$status"
