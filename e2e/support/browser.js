// Debian's Chromium driven by playwright-core: never a downloaded browser.
'use strict';

const { chromium } = require('playwright-core');

const executablePath = process.env.CHROMIUM || '/usr/bin/chromium';

async function launch() {
  return chromium.launch({
    executablePath,
    headless: true,
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
    ],
  });
}

// A page whose script errors and console errors, from every frame, land in `errors`.
async function watchedPage(browser) {
  const context = await browser.newContext();
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(`pageerror: ${e.message}`));
  page.on('console', (m) => {
    // The browser's own request for an icon is not the site's.
    if (m.type() === 'error' && !m.location().url.endsWith('/favicon.ico')) {
      errors.push(`console: ${m.text()} (${m.location().url})`);
    }
  });
  return { page, errors };
}

// The frame of `page` with that name, waiting until it has loaded something.
async function frameNamed(page, name, timeout = 5000) {
  const until = Date.now() + timeout;
  for (;;) {
    const frame = page.frames().find((f) => f.name() === name);
    if (frame && frame.url() !== 'about:blank') {
      await frame.waitForLoadState('load');
      return frame;
    }
    if (Date.now() > until) {
      throw new Error(`no frame named ${name}`);
    }
    await page.waitForTimeout(50);
  }
}

module.exports = { launch, watchedPage, frameNamed };
