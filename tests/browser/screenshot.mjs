// Takes the README's screenshot of the front end: `brenvik serve` with default settings in
// headless Chromium, once the built-in camera's picture and the parameters are shown.
// Usage: BRENVIK_TOOL=... CHROMIUM=... node screenshot.mjs OUTPUT.png
import { chromium } from 'playwright-core';
import { startServer, stopServer } from './server.mjs';

const output = process.argv[2];
const { server, url } = await startServer(62);
const browser = await chromium.launch({ executablePath: process.env.CHROMIUM, args: ['--no-sandbox'] });
try {
  const page = await browser.newPage({ viewport: { width: 1400, height: 900 } });
  await page.goto(url);
  await page.waitForFunction(() => document.getElementById('preview').naturalWidth > 0,
                             null, { timeout: 20000 });
  await page.waitForFunction(() => /parameters$/.test(document.getElementById('status').textContent));
  await page.screenshot({ path: output });
  console.log(`wrote ${output}`);
} finally {
  await browser.close();
  await stopServer(server);
}
