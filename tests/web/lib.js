// What the driver and the checks share: the installed Chromium, started quietly, and the page's
// run read back from window.zentrifaPage and the program's file system.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const CHROMIUM = process.env.ZENTRIFA_CHROMIUM || '/usr/bin/chromium';

// A headless Chromium with its own user-data folder (a browser profile: IndexedDB lives there).
async function launch(userDataDir, extraArgs = []) {
  return puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    userDataDir,
    defaultViewport: { width: 1280, height: 720 },
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--mute-audio',
      '--no-first-run',
      '--no-default-browser-check',
      '--disable-sync',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-default-apps',
      '--disable-extensions',
      '--disable-breakpad',
      '--disable-background-timer-throttling',
      '--disable-renderer-backgrounding',
      '--disable-backgrounding-occluded-windows',
      '--autoplay-policy=no-user-gesture-required',
      '--lang=en-US',
      ...extraArgs,
    ],
  });
}

function tempFolder(what) {
  return fs.mkdtempSync(path.join(os.tmpdir(), `zentrifa-${what}-`));
}

const END_STATES = ['exited', 'failed', 'refused'];

// Waits until the page's run has ended (or failed to start); resolves to its state, or to
// 'timeout'. The clock runs here, not in the page: a replay may keep the page busy throughout.
async function waitForEnd(page, timeoutMs) {
  let timer;
  const late = new Promise((resolve) => {
    timer = setTimeout(() => resolve('timeout'), timeoutMs);
  });
  const ended = page.waitForFunction((states) => window.zentrifaPage && states.includes(window.zentrifaPage.state),
    { timeout: 0, polling: 100 }, END_STATES).then(() => 'ended');
  ended.catch(() => {});
  const how = await Promise.race([ended, late]);
  clearTimeout(timer);
  if (how === 'timeout') return how;
  return page.evaluate(() => window.zentrifaPage.state);
}

// Ends a browser: politely when it answers within a few seconds, else (or when it is stuck in a
// page that never returns) its process.
async function closeBrowser(browser, stuck = false) {
  const proc = browser.process();
  let timer;
  const closed = !stuck && await Promise.race([
    browser.close().then(() => true, () => false),
    new Promise((resolve) => {
      timer = setTimeout(() => resolve(false), 5000);
    }),
  ]);
  clearTimeout(timer);
  if (!closed && proc && proc.exitCode === null && proc.signalCode === null) {
    const gone = new Promise((resolve) => proc.once('exit', resolve));
    proc.kill('SIGKILL');
    await gone;
  }
}

// Removes a run's temporary folder; the browser's last helpers may still be letting go of it.
function removeFolder(dir) {
  try {
    fs.rmSync(dir, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 });
  } catch (e) {
    process.stderr.write(`(could not remove ${dir}: ${e.message})\n`);
  }
}

// The page's account of the run: state, exitCode, stdout, stderr, messages, frames, firstFrameAt.
function runOf(page) {
  return page.evaluate(() => JSON.parse(JSON.stringify(window.zentrifaPage || null)));
}

// The bytes of every file in a folder of the program's file system: {name: Buffer}.
async function programFiles(page, folder) {
  const files = await page.evaluate((dir) => {
    const FS = (window.Module && window.Module.FS) || window.FS;
    if (!FS) return null;
    const out = {};
    let names;
    try {
      names = FS.readdir(dir);
    } catch (e) {
      return out;
    }
    for (const name of names) {
      if (name === '.' || name === '..') continue;
      const full = `${dir}/${name}`;
      if (!FS.isFile(FS.stat(full).mode)) continue;
      const bytes = FS.readFile(full);
      let text = '';
      for (let i = 0; i < bytes.length; i += 0x8000) {
        text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
      }
      out[name] = btoa(text);
    }
    return out;
  }, folder);
  if (files === null) return null;
  return Object.fromEntries(Object.entries(files).map(([n, b]) => [n, Buffer.from(b, 'base64')]));
}

// Before the page's scripts run: files the page puts into /save once it has read IndexedDB.
async function giveStartFiles(page, files) {
  const encoded = Object.fromEntries(Object.entries(files).map(([n, b]) => [n, Buffer.from(b).toString('base64')]));
  await page.evaluateOnNewDocument((f) => {
    window.zentrifaStartFiles = f;
  }, encoded);
}

module.exports = { CHROMIUM, launch, closeBrowser, removeFolder, tempFolder, waitForEnd, runOf, programFiles, giveStartFiles, END_STATES };
