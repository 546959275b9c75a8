#!/bin/sh
# scripts/pulse-daemon.sh start|stop|env [DIR]: a private PulseAudio daemon for the tests.
#
# The daemon keeps everything in DIR (default /tmp/mds-pulse): runtime folder, state, its
# pid file and log. It is a per-user instance with no D-Bus and no autospawn, loads only
# the native protocol (anonymous access, so no cookie is needed), one null sink
# "ci_speakers" and one null source "ci_mic", and never exits on idle. Tests reach it
# through PULSE_SERVER, which "env" prints. As root the daemon only warns that it is not
# meant to run as root; it runs all the same as a per-user instance.
set -eu
command=${1:-}
dir=${2:-${MDS_PULSE_DIR:-/tmp/mds-pulse}}
socket="$dir/runtime/native"
. "$(dirname "$0")/daemon-processes.sh"

running() { [ -f "$dir/pid" ] && living "$(cat "$dir/pid")"; }

start() {
  if running; then echo "PULSE_SERVER=unix:$socket"; return 0; fi
  rm -rf "$dir"
  mkdir -p "$dir/runtime" "$dir/state" "$dir/home"
  chmod 700 "$dir/runtime"
  cat > "$dir/daemon.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 socket=$socket
load-module module-null-sink sink_name=ci_speakers sink_properties=device.description=CI-Speakers
load-module module-null-source source_name=ci_mic
PA
  echo "autospawn = no" > "$dir/client.conf"
  HOME="$dir/home" XDG_RUNTIME_DIR="$dir/runtime" PULSE_RUNTIME_PATH="$dir/runtime" \
    PULSE_STATE_PATH="$dir/state" PULSE_CLIENTCONFIG="$dir/client.conf" DBUS_SESSION_BUS_ADDRESS=disabled: \
    nohup pulseaudio -n --system=no --daemonize=no --use-pid-file=no --disallow-exit \
      --exit-idle-time=-1 --disable-shm=yes -F "$dir/daemon.pa" --log-target=stderr \
      >"$dir/log" 2>&1 </dev/null &
  echo $! > "$dir/pid"
  # Ready when a client gets an answer; give up after about ten seconds.
  tries=0
  until PULSE_SERVER="unix:$socket" PULSE_CLIENTCONFIG="$dir/client.conf" pactl info >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! running; then
      echo "pulse-daemon: the daemon did not come up; its log:" >&2
      cat "$dir/log" >&2
      stop
      return 1
    fi
    sleep 0.1
  done
  echo "PULSE_SERVER=unix:$socket"
}

stop() {
  if running; then terminate "$(cat "$dir/pid")"; fi
  rm -f "$dir/pid"
}

case "$command" in
  start) start ;;
  stop) stop ;;
  env) echo "PULSE_SERVER=unix:$socket" ;;
  *) echo "usage: $0 start|stop|env [DIR]" >&2; exit 2 ;;
esac
