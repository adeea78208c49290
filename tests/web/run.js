// Plays the browser build in headless Chromium with the desktop program's options, as the desktop
// program would run with --headless: the trace on standard output, the program's messages on
// standard error, the save folder and the screenshot written as files, and its exit code.
//
//   node run.js [--headless] [--seed N] [--frames N] [--input FILE] [--lang L] [--trace]
//               [--autoplay] [--screenshot FILE] [--save-dir DIR]
//
// The build is build-web/ of the tree, or $ZENTRIFA_WEB_DIR; a run that has not ended after
// $ZENTRIFA_WEB_TIMEOUT seconds (300) fails.
'use strict';

const fs = require('fs');
const path = require('path');
const { serve } = require('./server');
const lib = require('./lib');

const VALUED = ['--seed', '--frames', '--input', '--lang', '--screenshot', '--save-dir'];
const SWITCHES = ['--headless', '--trace', '--autoplay'];
// The files of the save folder that a run starts from, as the desktop program would find them.
const START_FILES = ['my.dat', 'zentrifa.ini'];

class UsageError extends Error {}

function parseOptions(argv) {
  const options = {};
  for (let i = 0; i < argv.length; i++) {
    const arg = argv[i];
    if (SWITCHES.includes(arg)) {
      options[arg.slice(2)] = true;
    } else if (VALUED.includes(arg)) {
      if (i + 1 >= argv.length) throw new UsageError(`${arg} needs a value`);
      options[arg.slice(2)] = argv[++i];
    } else {
      throw new UsageError(`unknown option ${arg}`);
    }
  }
  return options;
}

// The page's address for these options: the same options, a switch with no value.
function pageQuery(options, inputName) {
  const q = ['headless'];
  for (const key of ['seed', 'frames', 'lang']) {
    if (options[key] !== undefined) q.push(`${key}=${encodeURIComponent(options[key])}`);
  }
  if (options.trace) q.push('trace');
  if (options.autoplay) q.push('autoplay');
  if (inputName) q.push(`input=input/${encodeURIComponent(inputName)}`);
  if (options.screenshot) q.push('screenshot');
  return `?${q.join('&')}`;
}

function writeOut(stream, lines) {
  if (lines.length === 0) return Promise.resolve();
  return new Promise((resolve) => stream.write(`${lines.join('\n')}\n`, resolve));
}

async function main() {
  let options;
  try {
    options = parseOptions(process.argv.slice(2));
    if (options.input && !fs.statSync(options.input, { throwIfNoEntry: false })?.isFile()) {
      throw new UsageError(`cannot read the input file ${options.input}`);
    }
  } catch (e) {
    if (!(e instanceof UsageError)) throw e;
    process.stderr.write(`web-run: ${e.message}\nusage: web-run.sh [--headless] [--seed N] [--frames N] ` +
      '[--input FILE] [--lang L] [--trace] [--autoplay] [--screenshot FILE] [--save-dir DIR]\n');
    return 2;
  }
  const webDir = process.env.ZENTRIFA_WEB_DIR || path.join(__dirname, '..', '..', 'build-web');
  if (!fs.existsSync(path.join(webDir, 'index.html')) || !fs.existsSync(path.join(webDir, 'zentrifa.js'))) {
    process.stderr.write(`web-run: no browser build in ${webDir} (scripts/web.sh makes it)\n`);
    return 1;
  }
  const timeout = Number(process.env.ZENTRIFA_WEB_TIMEOUT || 300) * 1000;

  const work = lib.tempFolder('run');
  const inputDir = path.join(work, 'input');
  fs.mkdirSync(inputDir);
  let inputName = null;
  if (options.input) {
    inputName = path.basename(options.input).replace(/[^A-Za-z0-9._-]/g, '_');
    fs.copyFileSync(options.input, path.join(inputDir, inputName));
  }
  const startFiles = {};
  if (options['save-dir']) {
    fs.mkdirSync(options['save-dir'], { recursive: true });
    for (const name of START_FILES) {
      const file = path.join(options['save-dir'], name);
      if (fs.existsSync(file)) startFiles[name] = fs.readFileSync(file);
    }
  }

  const server = await serve({ '/': webDir, '/input/': inputDir });
  let browser = null;
  let stuck = false;
  try {
    browser = await lib.launch(path.join(work, 'profile'));
    const page = await browser.newPage();
    const pageErrors = [];
    page.on('pageerror', (e) => pageErrors.push(String(e && e.message ? e.message : e)));
    if (Object.keys(startFiles).length) await lib.giveStartFiles(page, startFiles);
    await page.goto(`${server.url}index.html${pageQuery(options, inputName)}`, { waitUntil: 'load' });
    const state = await lib.waitForEnd(page, timeout);
    if (state === 'timeout') {
      stuck = true;
      process.stderr.write(`web-run: the page did not finish within ${timeout / 1000} s\n`);
      return 1;
    }
    const run = await lib.runOf(page);
    await writeOut(process.stdout, run ? run.stdout : []);
    await writeOut(process.stderr, run ? run.stderr : []);
    if (state !== 'exited') {
      const said = run ? run.messages.join(' / ') : '';
      process.stderr.write(`web-run: the page did not run the game (${state}): ${said} ${pageErrors.join(' / ')}\n`);
      return 1;
    }
    if (options['save-dir']) {
      const saved = await lib.programFiles(page, '/save');
      for (const [name, bytes] of Object.entries(saved || {})) fs.writeFileSync(path.join(options['save-dir'], name), bytes);
    }
    if (options.screenshot) {
      const shot = (await lib.programFiles(page, '/out') || {})['shot.png'];
      if (shot) fs.writeFileSync(options.screenshot, shot);
      else if (run.exitCode === 0) process.stderr.write('web-run: the game wrote no screenshot\n');
    }
    return run.exitCode;
  } finally {
    if (browser) await lib.closeBrowser(browser, stuck);
    await server.close();
    lib.removeFolder(work);
  }
}

if (require.main === module) {
  main().then((code) => {
    process.exitCode = code;
  }, (e) => {
    process.stderr.write(`web-run: ${e && e.stack ? e.stack : e}\n`);
    process.exitCode = 1;
  });
}

module.exports = { parseOptions, pageQuery, UsageError };
