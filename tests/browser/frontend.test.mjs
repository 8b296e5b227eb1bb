// The brenvik serve page in headless Chromium: a user sees the built-in camera's picture and
// every parameter, finds FG_WIDTH, enters a refused and an accepted value, watches the
// preview follow, and switches the inversion on to see the lookup-table curve fall. BRENVIK_TOOL names the tool, CHROMIUM the browser.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { once } from 'node:events';
import { chromium } from 'playwright-core';

let server;
let browser;
let page;

async function startServer() {
  server = spawn(process.env.BRENVIK_TOOL, ['--board', '61', 'serve', '--port', '0'],
                 { stdio: ['ignore', 'pipe', 'inherit'] });
  let output = '';
  for await (const chunk of server.stdout) {
    output += chunk;
    const found = output.match(/http:\/\/127\.0\.0\.1:\d+\//);
    if (found) return found[0];
  }
  throw new Error(`the server did not start: ${output}`);
}

before(async () => {
  const url = await startServer();
  browser = await chromium.launch({ executablePath: process.env.CHROMIUM, args: ['--no-sandbox'] });
  page = await browser.newPage();
  await page.goto(url);
  await page.waitForSelector('input[data-parameter="FG_WIDTH"]');
});

after(async () => {
  await browser?.close();
  if (server) {
    server.kill();
    await once(server, 'exit');
  }
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
