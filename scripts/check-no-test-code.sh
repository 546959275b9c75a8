#!/bin/sh
# scripts/check-no-test-code.sh [BUILD_DIR]: fails when a shared library of a built tree
# carries test code: a test helper among its exported symbols, or a test framework or a
# test-support header compiled into any object it is made of (read from the compiler's
# dependency records, so headers included through other headers count too). The check of
# what objects include needs a Ninja build; elsewhere it is skipped and the script exits 77.
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

if [ ! -f "$build/build.ninja" ]; then
    echo "check-no-test-code: not a Ninja build, included headers not checked"
    [ "$status" -eq 0 ] && exit 77
    exit "$status"
fi

for lib in $libs; do
    target=${lib#"$build"/}
    objects=$(ninja -C "$build" -t commands "$target" | grep -o -- ' -o [^ ]*\.o' | cut -c5- | sort -u)
    [ -n "$objects" ] || { fail "$target: no objects found in the build's commands"; continue; }
    # Test support is a test framework's header or anything in a test/ folder of the sources.
    # The records name headers relative to the build folder when the compiler ran through a
    # cache with a base directory, so they are made absolute before the source root is compared.
    # shellcheck disable=SC2086  # one argument per object
    found=$(ninja -C "$build" -t deps $objects | awk -v root="$root/" -v build="$build/" '
        function absolute(path) {
            if (path !~ /^\//) path = build path
            while (sub(/\/\.\//, "/", path)) {}
            while (sub(/\/[^\/]+\/\.\.\//, "/", path)) {}
            return path
        }
        function isTestSupport(header) {
            if (header ~ /(^|\/)(gtest|gmock)\//) return 1
            header = absolute(header)
            return index(header, root) == 1 && substr(header, length(root)) ~ /\/test\//
        }
        /^[^ \t]/ { object = $1 }
        /^[ \t]/ { if (isTestSupport($1)) print object " includes " $1 }')
    [ -z "$found" ] || fail "$target is built from test code:
$found"
done
[ "$status" -eq 0 ] && echo "check-no-test-code: $(echo "$libs" | wc -l) shared libraries, no test code"
exit "$status"
