// Runs the host program: `serve` in the background, and one-shot commands such as `list`.

import { spawn, execFile } from 'node:child_process';
import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { once } from 'node:events';
import readline from 'node:readline';

export const hostProgram = process.env.MDS_HOST_PROGRAM;

export function freshDirectory(prefix = 'mds-page-') {
  return mkdtempSync(path.join(process.env.MDS_TEST_TMP || tmpdir(), prefix));
}

// The simulated devices of the built-in scenario, with a timeline of the test's own.
const DEVICES = String.raw`
device playback sel=spk-builtin name="Built-in Speakers" hwid="PCI\VEN_1234&DEV_0001" volume=60
device recording sel=mic-builtin name="Built-in Microphone" hwid="PCI\VEN_1234&DEV_0001" volume=50 peak=0.25
device playback sel=usb-headset-spk name="Headset Earphone" hwid="USB\VID_0B0E&PID_0348&MI_00" volume=40
device recording sel=usb-headset-mic name="Headset Microphone" hwid="USB\VID_0B0E&PID_0348&MI_00" volume=70 peak=0.5
device capture sel=cam-builtin name="Integrated Camera" hwid="USB\VID_5986&PID_2113&MI_00"
default playback spk-builtin
default recording mic-builtin
default capture cam-builtin
`;
export const HEADSET_SPEAKER = String.raw`playback sel=usb-headset-spk name="Headset Earphone" hwid="USB\VID_0B0E&PID_0348&MI_00" volume=40`;

export function scenarioFile(directory, timeline = []) {
  const file = path.join(directory, 'test.scenario');
  writeFileSync(file, DEVICES + timeline.join('\n') + '\n');
  return file;
}

// Runs a subcommand to its end; resolves with its standard output, rejects on a failure.
export function runHost(args) {
  return new Promise((resolve, reject) => {
    execFile(hostProgram, args, { timeout: 30000 }, (error, stdout, stderr) => {
      if (error) reject(new Error(`${args.join(' ')}: ${stderr || error.message}`));
      else resolve(stdout);
    });
  });
}

export async function listJson(configDir, extra = []) {
  return JSON.parse(await runHost(['list', '--json', '--config-dir', configDir, ...extra]));
}

// `serve` until stop(): resolves once the first line gives the page's address.
export async function startServe(args) {
  const child = spawn(hostProgram, ['serve', ...args], { stdio: ['ignore', 'pipe', 'pipe'] });
  let stderr = '';
  child.stderr.on('data', (chunk) => (stderr = (stderr + chunk).slice(-8000)));
  const lines = readline.createInterface({ input: child.stdout });
  const exited = once(child, 'exit');
  const first = await Promise.race([
    once(lines, 'line').then(([line]) => line),
    exited.then(([code]) => Promise.reject(new Error(`serve exited with ${code} before its address: ${stderr}`))),
  ]);
  const match = /^Settings page: (http:\/\/\S+)$/.exec(first);
  if (!match) {
    child.kill('SIGKILL');
    throw new Error(`unexpected first line of serve: ${first}`);
  }
  const url = new URL(match[1]);
  return {
    url: url.href,
    origin: url.origin,
    port: Number(url.port),
    token: url.searchParams.get('token'),
    child,
    stderr: () => stderr,
    async stop(signal = 'SIGTERM') {
      if (child.exitCode !== null || child.signalCode !== null) return;
      child.kill(signal);
      await exited;
    },
  };
}
