# Sourced by the private sound-server scripts: whether a recorded process still lives, and
# ending one with its process group.

# A process that has exited but is not yet reaped (init may take seconds to) is gone.
living() {
  kill -0 "$1" 2>/dev/null || return 1
  [ "$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -c1)" != Z ]
}

# Asks the process and its group to end, and kills what is left after five seconds.
terminate() {
  kill -TERM -- "-$1" 2>/dev/null || true
  kill -TERM "$1" 2>/dev/null || true
  tries=0
  while living "$1" && [ "$tries" -lt 50 ]; do sleep 0.1; tries=$((tries + 1)); done
  kill -KILL -- "-$1" 2>/dev/null || true
  kill -KILL "$1" 2>/dev/null || true
}
