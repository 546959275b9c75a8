// The settings page on the sound server that PULSE_SERVER names: its sinks and sources, and
// changes made with the server's own tools, show up live.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import path from 'node:path';
import { freshDirectory, hostProgram, startServe } from './support/host.js';
import { browserAvailable, chromiumPath, openBrowser } from './support/browser.js';
import { PANEL, openSettings, shownDevices } from './support/page.js';
import {
  RECORD_RATE, bestCorrelation, loadModule, loudPart, makeSweep, pactlJson, pactl, play, record, soundServer,
} from './support/soundServer.js';

const skip = !soundServer ? 'PULSE_SERVER names no sound server'
  : !hostProgram ? 'MDS_HOST_PROGRAM names no host program'
  : !browserAvailable ? `no chromium at ${chromiumPath}` : false;

async function servedPage(t) {
  const configDir = freshDirectory();
  const server = await startServe(['--backend', 'pulse', '--config-dir', configDir]);
  const browser = await openBrowser();
  t.after(async () => {
    await browser.close();
    await server.stop();
  });
  await openSettings(browser.page, server.url);
  return { page: browser.page, browser };
}

const rowNamed = (page, type, name) => PANEL(page, type).locator('li.device').filter({ has: page.locator('.name', { hasText: name }) });

// Puts a device in use with its "Use this" button, unless a plug made it the one in use already.
async function use(page, type, name) {
  const row = rowNamed(page, type, name);
  await row.waitFor();
  if (await row.locator('.badge').isHidden()) await row.getByRole('button', { name: `Use ${name}` }).click();
  await row.locator('.badge:not([hidden])').waitFor();
}

// A unique name per run, so a leftover of an earlier run never answers for this one.
const unique = (stem) => `${stem}_${process.pid}_${Date.now() % 100000}`;

test('the settings page on the sound server', { skip, concurrency: false }, async (t) => {
  await t.test("lists the server's sinks and sources", async (t) => {
    const { page, browser } = await servedPage(t);
    const sinks = (await pactlJson('list', 'sinks')).map((sink) => sink.description);
    const sources = (await pactlJson('list', 'sources')).filter((source) => source.properties['device.class'] !== 'monitor');
    const shownSpeakers = (await shownDevices(page, 'speaker')).filter((device) => device.pluggedIn).map((device) => device.name);
    const shownMicrophones = (await shownDevices(page, 'microphone')).filter((device) => device.pluggedIn).map((device) => device.name);
    assert.deepEqual(shownSpeakers.sort(), sinks.sort());
    assert.deepEqual(shownMicrophones.sort(), sources.map((source) => source.description).sort());
    assert.deepEqual(browser.problems(), []);
  });

  await t.test('a null sink loaded and unloaded with pactl comes and goes without a reload', async (t) => {
    const { page, browser } = await servedPage(t);
    const name = unique('mds_page_sink');
    const description = `PageSink${process.pid}`;
    const unload = await loadModule('module-null-sink', `sink_name=${name}`, `sink_properties=device.description=${description}`);
    t.after(unload);
    const row = rowNamed(page, 'speaker', description);
    await row.and(page.locator(':not(.unplugged)')).waitFor();
    await unload();
    await page.waitForFunction(
      (wanted) => ![...document.querySelectorAll('#panel-speaker li.device:not(.unplugged) .name')].some((node) => node.textContent === wanted),
      description,
    );
    assert.deepEqual(browser.problems(), []);
  });

  await t.test("a volume set with pactl moves the page's slider", async (t) => {
    const { page, browser } = await servedPage(t);
    const name = unique('mds_volume_sink');
    const description = `VolumeSink${process.pid}`;
    t.after(await loadModule('module-null-sink', `sink_name=${name}`, `sink_properties=device.description=${description}`));
    const slider = rowNamed(page, 'speaker', description).locator('input.volume');
    await slider.waitFor();
    // A volume reaches the page only once the module lists the sink, and the row shows as soon
    // as the sink is available: a change made before the list caught up is made again.
    const showsVolume = async (percent) => {
      for (let attempt = 1; ; attempt++) {
        await pactl('set-sink-volume', name, `${percent}%`);
        try {
          const wanted = [await slider.elementHandle(), String(percent)];
          await page.waitForFunction(([element, value]) => element.value === value, wanted, { timeout: 5000 });
          return;
        } catch (error) {
          if (attempt === 3) throw error;
        }
      }
    };
    for (const percent of [23, 71]) await showsVolume(percent);
    assert.deepEqual(browser.problems(), []);
  });

  await t.test('the microphone check plays back on the speaker in use what it recorded', async (t) => {
    const directory = freshDirectory('mds-pulse-check-');
    const toneSink = unique('mds_tone_in');
    const micName = `ToneMic${process.pid}`;
    const outName = `CheckOut${process.pid}`;
    const outSink = unique('mds_check_out');
    // A microphone whose signal is whatever is played into toneSink, and a speaker to record.
    t.after(await loadModule('module-null-sink', `sink_name=${toneSink}`, `sink_properties=device.description=ToneIn${process.pid}`));
    t.after(await loadModule('module-remap-source', `master=${toneSink}.monitor`, `source_name=${unique('mds_tone_mic')}`,
      `source_properties=device.description=${micName}`));
    t.after(await loadModule('module-null-sink', `sink_name=${outSink}`, `sink_properties=device.description=${outName}`));
    const { page, browser } = await servedPage(t);
    await use(page, 'microphone', micName);
    await use(page, 'speaker', outName);

    const sweep = await makeSweep(path.join(directory, 'sweep.wav'), 8);
    const played = record(`${toneSink}.monitor`, path.join(directory, 'played.raw'));
    const heard = record(`${outSink}.monitor`, path.join(directory, 'heard.raw'));
    const tone = play(toneSink, sweep);
    await page.getByRole('button', { name: 'Check the microphone' }).click();
    await page.locator('#mic-check-status[data-outcome]').waitFor({ timeout: 20000 });
    const status = await page.locator('#mic-check-status').textContent();
    assert.equal(await page.locator('#mic-check-status').getAttribute('data-outcome'), 'done', status);
    await tone.stop();
    const original = await played.stop();
    const playback = loudPart(await heard.stop());
    assert.ok(playback.length > RECORD_RATE, `the speaker in use played back something (${playback.length} loud samples)`);
    // One second from the middle of the playback, looked for in what was played into the microphone.
    const middle = Math.floor(playback.length / 2);
    const probe = playback.subarray(middle - RECORD_RATE / 2, middle + RECORD_RATE / 2);
    const { score } = bestCorrelation(original, probe);
    console.log(`microphone check: correlation of the playback with the recorded tone ${score.toFixed(3)}`);
    assert.ok(score > 0.8, `correlation ${score}`);
    assert.deepEqual(browser.problems(), []);
  });
});
