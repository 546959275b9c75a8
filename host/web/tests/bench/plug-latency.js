// Benchmark: from a plug on the simulated device manager to the settings page showing it,
// timed in the browser, over 100 plugs. Prints p50 and p99 in milliseconds.
//
// The plug's instant is marked in the page by a button press the timeline fires just before
// the plug, at the same time: the press goes straight from the device manager to the page,
// so the figure is plug-to-page less that marker's own trip (a loopback write, well under a
// millisecond).
//
//   MDS_HOST_PROGRAM=build/bin/mediadevice-host node host/web/tests/bench/plug-latency.js [PLUGS]

import { freshDirectory, scenarioFile, startServe, HEADSET_SPEAKER } from '../support/host.js';
import { openBrowser } from '../support/browser.js';
import { openSettings } from '../support/page.js';

const plugs = Number(process.argv[2] || 100);
const FIRST_MS = 3000;
const PERIOD_MS = 120;

const timeline = [];
for (let i = 0; i < plugs; i++) {
  const at = FIRST_MS + i * PERIOD_MS;
  timeline.push(`at ${at}ms unplug usb-headset-spk`);
  timeline.push(`at ${at + PERIOD_MS / 2}ms button volume-up BENCH-MARK`);
  timeline.push(`at ${at + PERIOD_MS / 2}ms plug ${HEADSET_SPEAKER}`);
}

const configDir = freshDirectory('mds-bench-');
const server = await startServe(['--config-dir', configDir, '--scenario', scenarioFile(configDir, timeline)]);
const browser = await openBrowser();
try {
  const { page } = browser;
  await openSettings(page, server.url);
  await page.evaluate(() => {
    window.benchMarks = [];
    window.benchPlugs = [];
    new MutationObserver((changes) => {
      for (const change of changes)
        for (const node of change.addedNodes) if (node.dataset && node.dataset.kind === 'button') window.benchMarks.push(performance.now());
    }).observe(document.getElementById('event-strip'), { childList: true });
    let wasPlugged = true;
    new MutationObserver(() => {
      const row = document.querySelector('#panel-speaker li.device[data-id="usb-headset-spk"]');
      const plugged = row && !row.classList.contains('unplugged');
      if (plugged && !wasPlugged) window.benchPlugs.push(performance.now());
      wasPlugged = plugged;
    }).observe(document.getElementById('panel-speaker'), { attributes: true, subtree: true, attributeFilter: ['class'] });
  });
  await page.waitForFunction((count) => window.benchPlugs.length >= count, plugs, { timeout: FIRST_MS + plugs * PERIOD_MS + 30000 });
  const { marks, plugged } = await page.evaluate(() => ({ marks: window.benchMarks, plugged: window.benchPlugs }));
  if (marks.length < plugs) throw new Error(`only ${marks.length} of ${plugs} plug marks reached the page`);
  const latencies = plugged.slice(0, plugs).map((at, i) => at - marks[i]).sort((a, b) => a - b);
  const percentile = (p) => latencies[Math.min(latencies.length - 1, Math.ceil((p / 100) * latencies.length) - 1)];
  console.log(`plug to page over ${plugs} plugs: p50 ${percentile(50).toFixed(2)} ms, p99 ${percentile(99).toFixed(2)} ms, max ${latencies.at(-1).toFixed(2)} ms`);
  if (browser.problems().length) console.log(browser.problems().join('\n'));
} finally {
  await browser.close();
  await server.stop();
}
