// The generated sample shop in Chromium: the frame set, its two frames, navigation, pages
// opened alone, and no script error in any frame.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { serveSite } = require('../support/server');
const { launch, watchedPage, frameNamed } = require('../support/browser');
const { generatedSample } = require('../support/site');

let sample;
let server;
let browser;

before(async () => {
  sample = generatedSample();
  server = await serveSite(sample.site);
  browser = await launch();
});

after(async () => {
  await browser?.close();
  await server?.close();
  sample?.cleanup();
});

async function openShop(address) {
  const { page, errors } = await watchedPage(browser);
  await page.goto(server.url + address);
  const nav = await frameNamed(page, 'nav');
  const wsp = await frameNamed(page, 'wsp');
  return { page, errors, nav, wsp };
}

test('the frame set shows navigation and work frame in windows-1250 with Czech text', async () => {
  const { page, errors, nav, wsp } = await openShop('/hlavni.htm');
  assert.equal(await page.evaluate(() => document.characterSet), 'windows-1250');
  assert.equal(new URL(nav.url()).pathname, '/navigace.htm');
  assert.equal(new URL(wsp.url()).pathname, '/uvod.htm');
  for (const frame of [nav, wsp]) {
    assert.equal(await frame.evaluate(() => document.characterSet), 'windows-1250');
  }
  assert.match(await nav.innerText('body'), /Ukázkový obchod.*Naše zboží/s);
  assert.match(await wsp.innerText('body'), /Vítejte/);
  // The shop's script lives in the frame set.
  assert.equal(await page.evaluate(() => typeof pr), 'function');
  assert.equal(await page.evaluate(() => pr(1234.5)), '1 234,50');
  await page.screenshot({ path: `${process.env.ARKONA_SCREENSHOTS || '/tmp'}/frameset.png` });
  assert.deepEqual(errors, []);
  await page.close();
});

test('a click in the navigation frame opens the page in the work frame', async () => {
  const { page, errors, nav } = await openShop('/hlavni.htm');
  await Promise.all([
    page.waitForEvent('framenavigated', { predicate: (f) => f.name() === 'wsp' }),
    nav.click('text=Naše zboží'),
  ]);
  const wsp = await frameNamed(page, 'wsp');
  assert.equal(new URL(wsp.url()).pathname, '/zbozi.htm');
  assert.equal(new URL(page.url()).pathname, '/hlavni.htm'); // the frame set stays
  assert.deepEqual(errors, []);
  await page.close();
});

test('a page opened alone comes back inside the frame set, also two folders down', async () => {
  for (const [address, way] of [['/kontakt.htm', ''], ['/zbozi/caje/zelene.htm', '../../']]) {
    const { page, errors } = await watchedPage(browser);
    await page.goto(server.url + address);
    await page.waitForURL(/hlavni\.htm\?/);
    const wsp = await frameNamed(page, 'wsp');
    const nav = await frameNamed(page, 'nav');
    assert.equal(new URL(wsp.url()).pathname, address);
    // The way back to the root is the work page's, whichever frame loaded last.
    await nav.evaluate(() => location.reload());
    await frameNamed(page, 'nav');
    assert.equal(await page.evaluate(() => cestawsp), way);
    assert.deepEqual(errors, []);
    await page.close();
  }
});

test('the work frame takes only a page of this site from the address', async () => {
  for (const query of ['javascript:alert(1)', '//example.com/x.htm', '/\\example.com']) {
    const { page, errors, wsp } = await openShop('/hlavni.htm?' + query);
    assert.equal(new URL(wsp.url()).pathname, '/uvod.htm', query);
    assert.deepEqual(errors, []);
    await page.close();
  }
});
