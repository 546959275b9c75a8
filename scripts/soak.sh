#!/bin/sh
# scripts/soak.sh MINUTES [pulse|pipewire]: the module on a private sound server of that kind
# (default pulse) for MINUTES, through one long-lived host process (build/bin/mediadevice-host,
# or MDS_BUILD_DIR/bin/...) that watches and takes actions: USB headsets plugged and
# unplugged, ringtones, volumes from the module and from the server, preferred-order changes
# and server restarts, at random (MDS_SOAK_SEED repeats a run). Prints one summary line and
# exits non-zero when a check failed. The run's files (server, configuration, ringtones,
# the host's standard error) stay in MDS_SOAK_DIR, else a new folder under /tmp.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
for tool in python3 pactl sox; do
  command -v "$tool" >/dev/null || { echo "soak: FAIL $tool is missing (scripts/install-deps.sh)"; exit 2; }
done
exec python3 "$root/scripts/soak.py" "$@"
