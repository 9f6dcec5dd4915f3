// The shop script the generator wrote into the sample's frame set, run in node.
'use strict';

const { test, after } = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const vm = require('node:vm');
const { generatedSample, shopScriptOf } = require('../support/site');

const sample = generatedSample();
after(() => sample.cleanup());

// A window-like context with the script loaded.
function shop() {
  const window = { console, confirm: () => true, alert: () => {} };
  window.self = window;
  vm.runInNewContext(shopScriptOf(path.join(sample.site, 'hlavni.htm')), window);
  return window;
}

test('pr formats amounts as the sample shop is set up: blank groups, comma, dash', () => {
  const w = shop();
  assert.equal(w.pr(1234.5), '1 234,50');
  assert.equal(w.pr(-3), '-3,-');
  assert.equal(w.pr(0.35 * 3), '1,05');
  assert.equal(w.pr(2.996), '3,-');
  assert.equal(w.pr(1234567), '1 234 567,-');
});

test('Opt offers the steps up to the largest quantity', () => {
  const w = shop();
  const values = (html) => [...html.matchAll(/VALUE="([^"]*)"/g)].map((m) => m[1]);
  assert.deepEqual(values(w.Opt(10, 2)), ['0', '2', '4', '6', '8', '10']);
  assert.deepEqual(values(w.Opt(1, 0.1)), ['0', '0.1', '0.2', '0.3', '0.4', '0.5', '0.6', '0.7', '0.8', '0.9', '1']);
  assert.deepEqual(values(w.Opt(5, 0)), ['0']);
});

test('sectiVybrane adds up the cart with its discounts', () => {
  const w = shop();
  w.wsp = {
    seznam: [null,
      { kod: 'A', nazev: 'Čaj', cena: 1234.5, sdph: 1506.09, sleva: 10, popis: '', ks: 2, mj: 'ks' },
      { kod: 'B', nazev: 'Káva', cena: 0.35, sdph: 0.43, sleva: 0, popis: '', ks: 3, mj: 'ks' }],
    location: '',
  };
  w.cisKs = 3;
  w.pridej();
  assert.equal(w.objLen, 2);
  assert.equal(w.pr(w.celkSum), '2 470,05');
  assert.equal(w.pr(w.celkSumDPH), '3 013,47');
  assert.equal(w.pr(w.celkSleva), '246,90');
  assert.equal(w.pr(w.celkSlevaDPH), '301,22');
  assert.equal(w.wsp.location, 'kosik.htm'); // the jump to the cart
});

test('getVarSymb makes ten digits from the visitor clock', () => {
  const w = shop();
  w.getVarSymb();
  assert.match(w.varsymbol, /^\d{10}$/);
  assert.equal(w.varsymbol.substring(0, 2), String(new Date().getFullYear() % 100).padStart(2, '0'));
});
