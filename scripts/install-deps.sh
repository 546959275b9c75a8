#!/bin/sh
# Installs what the build, the tests and the benchmarks need on a Debian machine.
# Safe to run again: packages already present are left alone.
set -eu

# sox and libsndfile1-dev make and read the test ringtones; libpulse-dev builds the
# sound-server backend; pulseaudio and pulseaudio-utils (pactl) run the private daemon its
# tests use, and pipewire, pipewire-pulse, wireplumber and dbus the private PipeWire stack;
# python3 writes the business objects from their tables; libcli11-dev and nlohmann-json3-dev
# give the host program its command line and JSON output;
# clang-14 and libclang-rt-14-dev build the fuzzers; chromium runs the settings page's
# browser tests, with node and npm where the machine has none of its own.
packages="cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libboost-dev sox libsndfile1-dev
  pkg-config libpulse-dev pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber dbus python3 libcli11-dev nlohmann-json3-dev
  clang-14 libclang-rt-14-dev chromium"
command -v node >/dev/null 2>&1 || packages="$packages nodejs"
command -v npm >/dev/null 2>&1 || packages="$packages npm"
root=$(cd "$(dirname "$0")/.." && pwd)

missing=""
for package in $packages; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
if [ -n "$missing" ]; then
  if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
  echo "installing:$missing"
  $sudo apt-get update -qq
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
fi

# The browser tests' packages, exactly as locked; again only when the lock file changed. No
# browser is downloaded: the tests drive Debian's chromium. Without them the tests skip.
tests="$root/host/web/tests"
if command -v npm >/dev/null 2>&1 && ! cmp -s "$tests/package-lock.json" "$tests/node_modules/.installed-lock"; then
  if (cd "$tests" && npm ci --ignore-scripts --no-audit --no-fund >/dev/null); then
    cp "$tests/package-lock.json" "$tests/node_modules/.installed-lock"
  else
    echo "warning: npm ci failed in $tests; the browser tests will skip" >&2
  fi
fi
