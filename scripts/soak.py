#!/usr/bin/env python3
"""The module on a real sound server for MINUTES: one long-lived host process watches the
service and takes action lines, while this driver plugs and unplugs USB headsets (null sinks
and sources carrying USB ids), rings, changes volumes from the module and from the server,
reorders the preferred devices and now and then kills the server and starts it again. At
the end it prints one summary line and exits non-zero when a check failed. See soak.sh."""

import glob
import json
import os
import random
import re
import signal
import subprocess
import sys
import tempfile
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MAX_PLUGGED = 4           # headset devices plugged at once, at most
HEADSETS = 6              # the pool of headsets; each has a speaker and a microphone
SETTLE_SECONDS = 30       # how long the events of an action may take to arrive
SANITIZER_MARKS = ("Sanitizer", "runtime error:", "WARNING: ThreadSanitizer", "ERROR: LeakSanitizer")
MAPPING_LINE = re.compile(r"^[0-9a-f]+-[0-9a-f]+ ")
PROPERTIES_LINE = re.compile(r"^([A-Za-z]+)-([A-Za-z]+)-(\d+): (.*)$")


def audio_pool_kb(smaps):
    """Resident pages of the sound-server client library's shared-memory pool: one mapping of
    fixed size whose pages are touched as streams first need them, up to the most audio
    ever in flight at once. It grows towards that mark, never past its size, whatever the
    run's length, so the memory check leaves it out and reports it apart."""
    total, inside = 0, False
    for line in smaps.splitlines():
        if MAPPING_LINE.match(line):
            inside = "/memfd:pulseaudio" in line
        elif inside and line.startswith("Rss:"):
            total += int(line.split()[1])
    return total


def without_quarantine_if_instrumented(program):
    """Under AddressSanitizer, freed memory waits in a quarantine of up to hundreds of MB, so
    resident memory would grow for minutes whatever the program does. The soak turns the
    quarantine off: leaks, overflows and undefined behaviour are still caught, and memory
    that really grows still shows."""
    with open(program, "rb") as binary:
        if b"__asan_init" not in binary.read():
            return
    options = os.environ.get("ASAN_OPTIONS", "")
    if "quarantine_size_mb" not in options:
        os.environ["ASAN_OPTIONS"] = ":".join(
            filter(None, [options, "quarantine_size_mb=0", "thread_local_quarantine_size_kb=0"]))


def fail_early(message):
    print("soak: FAIL " + message, flush=True)
    sys.exit(2)


class Server:
    """The private sound server, started and restarted with the project's daemon script."""

    def __init__(self, kind, directory):
        self.script = os.path.join(ROOT, "scripts", kind + "-daemon.sh")
        if not os.access(self.script, os.X_OK):
            fail_early(f"no {self.script}: cannot run a {kind} server")
        self.kind = kind
        self.directory = directory
        self.address = None

    def start(self):
        out = subprocess.run([self.script, "start", self.directory], capture_output=True, text=True)
        lines = [line for line in out.stdout.splitlines() if line.startswith("PULSE_SERVER=")]
        if out.returncode != 0 or not lines:
            raise RuntimeError(f"{self.kind} server did not start: {out.stderr.strip()}")
        self.address = lines[-1].split("=", 1)[1]
        os.environ["PULSE_SERVER"] = self.address

    def kill(self):
        """Dies as a crash would: no goodbye to its clients."""
        # The daemon scripts keep their pids in DIR/pid (PulseAudio) or DIR/<daemon>.pid.
        for path in glob.glob(os.path.join(self.directory, "*pid")):
            if os.path.isfile(path):
                for pid in open(path).read().split():
                    try:
                        os.kill(int(pid), signal.SIGKILL)
                    except (ProcessLookupError, ValueError):
                        pass
        subprocess.run([self.script, "stop", self.directory], capture_output=True)

    def stop(self):
        subprocess.run([self.script, "stop", self.directory], capture_output=True)

    def pactl(self, *arguments):
        out = subprocess.run(["pactl", *arguments], capture_output=True, text=True, timeout=20)
        return out.returncode, out.stdout.strip()


class Headset:
    def __init__(self, number):
        self.number = number
        self.hardware = (f"device.bus=usb device.vendor.id=0b0e device.product.id={0x0340 + number:04x} "
                         f"device.serial=SOAK{number}")
        self.speaker = f"soak_headset{number}"
        self.microphone = f"soak_headset{number}_mic"


class Host:
    """The one host process: `watch --json --commands --persist` on the sound server."""

    def __init__(self, program, config, errors_path):
        self.errors = open(errors_path, "w")
        self.process = subprocess.Popen(
            [program, "watch", "--json", "--commands", "--persist", "--backend", "pulse", "--config-dir", config],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=self.errors, text=True, bufsize=1)
        self.lock = threading.Condition()
        self.counts = {}
        self.done = {}           # line number -> exit status
        self.started = []        # session ids, in order
        self.finished = {}       # session id -> times reported
        self.bad_lines = 0
        self.listed = None       # the last list's document
        self.sent = 0
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in self.process.stdout:
            try:
                event = json.loads(line)
            except ValueError:
                with self.lock:
                    self.bad_lines += 1
                continue
            with self.lock:
                name = event.get("event") if isinstance(event, dict) else None
                if name:
                    self.counts[name] = self.counts.get(name, 0) + 1
                if isinstance(event, dict) and "types" in event:
                    self.listed = event
                if name == "Done":
                    self.done[event["line"]] = event["status"]
                elif name == "Playing":
                    self.started.extend(event["sessions"])
                elif name == "SoundPlayFinished":
                    self.finished[event["session"]] = self.finished.get(event["session"], 0) + 1
                self.lock.notify_all()
        with self.lock:
            self.lock.notify_all()

    def count(self, name):
        with self.lock:
            return self.counts.get(name, 0)

    def wait(self, predicate, timeout=SETTLE_SECONDS):
        deadline = time.monotonic() + timeout
        with self.lock:
            while not predicate():
                left = deadline - time.monotonic()
                if left <= 0 or self.process.poll() is not None:
                    return predicate()
                self.lock.wait(left)
            return True

    def command(self, line):
        """Sends an action line and waits for its Done; its exit status (None: no answer)."""
        self.sent += 1
        number = self.sent
        try:
            self.process.stdin.write(line + "\n")
            self.process.stdin.flush()
        except BrokenPipeError:
            return None
        self.wait(lambda: number in self.done, timeout=120)
        with self.lock:
            return self.done.get(number)

    def playing(self):
        with self.lock:
            return [s for s in self.started if s not in self.finished]

    def sample(self):
        pid = self.process.pid
        status = open(f"/proc/{pid}/status").read()
        value = lambda key: int(re.search(key + r":\s+(\d+)", status).group(1))
        smaps = open(f"/proc/{pid}/smaps").read()
        return {"rss_kb": value("VmRSS"), "pool_kb": audio_pool_kb(smaps), "fds": len(os.listdir(f"/proc/{pid}/fd")),
                "threads": value("Threads"), "smaps": smaps}

    def finish(self, timeout=120):
        try:
            self.process.stdin.close()
        except BrokenPipeError:
            pass
        try:
            status = self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            status = self.process.wait()
        self.reader.join(10)
        self.errors.close()
        return status


class Soak:
    def __init__(self, minutes, kind, directory, seed):
        self.minutes = minutes
        self.directory = directory
        self.random = random.Random(seed)
        self.seed = seed
        self.server = Server(kind, os.path.join(directory, "server"))
        self.config = os.path.join(directory, "config")
        os.makedirs(self.config, exist_ok=True)
        self.headsets = [Headset(n) for n in range(1, HEADSETS + 1)]
        self.plugged = {}        # device name -> module index on the server
        self.ever_plugged = set()
        self.base = {"speaker": [], "microphone": []}  # the server's own devices, back with it
        self.base_devices = 0
        self.expected_added = 0
        self.expected_removed = 0
        self.restarts = 0
        self.plugs = 0
        self.unplugs = 0
        self.actions = {}
        self.failed_commands = 0
        self.problems = []
        self.trend = []          # own resident memory (kB) of every quiet sample, in order
        self.ringtones = self._make_ringtones()

    def _make_ringtones(self):
        tones = []
        for name, synth in (("short", ["synth", "0.4", "sine", "660"]), ("long", ["synth", "2.5", "sine", "440"])):
            path = os.path.join(self.directory, f"ring-{name}.wav")
            subprocess.run(["sox", "-n", "-r", "48000", "-c", "2", "-b", "16", "-e", "signed-integer", path, *synth,
                            "vol", "0.3"], check=True)
            tones.append(path)
        return tones

    # --- devices -----------------------------------------------------------------------
    def _plug(self):
        free = [(h, kind) for h in self.headsets for kind in ("speaker", "microphone")
                if getattr(h, kind) not in self.plugged]
        if not free or len(self.plugged) >= MAX_PLUGGED:
            return self._unplug()
        headset, kind = self.random.choice(free)
        name = getattr(headset, kind)
        description = f"device.description=Soak-{name} {headset.hardware}"
        if kind == "speaker":
            arguments = ["module-null-sink", f"sink_name={name}", f"sink_properties='{description}'"]
        elif self.server.kind == "pipewire":
            arguments = ["module-null-sink", f"sink_name={name}", "media.class=Audio/Source/Virtual",
                         f"sink_properties='{description}'"]
        else:
            arguments = ["module-remap-source", "master=ci_mic", f"source_name={name}",
                         f"source_properties='{description}'"]
        status, index = self.server.pactl("load-module", *arguments)
        if status != 0:
            self.problems.append(f"pactl load-module {name} failed")
            return "plug-failed"
        self.plugged[name] = index
        self.ever_plugged.add((kind, name))
        self.expected_added += 1
        self.plugs += 1
        return "plug"

    def _unplug(self, name=None):
        if not self.plugged:
            return self._plug()
        name = name or self.random.choice(sorted(self.plugged))
        index = self.plugged.pop(name)
        status, _ = self.server.pactl("unload-module", index)
        if status != 0:
            self.problems.append(f"pactl unload-module {name} failed")
        self.expected_removed += 1
        self.unplugs += 1
        return "unplug"

    def _present(self, kind):
        microphones = kind == "microphone"
        base = self.base["microphone" if microphones else "speaker"]
        return base + sorted(n for n in self.plugged if microphones == n.endswith("_mic"))

    # --- actions -----------------------------------------------------------------------
    def _send(self, line):
        status = self.host.command(line)
        if status is None:
            self.problems.append(f"no answer to '{line}'")
        elif status != 0:
            # A device unplugged a moment ago may be gone when the line runs; counted, not fatal.
            self.failed_commands += 1

    def _ring(self):
        tone = self.random.choice(self.ringtones)
        choice = self.random.random()
        if choice < 0.3:
            self._send(f"play {tone} --all-ringers --volume {self.random.randint(10, 100)}")
        elif choice < 0.5:
            self._send(f"play {tone}")
        else:
            self._send(f"play {tone} --device {self.random.choice(self._present('ringer'))}")
        return "ring"

    def _stop(self):
        playing = self.host.playing()
        if playing and self.random.random() < 0.7:
            self._send(f"stop {self.random.choice(playing)}")
        else:
            self._send("stop all")
        return "stop"

    def _module_volume(self):
        kind = self.random.choice(("speaker", "microphone", "ringer"))
        self._send(f"volume {kind} {self.random.choice(self._present(kind))} {self.random.randint(0, 100)}")
        return "volume-module"

    def _server_volume(self):
        if self.random.random() < 0.5:
            self.server.pactl("set-sink-volume", self.random.choice(self._present("speaker")),
                              f"{self.random.randint(0, 100)}%")
        else:
            self.server.pactl("set-source-volume", self.random.choice(self._present("microphone")),
                              f"{self.random.randint(0, 100)}%")
        return "volume-server"

    def _prefer(self):
        kind = self.random.choice(("speaker", "microphone", "ringer"))
        present = self._present(kind)
        self.random.shuffle(present)
        self._send(f"prefer {kind} {' '.join(present)}")
        return "prefer"

    def _settle(self):
        """Until every plug and unplug made so far was heard and no ringtone plays."""
        ok = self.host.wait(lambda: self.host.counts.get("DeviceAdded", 0) >= self.expected_added
                            and self.host.counts.get("DeviceRemoved", 0) >= self.expected_removed)
        self._send("stop all")
        self.host.wait(lambda: not self.host.playing())
        self._send("list")  # the host has run every line sent so far
        return ok

    def _restart_server(self):
        self._settle()
        self.expected_removed += self.base_devices + len(self.plugged)
        self.plugged.clear()
        self.server.kill()
        time.sleep(self.random.uniform(0.5, 3))  # the host retries meanwhile
        self.server.start()
        self.expected_added += self.base_devices
        self.restarts += 1
        self._settle()
        return "restart"

    def _quiet_sample(self, name):
        """Resources with only the server's own devices plugged and everything settled; the
        memory map is kept in the soak's folder for a look at what grew. None once the host
        has died."""
        if self.host.process.poll() is not None:
            return None
        for device in sorted(self.plugged):
            self._unplug(device)
        self._settle()
        sample = self.host.sample()
        self.trend.append(sample["rss_kb"] - sample["pool_kb"])
        with open(os.path.join(self.directory, f"smaps-{name}.txt"), "w") as out:
            out.write(sample.pop("smaps"))
        return sample

    # --- the run -------------------------------------------------------------------------
    def run(self, program):
        self.server.start()
        self.host = Host(program, self.config, os.path.join(self.directory, "host.err"))
        if not self.host.wait(lambda: self.host.counts.get("Watching", 0) == 1, timeout=60):
            self.problems.append("the host did not start watching")
            return self.report(None, None, self.host.finish())
        if self.host.command("list") != 0 or not self.host.listed:
            self.problems.append("the first list failed")
            return self.report(None, None, self.host.finish())
        for entry in self.host.listed["types"]:
            if entry["type"] in self.base:
                self.base[entry["type"]] = [d["selectionId"] for d in entry["available"]]
        self.base_devices = len(self.base["speaker"]) + len(self.base["microphone"])
        if not self.base["speaker"] or not self.base["microphone"]:
            self.problems.append("the server offers no speaker or no microphone of its own")
            return self.report(None, None, self.host.finish())

        start = time.monotonic()
        end = start + self.minutes * 60
        baseline = None
        restart_every = min(180.0, max(40.0, self.minutes * 60 * 0.45))
        # Quiet samples between the first minute and the end show whether memory levels off.
        sample_every, next_sample = max(60.0, self.minutes * 60 / 6), None
        next_restart = start + restart_every * self.random.uniform(0.8, 1.2)
        steps = [(self._plug, 22), (self._unplug, 14), (self._ring, 14), (self._stop, 8),
                 (self._module_volume, 12), (self._server_volume, 10), (self._prefer, 10)]
        while time.monotonic() < end and self.host.process.poll() is None:
            now = time.monotonic()
            if baseline is None and now - start >= 60:
                baseline = self._quiet_sample("baseline")
                next_sample = time.monotonic() + sample_every
                continue
            if next_sample and now >= next_sample and end - now > sample_every / 2:
                self._quiet_sample(f"minute-{(now - start) / 60:.0f}")
                next_sample = time.monotonic() + sample_every
                continue
            if now >= next_restart and end - now > 20:
                action = self._restart_server()
                next_restart = time.monotonic() + restart_every * self.random.uniform(0.8, 1.2)
            else:
                action = self.random.choices([s for s, _ in steps], [w for _, w in steps])[0]()
            self.actions[action] = self.actions.get(action, 0) + 1
            time.sleep(self.random.uniform(0.05, 0.5))
        if baseline is None:
            baseline = self._quiet_sample("baseline")
        final = self._quiet_sample("final")
        self._settle()
        status = self.host.finish()
        return self.report(baseline, final, status)

    # --- the checks ----------------------------------------------------------------------
    def _check_file(self):
        path = os.path.join(self.config, "deviceData4.properties")
        if not os.path.exists(path):
            return False, "no preferred-device file"
        stored = {}
        for number, line in enumerate(open(path, encoding="utf-8").read().splitlines(), 1):
            if not line.strip():
                continue
            match = PROPERTIES_LINE.match(line)
            if not match:
                return False, f"file line {number} is not TYPE-KEY-N: VALUE"
            kind, key, index, value = match.groups()
            if key == "SelectionID":
                stored.setdefault(kind, set()).add(value)
        # A fresh module must read it back: the simulated device manager lists what it keeps.
        out = subprocess.run([os.path.join(self.program_dir, "mediadevice-host"), "list", "--json",
                              "--config-dir", self.config], capture_output=True, text=True, timeout=120)
        if out.returncode != 0:
            return False, "a fresh module could not read the file"
        preferred = {t["type"]: {d["selectionId"] for d in t["preferred"]} for t in json.loads(out.stdout)["types"]}
        missing = []
        for kind, name in sorted(self.ever_plugged):
            for list_type in (("speaker", "ringer") if kind == "speaker" else ("microphone",)):
                if name not in preferred.get(list_type, set()):
                    missing.append(f"{list_type}:{name}")
        if missing:
            return False, "file lacks " + ",".join(missing)
        return True, f"{sum(len(v) for v in stored.values())} entries, all {len(self.ever_plugged)} plugged kept"

    def report(self, baseline, final, status):
        problems = list(self.problems)
        errors = open(os.path.join(self.directory, "host.err"), errors="replace").read()
        sanitizer = any(mark in errors for mark in SANITIZER_MARKS)
        if status != 0:
            problems.append(f"host exit status {status}")
        if sanitizer:
            problems.append("sanitizer report in host.err")
        added, removed = self.host.count("DeviceAdded"), self.host.count("DeviceRemoved")
        if added != self.expected_added or removed != self.expected_removed:
            problems.append(f"device events: added {added} of {self.expected_added}, "
                            f"removed {removed} of {self.expected_removed}")
        unfinished = [s for s in self.host.started if self.host.finished.get(s, 0) == 0]
        doubled = [s for s, n in self.host.finished.items() if n != 1 or s not in self.host.started]
        if unfinished or doubled:
            problems.append(f"sessions unfinished {unfinished[:5]} or ended twice/unknown {doubled[:5]}")
        if self.host.bad_lines:
            problems.append(f"{self.host.bad_lines} output lines were not JSON")
        file_ok, file_text = self._check_file()
        if not file_ok:
            problems.append(file_text)
        figures = ""
        if baseline and final:
            own = lambda sample: sample["rss_kb"] - sample["pool_kb"]
            growth = 100.0 * (own(final) - own(baseline)) / own(baseline)
            if growth > 5.0:
                problems.append(f"resident memory grew {growth:.1f}%")
            if final["fds"] > baseline["fds"]:
                problems.append(f"descriptors {baseline['fds']} -> {final['fds']}")
            if final["threads"] > baseline["threads"]:
                problems.append(f"threads {baseline['threads']} -> {final['threads']}")
            figures = (f"rss {own(baseline) / 1024:.1f}->{own(final) / 1024:.1f} MB ({growth:+.1f}%; audio pool "
                       f"{baseline['pool_kb'] / 1024:.1f}->{final['pool_kb'] / 1024:.1f} MB apart; quiet samples "
                       f"{','.join(f'{kb / 1024:.1f}' for kb in self.trend)}), "
                       f"fds {baseline['fds']}->{final['fds']}, threads {baseline['threads']}->{final['threads']}, ")
        verdict = "PASS" if not problems else "FAIL"
        print(f"soak: {verdict} {self.server.kind} {self.minutes:g} min seed {self.seed}: {figures}"
              f"DeviceAdded {added}/{self.expected_added} DeviceRemoved {removed}/{self.expected_removed} "
              f"(plugs {self.plugs}, unplugs {self.unplugs}, server restarts {self.restarts}), "
              f"sessions {len(self.host.started)} started {sum(self.host.finished.values())} finished, "
              f"commands {self.host.sent} ({self.failed_commands} refused), file: {file_text}, "
              f"sanitizer: {'REPORT' if sanitizer else 'none'}"
              + ("" if not problems else " | " + "; ".join(problems)), flush=True)
        return 0 if not problems else 1


def main():
    if len(sys.argv) < 2:
        print("usage: soak.sh MINUTES [pulse|pipewire]", file=sys.stderr)
        return 2
    try:
        minutes = float(sys.argv[1])
    except ValueError:
        minutes = -1
    kind = sys.argv[2] if len(sys.argv) > 2 else "pulse"
    if minutes <= 0 or kind not in ("pulse", "pipewire"):
        print("usage: soak.sh MINUTES [pulse|pipewire]", file=sys.stderr)
        return 2
    build = os.environ.get("MDS_BUILD_DIR", os.path.join(ROOT, "build"))
    program = os.path.join(build, "bin", "mediadevice-host")
    if not os.access(program, os.X_OK):
        fail_early(f"no {program}: build it first (scripts/build.sh build)")
    without_quarantine_if_instrumented(program)
    directory = os.environ.get("MDS_SOAK_DIR") or tempfile.mkdtemp(prefix=f"mds-soak-{kind}-")
    os.makedirs(directory, exist_ok=True)
    seed = int(os.environ.get("MDS_SOAK_SEED", random.randrange(1 << 30)))
    soak = Soak(minutes, kind, directory, seed)
    soak.program_dir = os.path.dirname(program)
    try:
        return soak.run(program)
    finally:
        if getattr(soak, "host", None) and soak.host.process.poll() is None:
            soak.host.process.kill()
        soak.server.stop()


if __name__ == "__main__":
    sys.exit(main())
