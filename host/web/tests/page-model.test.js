// The page's model of the host's state, without a browser: the order it shows, and the
// changes that events and reorders make to it.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readdirSync, statSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { Model, moved } from '../js/model.js';

const device = (selectionId, extra = {}) => ({ name: selectionId.toUpperCase(), selectionId, pluggedIn: true, volume: 50, ...extra });

function speakerState({ preferred, available, current }) {
  return { types: [{ type: 'speaker', preferred, available, current, inUse: current ? current.selectionId : null }] };
}

test('moved puts one id at a position and keeps the others in order', () => {
  assert.deepEqual(moved(['a', 'b', 'c'], 'c', 0), ['c', 'a', 'b']);
  assert.deepEqual(moved(['a', 'b', 'c'], 'a', 2), ['b', 'c', 'a']);
  assert.deepEqual(moved(['a', 'b', 'c'], 'b', 99), ['a', 'c', 'b'], 'past the end is the end');
  assert.deepEqual(moved(['a', 'b', 'c'], 'b', -3), ['b', 'a', 'c'], 'before the start is the start');
});

test('the panel order is the preferred list, then available devices it does not name', () => {
  const model = new Model();
  const a = device('a');
  model.reset(speakerState({ preferred: [device('b'), a], available: [a, device('c')], current: a }));
  const shown = model.devicesOf('speaker');
  assert.deepEqual(shown.map((entry) => entry.selectionId), ['b', 'a', 'c']);
  assert.deepEqual(shown.map((entry) => entry.current), [false, true, false], 'one badge, on the current device');
  assert.deepEqual(model.devicesOf('camera'), [], 'a type the state lacks is empty, not an error');
});

test('an unplugged preferred device stays in its place, greyed', () => {
  const model = new Model();
  model.reset(speakerState({ preferred: [device('a', { pluggedIn: false }), device('b')], available: [device('b')], current: device('b') }));
  assert.deepEqual(model.devicesOf('speaker').map((entry) => [entry.selectionId, entry.pluggedIn]), [['a', false], ['b', true]]);
});

test('a reorder ignores ids the host does not know and keeps unnamed devices after', () => {
  const model = new Model();
  model.reset(speakerState({ preferred: [device('a'), device('b'), device('c')], available: [device('a'), device('b'), device('c')], current: null }));
  model.setPreferredOrder('speaker', ['c', 'ghost', 'a']);
  assert.deepEqual(model.preferredIds('speaker'), ['c', 'a', 'b']);
});

test('a volume event changes every copy of the device, and only that device', () => {
  const model = new Model();
  const a = device('a');
  model.reset(speakerState({ preferred: [a, device('b')], available: [device('a'), device('b')], current: device('a') }));
  model.setVolume('speaker', 'a', 7);
  model.setVolume('ringer', 'b', 99);  // a type without that device: nothing changes
  model.setVolume('nonsense', 'a', 1);
  const state = model.types.get('speaker');
  assert.deepEqual([state.preferred[0].volume, state.available[0].volume, state.current.volume], [7, 7, 7]);
  assert.deepEqual(model.devicesOf('speaker').map((entry) => entry.volume), [7, 50]);
});

test('a fresh state replaces everything, sounds included, and ignores unknown types', () => {
  const model = new Model();
  model.reset({ ...speakerState({ preferred: [device('a')], available: [device('a')], current: null }), sounds: ['Tone'] });
  model.reset({ types: [{ type: 'toaster', preferred: [device('t')] }], sounds: ['Chime'] });
  assert.deepEqual(model.devicesOf('speaker'), []);
  assert.deepEqual(model.sounds, ['Chime']);
  assert.equal(model.types.has('toaster'), false);
});

test('the page stays small: everything it serves is under 150 KB', () => {
  const root = path.dirname(path.dirname(fileURLToPath(import.meta.url)));
  const size = (entry) => {
    if (['tests', 'CMakeLists.txt', 'package.json'].includes(path.basename(entry))) return 0;
    const stat = statSync(entry);
    return stat.isDirectory() ? readdirSync(entry).reduce((sum, name) => sum + size(path.join(entry, name)), 0) : stat.size;
  };
  const bytes = size(root);
  assert.ok(bytes > 0 && bytes < 150 * 1024, `${bytes} bytes`);
});
