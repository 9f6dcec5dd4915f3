// Choosing goods on a product page in Chromium: quantities, line totals, the page's totals,
// the cart in the frame set, the confirmation, and texts and pictures of every kind.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { serveSite } = require('../support/server');
const { launch, watchedPage, frameNamed } = require('../support/browser');
const { generatedFromSources, readJson, writeJson } = require('../support/site');

const font = '<FONT FACE="Verdana, Arial, Helvetica" SIZE=1 COLOR="#202020">';

// The sample with page "Čaje" (8_) made of two product sections around a text section.
function shop(sources) {
  const html = readJson(path.join(sources, 'tables', 'html.json'));
  html.rows = html.rows.filter((r) => r.HTMLID !== '8_').concat([
    { HTMLID: '8_', SEKCEID: 1, PORADI: 1, TYP: 'p', POPIS: 'Čaje', SABID: 'test.qsp' },
    { HTMLID: '8_', SEKCEID: 2, PORADI: 2, TYP: 't', POPIS: 'Mezi', HTML: '<P>Mezi sekcemi</P>' },
    { HTMLID: '8_', SEKCEID: 3, PORADI: 3, TYP: 'p', POPIS: 'Příslušenství', SABID: 'test.qsp' },
  ]);
  writeJson(path.join(sources, 'tables', 'html.json'), html);

  const row = (section, order, values) => ({
    HTMLID: '8_', SEKCEID: section, PORADI: order, TYP: 'K', P_IDPH: 'H', ROUND: '0', SLEVA: 0,
    KS_MAX: 30, KS_KROK: 1, MJ: 'ks', OBRAZEK: '', POPIS: '', FONT_NAZ: '', FONT_POP: '', ...values,
  });
  writeJson(path.join(sources, 'tables', 'zbozi.json'), {
    defaults: {},
    rows: [
      row(1, 1, { KOD: 'A', NAZEV: 'Zboží A', P_CENA: 1234.5, P_CENA_DPH: 1506.09, SLEVA: 10,
        OBRAZEK: 'na_miste.gif', POPIS: 'Dva řádky\r\ndruhý řádek' }),
      row(1, 2, { KOD: 'B', NAZEV: 'Zboží B', P_CENA: 0.35, P_CENA_DPH: 0.43, OBRAZEK: 'v_obr.gif' }),
      row(1, 3, { TYP: 'N', KOD: '', NAZEV: "Nadpis 'zelené'", POPIS: 'pod\nnadpisem' }),
      row(1, 4, { KOD: "Q'1", NAZEV: "Čaj 'U Lípy' \\ C:\\uvnitř", P_CENA: 10, P_CENA_DPH: 12.1,
        KS_MAX: 0, KS_KROK: 0, MJ: "l'", POPIS: 'LF\nřádky</script>', OBRAZEK: 'sub\\pod.gif' }),
      row(1, 5, { KOD: 'D', NAZEV: 'Po dvou', P_CENA: 5, P_CENA_DPH: 6.05, KS_MAX: 10, KS_KROK: 2,
        OBRAZEK: 'chybi.gif' }),
      row(1, 6, { KOD: 'E', NAZEV: 'Na desetiny', P_CENA: 5, P_CENA_DPH: 6.05, KS_MAX: 1,
        KS_KROK: 0.1 }),
      row(3, 1, { KOD: 'C', NAZEV: 'Zboží C', P_CENA: 100, P_CENA_DPH: 121 }),
    ],
  });

  const cell = (item, extra = {}) => ({ item, ...extra });
  writeJson(path.join(sources, 'templates', 'test.qsp.json'), {
    Sablona: { Name: 'Zkušební', Autor: 'test', Spolecnost: 'test' },
    fonts: { text: font },
    cell: { font: '@text', justify: '0' },
    header: { 0: { text1: 'Zboží', colspan: 10, bgcolor: 'E8F0E0' } },
    items: {
      0: cell('název'), 1: cell('obj. kód'), 2: cell('cena (bez DPH)'), 3: cell('cena (s DPH)'),
      4: cell('sleva v %'), 5: cell('počet ks'), 6: cell('CELKEM (bez DPH)'),
      7: cell('CELKEM (s DPH)'), 8: cell('CELKEM po slevě (bez DPH)'),
      9: cell('CELKEM po slevě (s DPH)'),
      10: cell('popis', { colspan: 8 }), 18: cell('mj (jednotky)'), 19: cell('[tl. objednat]'),
    },
    totals: {
      0: cell('vybrané (bez DPH)'), 1: cell('vybrané (s DPH)'), 2: cell('vybrané (DPH)'),
      3: cell('celková sleva (bez DPH)'), 4: cell('celková sleva (s DPH)'),
      5: cell('košík (bez DPH)'), 6: cell('košík (s DPH)'), 7: cell('košík (DPH)'),
      8: cell('košík po slevě (bez DPH)'), 9: cell('košík po slevě (s DPH)'),
      10: cell('[tl. objednat vybrané]'),
    },
  });

  const qsh = readJson(path.join(sources, 'templates', 'default.qsh.json'));
  qsh.FormatCisla.oddelovac = '0'; // thousands with a period
  writeJson(path.join(sources, 'templates', 'default.qsh.json'), qsh);
}

// Pictures: one in the page's folder, one only in _obr, one in a sub-folder, one nowhere.
function pictures(project) {
  const gif = path.join(project, 'WWW', '_images', 'nav.gif');
  const page = path.join(project, 'WWW', 'zbozi');
  fs.mkdirSync(path.join(page, 'sub'), { recursive: true });
  fs.copyFileSync(gif, path.join(page, 'na_miste.gif'));
  fs.copyFileSync(gif, path.join(page, 'sub', 'pod.gif'));
  fs.mkdirSync(path.join(project, '_obr'), { recursive: true });
  fs.copyFileSync(gif, path.join(project, '_obr', 'v_obr.gif'));
}

let sample;
let server;
let browser;

before(async () => {
  sample = generatedFromSources(shop, pictures);
  server = await serveSite(sample.site);
  browser = await launch();
});

after(async () => {
  await browser?.close();
  await server?.close();
  sample?.cleanup();
});

async function productPage(confirmations) {
  const { page, errors } = await watchedPage(browser);
  page.on('dialog', (d) => (confirmations.shift() ?? true ? d.accept() : d.dismiss()));
  await page.goto(`${server.url}/hlavni.htm?./zbozi/caje.htm`);
  const wsp = await frameNamed(page, 'wsp');
  return { page, errors, wsp };
}

// The value of a field; two product sections of one template have one of each totals field,
// and both must show the same.
const field = (wsp, name) => wsp.evaluate((n) => {
  const values = [...document.getElementsByName(n)].map((f) => f.value);
  return values.every((v) => v === values[0]) ? values[0] : values.join(' | ');
}, name);

test('choosing a quantity fills the line totals', async () => {
  const { page, errors, wsp } = await productPage([]);
  await wsp.selectOption('select[name=zks1]', '2');
  assert.equal(await field(wsp, 'zs1'), '2.469,-');
  assert.equal(await field(wsp, 'zsD1'), '3.012,18');
  assert.equal(await field(wsp, 'zsC1'), '2.222,10');
  assert.equal(await field(wsp, 'zsCD1'), '2.710,96');
  assert.equal(await field(wsp, 'celksum'), '2.469,-');
  assert.equal(await field(wsp, 'celksumDPH'), '3.012,18');
  await page.screenshot({ path: `${process.env.ARKONA_SCREENSHOTS || '/tmp'}/product_page.png`, fullPage: true });
  assert.deepEqual(errors, []);
  await page.close();
});

test('"+" puts one line into the cart of the frame set', async () => {
  const { page, errors, wsp } = await productPage([true]);
  await wsp.selectOption('select[name=zks1]', '2');
  await Promise.all([
    page.waitForEvent('framenavigated', { predicate: (f) => f.name() === 'wsp' }),
    wsp.click('input[type=button][value="+"] >> nth=0'),
  ]);
  const line = await page.evaluate(() => {
    const o = objednavka[1];
    return [objLen, o.kod, o.nazev, o.cena, o.sdph, o.sleva, Number(o.ks), o.mj];
  });
  assert.deepEqual(line, [1, 'A', 'Zboží A', 1234.5, 1506.09, 10, 2, 'ks']);
  // The jump to the cart page.
  assert.equal(new URL((await frameNamed(page, 'wsp')).url()).pathname, '/kosik.htm');
  assert.deepEqual(errors, []);
  await page.close();
});

test('"Do košíku" adds the chosen lines, the reloaded page shows the cart', async () => {
  const { page, errors, wsp } = await productPage([false, true, true]);
  await wsp.selectOption('select[name=zks2]', '3');
  // A "no" to the confirmation adds nothing.
  await wsp.click('input[value="Do košíku"]');
  assert.equal(await page.evaluate(() => objLen), 0);
  await wsp.selectOption('select[name=zks1]', '2');
  await Promise.all([
    page.waitForEvent('framenavigated', { predicate: (f) => f.name() === 'wsp' }),
    wsp.click('input[value="Do košíku"]'),
  ]);
  const sums = await page.evaluate(() => [pr(celkSum), pr(celkSumDPH), pr(celkSumDPH - celkSum),
    pr(celkSleva), pr(celkSlevaDPH), pr(celkSum - celkSleva), pr(celkSumDPH - celkSlevaDPH)]);
  assert.deepEqual(sums, ['2.470,05', '3.013,47', '543,42', '246,90', '301,22', '2.223,15',
    '2.712,25']);
  await (await frameNamed(page, 'wsp')).evaluate(() => { location.href = 'zbozi/caje.htm'; });
  await page.waitForFunction(() => self.wsp.location.pathname === '/zbozi/caje.htm' &&
    self.wsp.document.readyState === 'complete');
  const back = await frameNamed(page, 'wsp');
  const text = await back.innerText('body');
  for (const shown of ['2.470,05', '3.013,47', '543,42', '2.223,15', '2.712,25']) {
    assert.ok(text.includes(shown), `${shown} in the page's cart texts`);
  }
  assert.deepEqual(errors, []);
  await page.close();
});

test('quantity lists, the second section and the texts of every kind', async () => {
  const { page, errors, wsp } = await productPage([true]);
  const options = (name) => wsp.$$eval(`select[name=${name}] option`, (o) => o.map((x) => x.value));
  // Lines: A 1, B 2, the heading, Q'1 3, D 4, E 5; the second section goes on with C 6.
  assert.deepEqual(await options('zks3'), Array.from({ length: 31 }, (_, i) => String(i)));
  assert.deepEqual(await options('zks4'), ['0', '2', '4', '6', '8', '10']);
  assert.deepEqual(await options('zks5'), ['0', '0.1', '0.2', '0.3', '0.4', '0.5', '0.6', '0.7',
    '0.8', '0.9', '1']);
  const text = await wsp.innerText('body');
  // Apostrophes of names and descriptions show as acute accents, of a unit as they are; a
  // description is HTML, so its "</script>" is markup that does not end the script.
  for (const shown of ['Čaj ´U Lípy´ \\ C:\\uvnitř', 'Q´1', 'LF\nřádky', 'Dva řádky\ndruhý řádek',
    'Nadpis ´zelené´', 'pod\nnadpisem', 'Mezi sekcemi', 'Zboží C', "l'"]) {
    assert.ok(text.includes(shown), shown);
  }
  // Every picture of the first run loads.
  const images = await wsp.$$eval('img', (all) => all.map((i) => [i.getAttribute('src'), i.naturalWidth]));
  const goods = images.filter(([src]) => /gif$/.test(src) && !src.includes('_images'));
  assert.deepEqual(goods.map(([src]) => src).sort(), ['na_miste.gif', 'sub/pod.gif', 'v_obr.gif']);
  for (const [src, width] of images) {
    assert.ok(width > 0, `${src} loads`);
  }
  // Goods of the second section reach the cart with their own line number.
  await wsp.selectOption('select[name=zks6]', '1');
  await Promise.all([
    page.waitForEvent('framenavigated', { predicate: (f) => f.name() === 'wsp' }),
    wsp.click('input[type=button][value="+"] >> nth=5'),
  ]);
  assert.deepEqual(await page.evaluate(() => [objLen, objednavka[1].kod]), [1, 'C']);
  assert.deepEqual(errors, []);
  await page.close();
});
