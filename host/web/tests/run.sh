#!/bin/sh
# host/web/tests/run.sh FILE...: runs browser tests with node's test runner. Exits 77, which
# CTest reports as skipped, naming what is missing.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
chromium=${MDS_CHROMIUM:-/usr/bin/chromium}
skip() { echo "skipped: $*"; exit 77; }
command -v node >/dev/null 2>&1 || skip "node is not installed (scripts/install-deps.sh installs it)"
major=$(node -p 'process.versions.node.split(".")[0]')
[ "$major" -ge 20 ] || skip "node $major is older than the 20 the test packages need"
[ -x "$chromium" ] || skip "no chromium at $chromium (scripts/install-deps.sh installs it)"
[ -f "$here/node_modules/playwright-core/package.json" ] ||
  skip "the test packages are not installed (scripts/install-deps.sh runs npm ci in $here)"
[ -n "${MDS_HOST_PROGRAM:-}" ] && [ -x "$MDS_HOST_PROGRAM" ] || skip "MDS_HOST_PROGRAM names no host program"
"$MDS_HOST_PROGRAM" --help 2>/dev/null | grep -q "^ *serve " || skip "$MDS_HOST_PROGRAM has no serve command"
case "$*" in *sound-server*) [ -n "${PULSE_SERVER:-}" ] || skip "PULSE_SERVER names no sound server" ;; esac
cd "$here"
exec node --test --test-concurrency=1 --test-reporter=tap "$@"
