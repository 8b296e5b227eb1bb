// The brenvik serve page in headless Chromium: a user sees the built-in camera's picture and
// every parameter, finds FG_WIDTH, enters a refused and an accepted value, watches the
// preview follow, and switches the inversion on to see the lookup-table curve fall. BRENVIK_TOOL names the tool, CHROMIUM the browser.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { chromium } from 'playwright-core';
import { startServer, stopServer } from './server.mjs';

let server;
let browser;
let page;

before(async () => {
  let url;
  ({ server, url } = await startServer(61));
  browser = await chromium.launch({ executablePath: process.env.CHROMIUM, args: ['--no-sandbox'] });
  page = await browser.newPage();
  await page.goto(url);
  await page.waitForSelector('input[data-parameter="FG_WIDTH"]');
});

after(async () => {
  await browser?.close();
  await stopServer(server);
});

test('FG_WIDTH shows 1024, refuses 13 with its meaning and keeps the old value', async () => {
  const width = page.locator('input[data-parameter="FG_WIDTH"]');
  await assert.doesNotReject(() => page.waitForFunction(
    () => document.querySelector('input[data-parameter="FG_WIDTH"]').value === '1024'));
  await width.fill('13');
  await width.press('Enter');
  const refusal = page.locator('.refusal[data-parameter="FG_WIDTH"]');
  await refusal.getByText('-7080').waitFor();
  assert.match(await refusal.textContent(), /-7080: value not a multiple/);
  assert.equal(await width.inputValue(), '1024');
});

test('with default settings the preview shows the built-in camera\'s 1024 pixels', async () => {
  await page.waitForFunction(() => document.getElementById('preview').naturalWidth === 1024,
                             null, { timeout: 10000 });
});

test('every SDK parameter is on the page, display names first', async () => {
  await page.waitForFunction(() => document.getElementById('status').textContent === '154 parameters');
  const row = page.locator('tr', { has: page.locator('input[data-parameter="FG_WIDTH"]') });
  assert.equal(await row.locator('td.name .display').textContent(), 'Width');
  assert.equal(await row.locator('td.name .sdk').textContent(), 'FG_WIDTH');
  await page.getByText('Without description').waitFor();
});

test('an accepted width makes the preview 512 pixels wide', async () => {
  const width = page.locator('input[data-parameter="FG_WIDTH"]');
  await width.fill('512');
  await width.press('Enter');
  await page.waitForFunction(
    () => document.querySelector('.refusal[data-parameter="FG_WIDTH"]').textContent === '');
  await page.waitForFunction(() => document.getElementById('preview').naturalWidth === 512,
                             null, { timeout: 10000 });
});

test('switching the inversion on makes the lookup-table curve fall', async () => {
  const curve = page.locator('#lut-curve');
  await page.waitForFunction(() => document.getElementById('lut-curve').dataset.trend === 'rising');
  await page.selectOption('select[data-parameter="FG_PROCESSING_INVERT"]', '1');
  await page.waitForFunction(() => document.getElementById('lut-curve').dataset.trend === 'falling');
  assert.equal(await curve.getAttribute('data-trend'), 'falling');
});
