// The settings page in a real chromium against `mediadevice-host serve` on simulated devices.

import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import path from 'node:path';
import { mkdirSync } from 'node:fs';
import { freshDirectory, hostProgram, listJson, runHost, scenarioFile, startServe, HEADSET_SPEAKER } from './support/host.js';
import { browserAvailable, chromiumPath, networkError, openBrowser } from './support/browser.js';
import { PANEL, expectedDevices, openSettings, preferredOrder, settled, shownDevices, shownOrder } from './support/page.js';

const TYPES = ['speaker', 'microphone', 'ringer', 'camera'];
const skip = !hostProgram ? 'MDS_HOST_PROGRAM names no host program' : !browserAvailable ? `no chromium at ${chromiumPath}` : false;

// One served page per test: its configuration folder, the server and a fresh browser.
async function servedPage(t, { timeline = [], allowed, serveArgs = [] } = {}) {
  const configDir = freshDirectory();
  const scenario = scenarioFile(configDir, timeline);
  const common = ['--config-dir', configDir, '--scenario', scenario];
  const server = await startServe([...common, ...serveArgs]);
  const browser = await openBrowser({ allowed });
  const session = { configDir, common, server, browser, page: browser.page };
  t.after(async () => {
    await browser.close();
    await session.server.stop();
  });
  return session;
}

function noProblems(browser) {
  assert.deepEqual(browser.problems(), [], 'the page logged errors');
}

// Before the server stops, so that the page's attempts to reconnect are not taken for errors.
async function closeThenStop(browser, server) {
  noProblems(browser);
  await browser.close();
  await server.stop();
}

test('the settings page', { skip, concurrency: false }, async (t) => {
  await t.test('shows the devices, order, badges and volumes that list prints', async (t) => {
    const { page, server, common, browser } = await servedPage(t);
    const requested = [];
    page.on('request', (request) => requested.push(request.url()));
    await openSettings(page, server.url);
    const list = await listJson(common[1], common.slice(2));
    for (const type of TYPES) assert.deepEqual(await shownDevices(page, type), expectedDevices(list, type), type);
    // The token left the address bar; the cookie carries it from now on.
    assert.equal(new URL(page.url()).searchParams.get('token'), null);
    // Usable offline: nothing is asked of any other host.
    const ownHost = new URL(server.origin);
    assert.deepEqual(requested.filter((url) => new URL(url).host !== ownHost.host), []);
    noProblems(browser);
  });

  await t.test('a drag to the top is the order a new process reads from the file', async (t) => {
    const { page, server, common, browser } = await servedPage(t);
    await openSettings(page, server.url);
    const before = await shownOrder(page, 'speaker');
    const last = before.at(-1);
    const rows = PANEL(page, 'speaker').locator('li.device');
    await rows.last().dragTo(rows.first(), { targetPosition: { x: 20, y: 2 } });
    const expected = [last, ...before.slice(0, -1)];
    await settled(page);
    assert.deepEqual(await shownOrder(page, 'speaker'), expected);
    await closeThenStop(browser, server);
    assert.deepEqual(preferredOrder(await listJson(common[1], common.slice(2)), 'speaker'), expected);
  });

  await t.test('the move buttons reorder with the keyboard alone and keep the focus', async (t) => {
    const { page, server, common, browser } = await servedPage(t);
    await openSettings(page, server.url);
    const before = await shownOrder(page, 'microphone');
    const first = before[0];
    const name = (await shownDevices(page, 'microphone'))[0].name;
    await PANEL(page, 'microphone').getByRole('button', { name: `Move ${name} down` }).focus();
    await page.keyboard.press('Enter');
    await settled(page);
    // The device is last now: its "down" is disabled and the focus went to its "up".
    const focused = await page.evaluate(() => document.activeElement.getAttribute('aria-label'));
    assert.equal(focused, before.length === 2 ? `Move ${name} up` : `Move ${name} down`);
    const expected = [...before.slice(1, 2), first, ...before.slice(2)];
    assert.deepEqual(await shownOrder(page, 'microphone'), expected);
    await closeThenStop(browser, server);
    assert.deepEqual(preferredOrder(await listJson(common[1], common.slice(2)), 'microphone'), expected);
  });

  await t.test('every control has a name, the focus is visible, and names are text, not markup', async (t) => {
    const markup = '<b>Bold</b> & <img src=/x>';
    const { page, server, browser } = await servedPage(t, { timeline: [`at 1ms plug playback sel=markup-spk name="${markup}"`] });
    await openSettings(page, server.url);
    const row = PANEL(page, 'speaker').locator('li.device[data-id="markup-spk"]');
    assert.equal(await row.locator('.name').textContent(), markup);
    assert.equal(await page.locator('.devices b, .devices img').count(), 0);
    const unnamed = await page.evaluate(() =>
      [...document.querySelectorAll('button, input, select, meter, progress, summary')]
        .filter((control) => !control.getAttribute('aria-label') && !(control.labels && control.labels.length) && !control.textContent.trim())
        .map((control) => control.outerHTML),
    );
    assert.deepEqual(unnamed, []);
    await page.keyboard.press('Tab');
    const outline = await page.evaluate(() => getComputedStyle(document.activeElement).outlineStyle);
    assert.notEqual(outline, 'none', 'the first Tab stop shows where the focus is');
    noProblems(browser);
  });

  await t.test('an unplug, a plug and a button press show live', async (t) => {
    // Late enough for the page to be open first; the plug also makes the headset preferred.
    const timeline = ['at 2500ms unplug usb-headset-spk', `at 4000ms plug ${HEADSET_SPEAKER}`,
      String.raw`at 4200ms button answer-call "USB\VID_0B0E&PID_0348&MI_00"`];
    const { page, server, browser } = await servedPage(t, { timeline });
    await openSettings(page, server.url);
    const headset = PANEL(page, 'speaker').locator('li.device[data-id="usb-headset-spk"]');
    const builtIn = PANEL(page, 'speaker').locator('li.device[data-id="spk-builtin"]');
    await headset.and(page.locator('.unplugged')).waitFor();
    await builtIn.locator('.badge:not([hidden])').waitFor();
    await headset.and(page.locator(':not(.unplugged)')).locator('.badge:not([hidden])').waitFor();
    assert.equal(await builtIn.locator('.badge').isHidden(), true);
    await page.locator('#event-strip li[data-kind="button"]').waitFor();
    const strip = await page.locator('#event-strip li').evaluateAll((items) => items.map((item) => item.dataset.kind));
    assert.deepEqual(strip, ['button', 'plug', 'unplug'], 'newest first');
    // The picture of the page in the README: a live state, with the meter running.
    await page.waitForFunction(() => document.getElementById('mic-meter').value > 0);
    await page.screenshot({ path: screenshotPath(), fullPage: true });
    noProblems(browser);
  });

  await t.test('a volume set with the slider is what list reads', async (t) => {
    const { page, server, common, browser } = await servedPage(t);
    await openSettings(page, server.url);
    const slider = PANEL(page, 'speaker').getByRole('slider', { name: 'Volume of Built-in Speakers' });
    await slider.focus();
    await page.keyboard.press('Home');
    for (let step = 0; step < 7; step++) await page.keyboard.press('ArrowRight');
    await settled(page);
    assert.equal(await slider.inputValue(), '7');
    await closeThenStop(browser, server);
    const list = await listJson(common[1], common.slice(2));
    const speaker = list.types[0].preferred.find((device) => device.selectionId === 'spk-builtin');
    assert.equal(speaker.volume, 7);
  });

  await t.test('Test shows a session that ends, Ring all rings until stopped', async (t) => {
    const { page, server, browser } = await servedPage(t);
    await openSettings(page, server.url);
    await PANEL(page, 'ringer').getByRole('button', { name: /^Test the ringtone on/ }).first().click();
    await page.locator('#sessions li.session.ended').first().waitFor();
    await page.getByRole('button', { name: 'Ring all' }).click();
    const ringers = (await shownDevices(page, 'ringer')).filter((device) => device.pluggedIn).length;
    await page.locator('#sessions li.session.playing').nth(ringers - 1).waitFor();
    await page.getByRole('button', { name: 'Stop all' }).click();
    await page.locator('#sessions li.session.ended').nth(ringers).waitFor();
    assert.equal(await page.locator('#sessions li.session.playing').count(), 0);
    noProblems(browser);
  });

  await t.test('the meter moves while the microphones are open, and stops when closed', async (t) => {
    const { page, server, browser } = await servedPage(t);
    await openSettings(page, server.url);
    const meter = page.locator('#mic-meter');
    await page.waitForFunction(() => document.getElementById('mic-meter').value > 0);
    await PANEL(page, 'microphone').locator('summary').click();
    await page.waitForFunction(() => document.getElementById('mic-meter').value === 0);
    await settled(page);
    assert.equal(await meter.evaluate((element) => element.value), 0);
    noProblems(browser);
  });

  await t.test('the microphone check records and plays back what it recorded', async (t) => {
    const { page, server, browser, common } = await servedPage(t);
    await openSettings(page, server.url);
    await page.getByRole('button', { name: 'Check the microphone' }).click();
    const status = page.locator('#mic-check-status');
    await page.locator('#mic-check-status[data-outcome]').waitFor({ timeout: 15000 });
    assert.equal(await status.getAttribute('data-outcome'), 'done', await status.textContent());
    const text = await status.textContent();
    // The host names the speaker by its selection id; the page shows its name.
    const inUse = (await listJson(common[1], common.slice(2))).types.find((type) => type.type === 'speaker').current;
    assert.ok(text.includes(`played back on ${inUse.name}`), text);
    const level = Number(/loudest level (\d+(?:\.\d+)?)/.exec(text)[1]);
    assert.ok(level > 0, `the simulated microphone's signal was recorded (${text})`);
    noProblems(browser);
  });

  await t.test('a server killed and restarted is reconnected, and the page resynchronises', async (t) => {
    const session = await servedPage(t, { allowed: networkError });
    const { page, server, common, configDir, browser } = session;
    await openSettings(page, server.url);
    await server.stop('SIGKILL');
    await page.locator('#banner[data-kind="lost"]').waitFor();
    // Changed while the page cannot know: it learns it from the next state.
    const reversed = (await shownOrder(page, 'speaker')).reverse();
    await runHost(['prefer', 'speaker', ...reversed, ...common]);
    session.server = await startServe([...common, '--port', String(server.port)]);
    await page.locator('#banner').and(page.locator('[hidden]')).waitFor({ state: 'attached', timeout: 15000 });
    await page.waitForFunction((order) => [...document.querySelectorAll('#panel-speaker li.device')].map((row) => row.dataset.id).join() === order, reversed.join());
    assert.equal(configDir, common[1]);
    noProblems(browser);
  });

  await t.test('without the token the page is forbidden', async (t) => {
    const { page, server, common, browser } = await servedPage(t, { allowed: networkError });
    for (const address of [server.origin + '/', `${server.origin}/?token=0123456789abcdef0123456789abcdef`]) {
      const response = await page.goto(address);
      assert.equal(response.status(), 403, address);
      assert.match(await page.locator('body').textContent(), /forbidden/i);
    }
    // An open page whose token was replaced says so instead of retrying for ever.
    await openSettings(page, server.url);
    await server.stop();
    const session = await startServe([...common, '--port', String(server.port), '--new-token']);
    t.after(() => session.stop());
    await page.locator('#banner[data-kind="forbidden"]').waitFor({ timeout: 15000 });
    assert.match(await page.locator('#banner').textContent(), /Forbidden/);
    noProblems(browser);
  });
});

function screenshotPath() {
  const file = process.env.MDS_SCREENSHOT || path.join(freshDirectory('mds-screenshot-'), 'settings-page.png');
  mkdirSync(path.dirname(file), { recursive: true });
  return file;
}
