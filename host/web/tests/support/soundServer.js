// The sound server the tests run against (PULSE_SERVER): modules loaded with pactl, tones
// played and recordings made with its own clients.

import { execFile, spawn } from 'node:child_process';
import { once } from 'node:events';
import { readFileSync } from 'node:fs';

export const soundServer = process.env.PULSE_SERVER;

export function pactl(...args) {
  return new Promise((resolve, reject) => {
    execFile('pactl', args, { timeout: 15000 }, (error, stdout, stderr) =>
      error ? reject(new Error(`pactl ${args.join(' ')}: ${stderr || error.message}`)) : resolve(stdout.trim()),
    );
  });
}

export async function pactlJson(...args) {
  return JSON.parse(await pactl('-f', 'json', ...args));
}

// Loads a module and returns a function that unloads it (once). A module that went with
// another (a remapped source with its sink) is gone already, which is fine.
export async function loadModule(name, ...args) {
  const index = await pactl('load-module', name, ...args);
  let loaded = true;
  return async () => {
    if (!loaded) return;
    loaded = false;
    const modules = (await pactl('list', 'short', 'modules')).split('\n').map((line) => line.split('\t')[0]);
    if (modules.includes(index)) await pactl('unload-module', index);
  };
}

// Records a source as mono 16-bit samples until stop(), which resolves with them.
export const RECORD_RATE = 8000;
export function record(source, file) {
  const child = spawn('pacat', ['--record', '--raw', '-d', source, `--rate=${RECORD_RATE}`, '--channels=1',
    '--format=s16le', '--latency-msec=20', file], { stdio: 'ignore' });
  const exited = once(child, 'exit');
  return {
    async stop() {
      child.kill('SIGINT');
      await exited;
      const bytes = readFileSync(file);
      return new Int16Array(bytes.buffer, bytes.byteOffset, Math.floor(bytes.length / 2));
    },
  };
}

export function play(sink, wave) {
  const child = spawn('paplay', ['-d', sink, wave], { stdio: 'ignore' });
  const exited = once(child, 'exit');
  return { stop: async () => { if (child.exitCode === null) child.kill('SIGINT'); await exited; } };
}

export function makeSweep(file, seconds) {
  return new Promise((resolve, reject) =>
    execFile('sox', ['-n', '-r', String(RECORD_RATE), '-c', '1', '-b', '16', '-e', 'signed-integer', file,
      'synth', String(seconds), 'sine', '300-1500', 'vol', '0.5'], (error) => (error ? reject(error) : resolve(file))),
  );
}

// The best normalised correlation of `probe` anywhere inside `signal` (1: the same waveform,
// up to its level), and where it was found.
export function bestCorrelation(signal, probe) {
  const n = probe.length;
  let probeMean = 0;
  for (const value of probe) probeMean += value;
  probeMean /= n;
  let probeNorm = 0;
  const centred = new Float64Array(n);
  for (let i = 0; i < n; i++) {
    centred[i] = probe[i] - probeMean;
    probeNorm += centred[i] * centred[i];
  }
  let best = { score: 0, offset: -1 };
  if (probeNorm === 0 || signal.length < n) return best;
  for (let offset = 0; offset + n <= signal.length; offset += 2) {
    let sum = 0;
    let sumSquares = 0;
    let dot = 0;
    for (let i = 0; i < n; i++) {
      const value = signal[offset + i];
      sum += value;
      sumSquares += value * value;
      dot += value * centred[i];
    }
    const variance = sumSquares - (sum * sum) / n;
    if (variance <= 0) continue;
    const score = dot / Math.sqrt(variance * probeNorm);
    if (score > best.score) best = { score, offset };
  }
  return best;
}

// The part of a recording that is louder than silence: from the first to the last loud sample.
export function loudPart(samples, threshold = 1000) {
  let first = -1;
  let last = -1;
  for (let i = 0; i < samples.length; i++)
    if (Math.abs(samples[i]) > threshold) {
      if (first < 0) first = i;
      last = i;
    }
  return first < 0 ? samples.subarray(0, 0) : samples.subarray(first, last + 1);
}
