#!/bin/sh
# scripts/pipewire-daemon.sh start|stop|env [DIR]: a private PipeWire stack for the tests.
#
# Runs pipewire, wireplumber and pipewire-pulse as the current user with everything in DIR
# (default /tmp/mds-pipewire): runtime folder, configuration, state, home, logs and pids,
# on a D-Bus session bus of its own. No system services, no logind, no hardware: the
# session manager's ALSA, Bluetooth and camera monitors are off. Clients speak the
# PulseAudio protocol on the same socket path as scripts/pulse-daemon.sh gives, and find
# the same devices: a null sink "ci_speakers" (CI-Speakers) and a virtual source "ci_mic".
# "stop" kills every process it recorded, with its process group, whatever state the
# stack is in.
set -eu
command=${1:-}
dir=${2:-${MDS_PIPEWIRE_DIR:-/tmp/mds-pipewire}}
socket="$dir/runtime/native"
daemons="pipewire wireplumber pipewire-pulse"
. "$(dirname "$0")/daemon-processes.sh"

alive() { [ -f "$dir/$1.pid" ] && living "$(cat "$dir/$1.pid")"; }

running() {
  for daemon in dbus $daemons; do alive "$daemon" || return 1; done
}

answers() { PULSE_SERVER="unix:$socket" pactl "$@" 2>/dev/null; }

write_config() {
  mkdir -p "$dir/config/pipewire" "$dir/config/wireplumber/main.lua.d" \
    "$dir/config/wireplumber/bluetooth.lua.d"
  # Replaces the packaged file: only the protocol and the test devices, and no
  # module-always-sink, whose stand-in sink the PulseAudio daemon does not have.
  cat > "$dir/config/pipewire/pipewire-pulse.conf" <<CONF
context.properties = { }
context.spa-libs = {
    audio.convert.* = audioconvert/libspa-audioconvert
    support.*       = support/libspa-support
}
context.modules = [
    { name = libpipewire-module-protocol-native }
    { name = libpipewire-module-client-node }
    { name = libpipewire-module-adapter }
    { name = libpipewire-module-metadata }
    { name = libpipewire-module-protocol-pulse
        args = { server.address = [ "unix:$socket" ] }
    }
]
pulse.cmd = [
    { cmd = "load-module" args = "module-null-sink sink_name=ci_speakers sink_properties=device.description=CI-Speakers" }
    { cmd = "load-module" args = "module-null-sink sink_name=ci_mic media.class=Audio/Source/Virtual" }
]
CONF
  # The session manager without its hardware monitors: policy, defaults and access only.
  cat > "$dir/config/wireplumber/main.lua.d/90-enable-all.lua" <<'LUA'
load_module("metadata")
default_access.enable()
device_defaults.enable()
stream_defaults.enable()
load_script("intended-roles.lua")
load_script("suspend-node.lua")
LUA
  echo "-- no Bluetooth monitor: there is no system bus here" \
    > "$dir/config/wireplumber/bluetooth.lua.d/90-enable-all.lua"
}

# Runs a daemon in a process group of its own (setsid replaces the shell's child, so the
# recorded pid is the group's) with the private folders and bus.
launch() {
  name=$1; shift
  env -u PULSE_SERVER -u PIPEWIRE_REMOTE -u PULSE_RUNTIME_PATH \
    HOME="$dir/home" XDG_RUNTIME_DIR="$dir/runtime" PIPEWIRE_RUNTIME_DIR="$dir/runtime" \
    XDG_CONFIG_HOME="$dir/config" XDG_STATE_HOME="$dir/state" XDG_DATA_HOME="$dir/home/.local/share" \
    DBUS_SESSION_BUS_ADDRESS="$(cat "$dir/dbus.address")" \
    setsid "$@" >"$dir/$name.log" 2>&1 </dev/null &
  echo $! > "$dir/$name.pid"
}

fail() {
  echo "pipewire-daemon: $1; the logs:" >&2
  for log in "$dir"/*.log; do [ -f "$log" ] && { echo "--- $log" >&2; cat "$log" >&2; }; done
  stop
  return 1
}

start() {
  if running && answers info >/dev/null; then echo "PULSE_SERVER=unix:$socket"; return 0; fi
  stop
  rm -rf "$dir"
  mkdir -p "$dir/runtime" "$dir/state" "$dir/home"
  chmod 700 "$dir/runtime"
  write_config
  dbus-daemon --session --fork --nopidfile --address="unix:path=$dir/runtime/bus" \
    --print-address=3 --print-pid=4 3>"$dir/dbus.address" 4>"$dir/dbus.pid" >"$dir/dbus.log" 2>&1 </dev/null ||
    { fail "the session bus did not start"; return 1; }
  launch pipewire pipewire
  # The others connect to pipewire's socket: wait for it first.
  tries=0
  until [ -S "$dir/runtime/pipewire-0" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! alive pipewire; then fail "pipewire did not come up"; return 1; fi
    sleep 0.1
  done
  launch wireplumber wireplumber
  launch pipewire-pulse pipewire-pulse
  # Ready when a client gets an answer, the devices are there and the session manager has
  # made them the defaults; about ten seconds at most.
  tries=0
  until [ "$(answers get-default-sink)" = ci_speakers ] && [ "$(answers get-default-source)" = ci_mic ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! running; then fail "the stack did not come up"; return 1; fi
    sleep 0.1
  done
  echo "PULSE_SERVER=unix:$socket"
}

finish() {
  [ -f "$dir/$1.pid" ] || return 0
  pid=$(cat "$dir/$1.pid")
  [ -n "$pid" ] && terminate "$pid"
  rm -f "$dir/$1.pid"
}

stop() {
  # Clients first, the bus last, so that none of them restarts another.
  for daemon in pipewire-pulse wireplumber pipewire dbus; do finish "$daemon"; done
}

case "$command" in
  start) start ;;
  stop) stop ;;
  env) echo "PULSE_SERVER=unix:$socket" ;;
  *) echo "usage: $0 start|stop|env [DIR]" >&2; exit 2 ;;
esac
