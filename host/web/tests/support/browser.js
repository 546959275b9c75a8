// Debian's chromium, driven by Playwright; a fresh profile each time and no download of any
// browser of Playwright's own.

import { chromium } from 'playwright-core';
import { existsSync } from 'node:fs';
import { freshDirectory } from './host.js';

export const chromiumPath = process.env.MDS_CHROMIUM || '/usr/bin/chromium';
export const browserAvailable = existsSync(chromiumPath);

const FLAGS = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

// Resolves with {page, context, problems(), close()}; problems() lists the console errors and
// uncaught exceptions seen so far, less those that allowed() accepts (a test that stops the
// server expects the browser's own network errors meanwhile).
export async function openBrowser({ allowed = () => false } = {}) {
  const context = await chromium.launchPersistentContext(freshDirectory('mds-chromium-'), {
    executablePath: chromiumPath,
    headless: true,
    args: FLAGS,
    viewport: { width: 1280, height: 900 },
  });
  const page = context.pages()[0] || (await context.newPage());
  const problems = [];
  page.on('console', (message) => {
    if (message.type() === 'error' && !allowed(message.text())) problems.push(`console: ${message.text()}`);
  });
  page.on('pageerror', (error) => problems.push(`uncaught: ${error.message}`));
  return { page, context, problems: () => problems.slice(), close: () => context.close() };
}

// The browser's own report of an unreachable or refusing server, which a page cannot silence.
export const networkError = (text) =>
  /^(Failed to load resource|WebSocket connection to .* failed)/.test(text);
