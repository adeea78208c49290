// The browser build checked in headless Chromium against the native build of the same tree:
//
//   node checks.js NATIVE_BUILD WEB_BUILD
//
//   start     the page shows the start picture, pixel for pixel the native program's first frame
//   clicks    clicks at the scaled places of a letterboxed 1280 x 720 page reach the start menu,
//             F12 offers a PNG of it as a download, and fullscreen shows it alone
//   storage   a save survives a reload; a second tab is refused; a damaged save is kept aside;
//             export and import of the save; a browser that refuses IndexedDB is told
//   figures   download size, time to the first frame, memory; the loading bar on a slow line
//
// Each prints "ok: NAME (seconds)" or "FAILED: NAME: why"; the exit code is the number failed.
'use strict';

const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const { execFileSync } = require('child_process');
const { serve } = require('./server');
const lib = require('./lib');

const [nativeDir, webDir] = process.argv.slice(2).map((d) => path.resolve(d));
if (!nativeDir || !webDir) {
  process.stderr.write('usage: node checks.js NATIVE_BUILD WEB_BUILD\n');
  process.exit(2);
}
const native = path.join(nativeDir, 'zentrifa');
const golden = path.join(__dirname, '..', 'golden');
const work = lib.tempFolder('checks');
const WAIT = 60000;

let failures = 0;
const figures = {};
let step = ''; // what a check is doing, for its failure message


async function check(name, body) {
  const started = Date.now();
  step = '';
  try {
    const note = await body();
    console.log(`ok: ${name} (${((Date.now() - started) / 1000).toFixed(1)} s)${note ? ` ${note}` : ''}`);
  } catch (e) {
    failures++;
    console.log(`FAILED: ${name} (${((Date.now() - started) / 1000).toFixed(1)} s): ${step ? `${step}: ` : ''}${e && e.message ? e.message : e}`);
  }
}

function expect(condition, what) {
  if (!condition) throw new Error(what);
}

// The native program, headless, in a folder of its own; resolves to {trace, shot, save}.
function runNative(name, args, inputLines) {
  const dir = path.join(work, `native-${name}`);
  fs.mkdirSync(dir, { recursive: true });
  const full = ['--headless', '--save-dir', dir, '--screenshot', path.join(dir, 'shot.png'), ...args];
  if (inputLines) {
    fs.writeFileSync(path.join(dir, 'input.txt'), inputLines.join('\n') + '\n');
    full.push('--input', path.join(dir, 'input.txt'));
  }
  const trace = execFileSync(native, full, { env: { ...process.env, XDG_CONFIG_HOME: dir }, encoding: 'utf8' });
  return { trace: trace.split('\n').filter((l) => l !== ''), shot: fs.readFileSync(path.join(dir, 'shot.png')) };
}

// Before the page's scripts: after every frame, and before anything resizes the canvas (a program
// that ends may give the canvas back at another size, which clears it), the picture is copied, so
// the last frame can be read whichever way the program draws (2D or WebGL).
function keepFrames(page) {
  return page.evaluateOnNewDocument(() => {
    // unlessBlank: a WebGL canvas read after its frame was shown is blank; that copy is not kept.
    const keep = (canvas, unlessBlank = false) => {
      if (!canvas.width || !canvas.height) return;
      const copy = document.createElement('canvas');
      copy.width = canvas.width;
      copy.height = canvas.height;
      const g = copy.getContext('2d', { willReadFrequently: unlessBlank });
      g.drawImage(canvas, 0, 0);
      if (unlessBlank && g.getImageData(0, 0, copy.width, copy.height).data.every((v) => v === 0)) return;
      window.zentrifaKeptFrame = copy;
    };
    window.zentrifaAfterFrame = keep;
    document.addEventListener('DOMContentLoaded', () => {
      const canvas = document.getElementById('canvas');
      if (!canvas) return;
      for (const side of ['width', 'height']) {
        const own = Object.getOwnPropertyDescriptor(HTMLCanvasElement.prototype, side);
        Object.defineProperty(canvas, side, {
          get() { return own.get.call(this); },
          set(v) {
            if (Number(v) !== own.get.call(this)) keep(this, true);
            own.set.call(this, v);
          },
        });
      }
    });
  });
}

// Compares the page's picture with a PNG: {source, width, height, differing} where source says
// which was read: the canvas itself, or the copy kept after the last frame when the canvas was
// blank or resized by then.
function comparePicture(page, png) {
  return page.evaluate(async (base64) => {
    const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
    const image = await createImageBitmap(new Blob([bytes], { type: 'image/png' }),
      { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
    const pixels = (source) => {
      const c = document.createElement('canvas');
      c.width = source.width;
      c.height = source.height;
      const g = c.getContext('2d', { willReadFrequently: true });
      g.drawImage(source, 0, 0);
      return g.getImageData(0, 0, c.width, c.height).data;
    };
    const want = pixels(image);
    const canvas = document.getElementById('canvas');
    let source = 'canvas';
    let got = canvas.width === image.width && canvas.height === image.height ? pixels(canvas) : null;
    const blank = (p) => p.every((v, i) => (i % 4 === 3 ? true : v === 0)) || p.every((v, i) => i % 4 !== 3 || v === 0);
    if ((!got || blank(got)) && window.zentrifaKeptFrame) {
      source = 'the copy kept after the last frame';
      got = pixels(window.zentrifaKeptFrame);
      if (window.zentrifaKeptFrame.width !== image.width || window.zentrifaKeptFrame.height !== image.height) got = null;
    }
    if (!got) return { source: 'nothing', width: canvas.width, height: canvas.height, differing: image.width * image.height };
    let differing = 0;
    let first = null;
    for (let i = 0; i < want.length; i += 4) {
      if (want[i] !== got[i] || want[i + 1] !== got[i + 1] || want[i + 2] !== got[i + 2]) {
        differing++;
        if (first === null) {
          const n = i / 4;
          first = `(${n % image.width}, ${Math.floor(n / image.width)}): ${want.slice(i, i + 3).join(',')} native, ` +
            `${got.slice(i, i + 3).join(',')} in the page`;
        }
      }
    }
    return { source, width: image.width, height: image.height, differing, first };
  }, png.toString('base64'));
}

// Each of the native trace's lines is in the page's trace, as many times (frames come at another
// pace in a page, so what happens between the clicks may interleave differently).
function missingLines(nativeTrace, pageTrace) {
  const have = new Map();
  for (const l of pageTrace) have.set(l, (have.get(l) || 0) + 1);
  const missing = [];
  for (const l of nativeTrace) {
    const n = have.get(l) || 0;
    if (n === 0) missing.push(l);
    else have.set(l, n - 1);
  }
  return missing;
}

// The bytes IndexedDB holds for a file of /save, read as a page of the same site reads them.
function storedFile(page, name) {
  return page.evaluate((file) => new Promise((resolve) => {
    let request;
    try {
      request = indexedDB.open('/save');
    } catch (e) {
      resolve(null);
      return;
    }
    request.onerror = () => resolve(null);
    request.onsuccess = () => {
      const db = request.result;
      if (!db.objectStoreNames.contains('FILE_DATA')) {
        db.close();
        resolve(null);
        return;
      }
      const get = db.transaction('FILE_DATA', 'readonly').objectStore('FILE_DATA').get(`/save/${file}`);
      get.onsuccess = () => {
        db.close();
        const entry = get.result;
        resolve(entry && entry.contents ? btoa(String.fromCharCode(...new Uint8Array(entry.contents))) : null);
      };
      get.onerror = () => resolve(null);
    };
  }), name).then((b) => (b === null ? null : Buffer.from(b, 'base64')));
}

// Puts bytes in IndexedDB as /save/NAME, in the form of the entry that is there for /save/my.dat.
function storeFile(page, name, bytes) {
  return page.evaluate((file, base64) => new Promise((resolve, reject) => {
    const request = indexedDB.open('/save');
    request.onerror = () => reject(new Error('IndexedDB did not open'));
    request.onsuccess = () => {
      const db = request.result;
      const store = db.transaction('FILE_DATA', 'readwrite').objectStore('FILE_DATA');
      const get = store.get('/save/my.dat');
      get.onsuccess = () => {
        if (!get.result) {
          reject(new Error('no my.dat in IndexedDB to take the form of'));
          return;
        }
        const entry = { ...get.result, timestamp: new Date(), contents: Uint8Array.from(atob(base64), (c) => c.charCodeAt(0)) };
        const put = store.put(entry, `/save/${file}`);
        put.onsuccess = () => {
          db.close();
          resolve();
        };
        put.onerror = () => reject(new Error('IndexedDB refused the entry'));
      };
    };
  }), name, Buffer.from(bytes).toString('base64'));
}

async function programFile(page, file) {
  const files = await lib.programFiles(page, path.posix.dirname(file));
  return files ? files[path.posix.basename(file)] || null : null;
}

async function ended(page, what) {
  const state = await lib.waitForEnd(page, WAIT);
  const run = await lib.runOf(page).catch(() => null);
  expect(state === 'exited', `${what}: the page ${state === 'timeout' ? 'did not end' : `ended ${state}`} ` +
    `(${run ? [...run.messages, ...run.stderr.slice(-3)].join(' / ') : 'no run'})`);
  expect(run.exitCode === 0, `${what}: the program exited ${run.exitCode}: ${run.stderr.slice(-3).join(' / ')}`);
  return run;
}

function firstFrame(page) {
  return page.waitForFunction(() => window.zentrifaPage && (window.zentrifaPage.frames > 0 ||
    ['exited', 'failed', 'refused'].includes(window.zentrifaPage.state)), { timeout: WAIT, polling: 50 })
    .then(() => lib.runOf(page))
    .then((run) => {
      expect(run.frames > 0, `no frame: ${run.state} ${[...run.messages, ...run.stderr.slice(-3)].join(' / ')}`);
      return run;
    });
}

const sameBytes = (a, b) => Boolean(a && b && Buffer.compare(Buffer.from(a), Buffer.from(b)) === 0);
const hex = (b) => (b ? `${b.length} bytes` : 'none');

async function main() {
  const inputDir = path.join(work, 'input');
  fs.mkdirSync(inputDir);
  const server = await serve({ '/': webDir, '/input/': inputDir });
  const page0 = `${server.url}index.html`;
  const browser = await lib.launch(path.join(work, 'profile'));
  const downloads = path.join(work, 'downloads');
  fs.mkdirSync(downloads);
  try {
    await check('start: the page shows the native program\'s first frame, pixel for pixel', async () => {
      const want = runNative('start', ['--seed', '1', '--frames', '1', '--lang', 'en']);
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      await keepFrames(page);
      await page.goto(`${page0}?seed=1&frames=1&lang=en`);
      const run = await ended(page, 'the first frame');
      figures.firstFrame = run.firstFrameAt;
      const seen = await comparePicture(page, want.shot);
      expect(seen.source !== 'nothing', `the canvas is ${seen.width} x ${seen.height}, the native picture 800 x 600`);
      expect(seen.differing === 0, `${seen.differing} pixels of ${seen.width} x ${seen.height} differ ` +
        `(read from ${seen.source}); the first at ${seen.first}`);
      const look = await page.evaluate(() => {
        const canvas = document.getElementById('canvas');
        const style = getComputedStyle(canvas);
        const icon = document.querySelector('link[rel=icon]');
        return {
          title: document.title,
          heading: document.getElementById('title').textContent,
          icon: icon && icon.href,
          pixelated: style.imageRendering,
          touch: style.touchAction,
          focusable: canvas.tabIndex >= 0,
          progressHidden: document.getElementById('progress').hidden,
          note: document.getElementById('note').textContent,
        };
      });
      // The program may name its window (the tab) with its version after the name.
      expect(look.title.startsWith('Zentrifa') && look.heading === 'Zentrifa', `the title is ${look.title}, ${look.heading}`);
      const icon = await page.evaluate((u) => fetch(u).then((r) => r.ok && r.headers.get('Content-Type')), look.icon);
      expect(icon === 'image/png', `the icon ${look.icon} is not there`);
      expect(look.pixelated === 'pixelated' && look.touch === 'none' && look.focusable,
        `the canvas is ${look.pixelated}, touch-action ${look.touch}, focusable ${look.focusable}`);
      expect(look.progressHidden, 'the loading bar is still shown after the first frame');
      expect(/Export save/.test(look.note), `the note about saves says: ${look.note}`);
      await context.close();
      return `(${seen.source})`;
    });

    await check('clicks: at the scaled places of a letterboxed page they reach the start menu', async () => {
      const menu = ['1 click 10 590', '2 click 10 590'];
      const want = runNative('menu', ['--seed', '1', '--lang', 'en', '--frames', '8', '--trace'], menu);
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      await page.setViewport({ width: 1280, height: 720 });
      await keepFrames(page);
      await page.goto(`${page0}?seed=1&lang=en&trace`);
      await firstFrame(page);
      const box = await page.evaluate(() => {
        const r = document.getElementById('canvas').getBoundingClientRect();
        const s = document.getElementById('stage').getBoundingClientRect();
        return { left: r.left, top: r.top, width: r.width, height: r.height, stage: { left: s.left, top: s.top, width: s.width, height: s.height },
          focused: document.activeElement === document.getElementById('canvas') };
      });
      const scale = box.width / 800;
      expect(Math.abs(box.height - 600 * scale) < 0.5, `the picture is ${box.width} x ${box.height}, not 4:3`);
      expect(scale !== 1 && (Math.abs(box.width - box.stage.width) < 0.5 || Math.abs(box.height - box.stage.height) < 0.5),
        `the picture (${box.width} x ${box.height}) does not fill its area (${box.stage.width} x ${box.stage.height})`);
      const barsX = box.left - box.stage.left;
      const barsRight = box.stage.left + box.stage.width - (box.left + box.width);
      expect(Math.abs(barsX - barsRight) < 1 && barsX > 1, `the bars are ${barsX} and ${barsRight} px, not even`);
      expect(box.focused, 'the canvas does not have the focus');
      const x = box.left + 10.5 * scale;
      const y = box.top + 590.5 * scale;
      for (const _ of menu) {
        await page.mouse.click(x, y);
        await new Promise((r) => setTimeout(r, 1000));
      }
      let missing = [];
      for (let tries = 0; tries < 50; tries++) {
        const run = await lib.runOf(page);
        missing = missingLines(want.trace, run.stdout);
        if (missing.length === 0) break;
        await new Promise((r) => setTimeout(r, 200));
      }
      expect(missing.length === 0, `the page's trace lacks ${missing.length} of the native trace's lines, first: ${missing[0]}`);
      await new Promise((r) => setTimeout(r, 500));
      const seen = await comparePicture(page, want.shot);
      expect(seen.source !== 'nothing', `the canvas is ${seen.width} x ${seen.height}, the native picture 800 x 600`);
      const share = (100 * seen.differing) / (seen.width * seen.height);
      expect(share <= 5, `the page is not at the start menu: ${share.toFixed(1)} % of the pixels differ from the native one`);

      // F12: the game's PNG of the menu, offered as a download under its own name.
      step = 'F12';
      const shots = path.join(work, 'shots');
      fs.mkdirSync(shots);
      const cdp = await page.createCDPSession();
      await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: shots, browserContextId: context.id });
      await page.keyboard.press('F12');
      let png = null;
      for (let i = 0; i < 100 && !png; i++) {
        await new Promise((r) => setTimeout(r, 100));
        png = fs.readdirSync(shots).find((n) => n.endsWith('.png'));
      }
      expect(png, 'F12 offered no PNG to download');
      await new Promise((r) => setTimeout(r, 300));
      const shot = await comparePicture(page, fs.readFileSync(path.join(shots, png)));
      expect((100 * shot.differing) / (shot.width * shot.height) <= 5, `the PNG of F12 (${png}) is not the start menu`);

      // Fullscreen: the button puts the game alone on the screen, as large as fits; the game's own
      // switch (the program's hook) leaves it.
      step = 'fullscreen';
      await page.click('#fullscreen');
      await page.waitForFunction(() => document.fullscreenElement === document.getElementById('stage'), { timeout: 5000 });
      await new Promise((r) => setTimeout(r, 200));
      const full = await page.evaluate(() => {
        const r = document.getElementById('canvas').getBoundingClientRect();
        return { left: r.left, top: r.top, width: r.width, height: r.height, w: innerWidth, h: innerHeight };
      });
      const fits = Math.min(full.w / 800, full.h / 600);
      expect(Math.abs(full.width - 800 * fits) < 0.5 && Math.abs(full.left - (full.w - full.width) / 2) < 0.5 &&
        Math.abs(full.top - (full.h - full.height) / 2) < 0.5, `in fullscreen the picture is ${JSON.stringify(full)}`);
      await page.evaluate(() => window.Module.zentrifaFullscreen(false));
      await page.waitForFunction(() => document.fullscreenElement === null, { timeout: 5000 });
      await context.close();
      return `(${share.toFixed(2)} % of the pixels differ from the native start menu; F12 gave ${png})`;
    });

    await check('waits: a pause and a yes/no question hold the game\'s frames in the page until they end, then it goes on', async () => {
      // Both wait in the middle of a frame for the player (the page sleeps there through
      // Asyncify): the frames stop, nothing fails, and the game plays on after.
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      await page.setViewport({ width: 1280, height: 720 });
      await page.goto(`${page0}?seed=1&lang=en&trace`);
      await firstFrame(page);
      await page.focus('#canvas');
      const wait = (ms) => new Promise((r) => setTimeout(r, ms));
      const look = () => page.evaluate(() => ({ frames: zentrifaPage.frames, state: zentrifaPage.state, asleep: Boolean(window.Asyncify && Asyncify.currData) }));
      const held = async (what) => {
        await wait(1200);
        const a = await look();
        await wait(800);
        const b = await look();
        expect(a.asleep && b.asleep && a.frames === b.frames && b.state === 'running',
          `${what}: frames ${a.frames} then ${b.frames}, asleep ${a.asleep}, ${b.state}`);
        return b.frames;
      };
      const goesOn = async (what, from) => {
        await wait(1200);
        const c = await look();
        expect(!c.asleep && c.frames > from && c.state === 'running', `after ${what}: frames ${from} then ${c.frames}, ${c.state}`);
      };
      await page.keyboard.press('KeyP');
      let frames = await held('paused');
      await page.keyboard.press('KeyP');
      await goesOn('the pause', frames);
      // Escape at the title asks whether to start over; No leaves everything as it was.
      await page.keyboard.press('Escape');
      frames = await held('asked');
      const box = await page.evaluate(() => {
        const r = document.getElementById('canvas').getBoundingClientRect();
        return { left: r.left, top: r.top, scale: r.width / 800 };
      });
      await page.mouse.click(box.left + 475 * box.scale, box.top + 331 * box.scale);
      await goesOn('No', frames);
      await context.close();
    });

    await check('storage: saves kept across a reload, one tab at a time, export, import, damaged saves, no IndexedDB', async () => {
      const page = await browser.newPage();
      const cdp = await page.createCDPSession();
      await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });

      step = 'reload';
      // A session saves; the save is in IndexedDB, and the game starts from it after a reload.
      await page.goto(`${page0}?seed=5&frames=40&autoplay`);
      await ended(page, 'a first session');
      const saved = await programFile(page, '/save/my.dat');
      expect(saved && saved.length > 0, 'the first session left no /save/my.dat');
      expect(sameBytes(await storedFile(page, 'my.dat'), saved), 'IndexedDB does not hold the save the game wrote');
      await page.goto(page0);
      const run = await firstFrame(page);
      expect(run.state === 'running', `the page is ${run.state} after the reload`);
      expect(sameBytes(await programFile(page, '/save/my.dat'), saved), 'the reloaded game does not start from the save');

      step = 'second tab';
      // A second tab of the same browser: refused, told, nothing started, the save as it was.
      const second = await browser.newPage();
      await second.goto(page0);
      await second.waitForFunction(() => window.zentrifaPage && (window.zentrifaPage.state === 'refused' ||
        window.zentrifaPage.frames > 0), { timeout: WAIT, polling: 100 }).catch(() => {});
      const refused = await second.evaluate(() => window.zentrifaPage.state);
      const other = await lib.runOf(second);
      expect(refused === 'refused', `the second tab was not refused (${refused})`);
      expect(other.messages.some((m) => /already open in another tab/.test(m)), `the second tab said: ${other.messages}`);
      expect(await second.evaluate(() => typeof window.Module === 'undefined'), 'the second tab started the program');
      expect(sameBytes(await storedFile(second, 'my.dat'), saved), 'the second tab changed the save');
      await second.close();

      step = 'export';
      // Export: a download of the bytes of /save/my.dat.
      await page.click('#export');
      const exported = path.join(downloads, 'my.dat');
      for (let i = 0; i < 100 && !fs.existsSync(exported); i++) await new Promise((r) => setTimeout(r, 100));
      await new Promise((r) => setTimeout(r, 200));
      expect(sameBytes(fs.existsSync(exported) && fs.readFileSync(exported), saved), `the export is ${hex(fs.existsSync(exported) && fs.readFileSync(exported))}, the save ${hex(saved)}`);

      step = 'damaged import';
      // Import of a damaged save: refused with the game's reason, the save kept.
      const damagedFile = path.join(work, 'damaged.dat');
      const damaged = Buffer.concat([Buffer.from('zentrifa?\n'), Buffer.from(Array.from({ length: 300 }, (_, i) => (i * 73) % 256))]);
      fs.writeFileSync(damagedFile, damaged);
      let [chooser] = await Promise.all([page.waitForFileChooser({ timeout: 5000 }), page.click('#import')]);
      await chooser.accept([damagedFile]);
      await page.waitForFunction(() => window.zentrifaPage.messages.some((m) => /cannot be imported: \S/.test(m)), { timeout: 10000 })
        .catch(async () => {
          const said = await page.evaluate(() => window.zentrifaPage.messages.join(' / '));
          throw new Error(`a damaged import was not refused with a reason (the page said: ${said || 'nothing'})`);
        });
      expect(await page.evaluate(() => window.zentrifaPage.state) === 'running', 'the game stopped after a refused import');
      expect(sameBytes(await programFile(page, '/save/my.dat'), saved), 'a refused import changed /save/my.dat');

      step = 'good import';
      // Import of a good save (another session's): the game starts again from it.
      const good = fs.readFileSync(path.join(golden, 'home_shop.save'));
      expect(!sameBytes(good, saved), 'the save to import is the one already there');
      [chooser] = await Promise.all([page.waitForFileChooser({ timeout: 5000 }), page.click('#import')]);
      await Promise.all([page.waitForNavigation({ timeout: 20000 }), chooser.accept([path.join(golden, 'home_shop.save')])])
        .catch(async () => {
          const said = await page.evaluate(() => window.zentrifaPage.messages.join(' / '));
          throw new Error(`the page did not start again from the imported save (it said: ${said || 'nothing'})`);
        });
      await firstFrame(page);
      expect(sameBytes(await programFile(page, '/save/my.dat'), good), 'after the import the game does not start from the imported save');
      expect(sameBytes(await storedFile(page, 'my.dat'), good), 'IndexedDB does not hold the imported save');

      step = 'damaged save in storage';
      // A damaged save in storage: kept aside as my.dat.bad, and the player is told.
      await page.goto(`${server.url}zentrifa.png`); // the same site, without the game
      await storeFile(page, 'my.dat', damaged);
      await page.goto(`${page0}?frames=3&trace&lang=en`);
      const after = await ended(page, 'a session on a damaged save');
      expect(sameBytes(await programFile(page, '/save/my.dat.bad'), damaged), 'the damaged save is not kept as /save/my.dat.bad');
      expect(sameBytes(await storedFile(page, 'my.dat.bad'), damaged), 'IndexedDB does not keep my.dat.bad');
      expect(after.stdout.some((l) => /^message .*my\.dat\.bad/.test(l)), `the player was not told: ${after.stdout.slice(0, 5).join(' / ')}`);
      await page.close();

      step = 'no IndexedDB';
      // A browser that will not open IndexedDB: the game plays, and the page says its progress is not kept.
      const context = await browser.createBrowserContext();
      const closed = await context.newPage();
      await closed.evaluateOnNewDocument(() => {
        IDBFactory.prototype.open = function open() {
          throw new DOMException('The user denied permission to access the database.', 'SecurityError');
        };
      });
      await closed.goto(`${page0}?frames=3`);
      const plain = await ended(closed, 'a session without IndexedDB');
      expect(plain.messages.some((m) => /will not keep the save/.test(m)), `without IndexedDB the page said: ${plain.messages}`);
      expect(await closed.$eval('#message', (m) => !m.hidden && /will not keep the save/.test(m.textContent)), 'the message is not shown');
      await context.close();

      // A browser that opens IndexedDB but will not write to it (no space left): the page says so.
      step = 'a full IndexedDB';
      const full = await browser.createBrowserContext();
      const fullPage = await full.newPage();
      await fullPage.evaluateOnNewDocument(() => {
        IDBObjectStore.prototype.put = function put() {
          throw new DOMException('The quota has been exceeded.', 'QuotaExceededError');
        };
      });
      await fullPage.goto(`${page0}?frames=3`);
      const kept = await ended(fullPage, 'a session with a full IndexedDB');
      expect(kept.messages.some((m) => /refused to keep the save/.test(m)), `with a full IndexedDB the page said: ${kept.messages}`);
      await full.close();
    });

    await check('figures: download size, first frame, memory; the loading bar moves on', async () => {
      // What the page fetches: its own files (web/ in the tree), the loader, the two packed files
      // and the icon; the build's other files in the folder are not sent.
      const served = [...fs.readdirSync(path.join(__dirname, '..', '..', 'web')),
        'zentrifa.js', 'zentrifa.wasm.gz', 'zentrifa.data.gz', 'zentrifa.png'];
      const sizes = {};
      for (const name of served) {
        const file = path.join(webDir, name);
        expect(fs.existsSync(file), `${name} is missing from ${webDir}`);
        const size = fs.statSync(file).size;
        sizes[name] = { sent: size, unpacked: name.endsWith('.gz') ? zlib.gunzipSync(fs.readFileSync(file)).length : size };
      }
      const mb = (n) => `${(n / 1048576).toFixed(2)} MB`;
      const sent = Object.values(sizes).reduce((s, x) => s + x.sent, 0);
      const unpacked = Object.values(sizes).reduce((s, x) => s + x.unpacked, 0);
      console.log(`  download: ${mb(sent)} sent, ${mb(unpacked)} unpacked`);
      for (const [name, s] of Object.entries(sizes).sort()) {
        console.log(`    ${name}: ${mb(s.sent)}${s.sent !== s.unpacked ? ` (${mb(s.unpacked)} unpacked)` : ''}`);
      }
      // On a line slow enough that the download takes about two seconds, the player sees the
      // loading bar move on in steps.
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      const cdp = await page.createCDPSession();
      await cdp.send('Network.emulateNetworkConditions',
        { offline: false, latency: 0, downloadThroughput: Math.max(4096, sent / 2), uploadThroughput: -1 });
      await page.evaluateOnNewDocument(() => {
        window.zentrifaBarSeen = [];
        document.addEventListener('DOMContentLoaded', () => {
          const bar = document.getElementById('progress');
          new MutationObserver(() => {
            if (!bar.hidden) window.zentrifaBarSeen.push(Number(bar.getAttribute('aria-valuenow')));
          }).observe(bar, { attributes: true });
        });
      });
      await page.goto(`${page0}?seed=1&lang=en`);
      const run = await firstFrame(page);
      const seen = await page.evaluate(() => window.zentrifaBarSeen);
      const between = [...new Set(seen.filter((v) => v > 0 && v < 100))];
      expect(between.length >= 2 && seen.every((v, i) => i === 0 || v >= seen[i - 1]),
        `the loading bar showed ${seen.join(' ')} %`);
      await cdp.send('Network.emulateNetworkConditions', { offline: false, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
      await new Promise((r) => setTimeout(r, 2000));
      const memory = await page.evaluate(() => {
        const M = window.Module || {};
        const wasm = (M.wasmMemory || window.wasmMemory || {}).buffer;
        const heap = M.HEAP8 || window.HEAP8;
        const js = performance.memory || {};
        return { wasm: wasm ? wasm.byteLength : heap ? heap.length : null, jsUsed: js.usedJSHeapSize, jsTotal: js.totalJSHeapSize };
      });
      const metrics = await page.metrics();
      await context.close();
      console.log(`  first frame: ${figures.firstFrame.toFixed(0)} ms after navigation (seed=1&frames=1); ` +
        `${run.firstFrameAt.toFixed(0)} ms with the download slowed (the bar showed ${between.length} steps)`);
      console.log(`  memory: wasm ${memory.wasm ? mb(memory.wasm) : 'unknown'}, JS heap ${mb(metrics.JSHeapUsedSize)} used ` +
        `of ${mb(metrics.JSHeapTotalSize)}`);
      expect(memory.wasm, 'the wasm memory could not be read');
    });
  } finally {
    await lib.closeBrowser(browser);
    await server.close();
    lib.removeFolder(work);
  }
}

main().then(() => {
  process.exitCode = Math.min(failures, 100);
}, (e) => {
  console.log(`FAILED: the checks themselves: ${e && e.stack ? e.stack : e}`);
  process.exitCode = 100;
});
