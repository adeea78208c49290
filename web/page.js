// Zentrifa's page: fetches the game (with a loading bar), keeps its saves in the browser's
// IndexedDB, and gives the player fullscreen, export and import of the save.
//
// window.zentrifaPage tells a test driver how the run goes: state (loading, starting, running,
// exited, refused, failed), exitCode, frames, firstFrameAt, the program's stdout lines (kept when
// the address asks for trace or headless), its stderr lines, and the messages the page showed.
// The program's error boxes are shown as the page's messages. A driver may set, before this
// script runs, window.zentrifaStartFiles ({name: base64}: files put into /save before the game
// starts) and window.zentrifaAfterFrame (called after each frame).
'use strict';

(function () {
  const core = window.ZentrifaPageCore;
  const params = new URLSearchParams(location.search);
  const lang = core.pageLanguage(params.has('lang') ? params.get('lang') : null, [navigator.language]);
  const t = (name, values) => core.text(name, lang, values);
  const commandLine = core.programCommandLine(location.search);
  const keepOutput = commandLine.headless || params.has('trace');

  const $ = (id) => document.getElementById(id);
  const canvas = $('canvas');
  const stage = $('stage');
  const progress = $('progress');
  const progressFill = $('progress-fill');
  const progressLabel = $('progress-label');
  const messageBox = $('message');
  const buttons = { fullscreen: $('fullscreen'), export: $('export'), import: $('import') };
  const importFile = $('import-file');

  const run = {
    state: 'loading',
    exitCode: null,
    frames: 0,
    firstFrameAt: null,
    stdout: [],
    stderr: [],
    messages: [],
    storage: 'unknown', // 'ok', 'unavailable'
    pendingSyncs: 0,
    syncFailures: 0,
  };
  window.zentrifaPage = run;

  // --- What the player reads -------------------------------------------------------------------

  document.documentElement.lang = lang;
  $('title').textContent = t('title');
  progressLabel.textContent = t('loading');
  buttons.fullscreen.textContent = t('fullscreen');
  buttons.export.textContent = t('export_save');
  buttons.import.textContent = t('import_save');
  $('note').textContent = t('storage_note');

  // A message above the game; each is said once, newest last.
  let anError = false;
  function tell(message, kind = 'error') {
    if (!run.messages.includes(message)) run.messages.push(message);
    if (kind !== 'info') anError = true;
    messageBox.textContent = run.messages.join('\n');
    messageBox.style.whiteSpace = 'pre-line';
    messageBox.className = anError ? '' : 'info';
    messageBox.hidden = false;
  }

  // A click puts the messages away (the game gets its room back); a new one shows them again.
  messageBox.addEventListener('click', () => {
    messageBox.hidden = true;
    refocus();
  });

  function showProgress(fraction, label) {
    const percent = Math.max(0, Math.min(100, Math.round(fraction * 100)));
    progressFill.style.width = `${percent}%`;
    progress.setAttribute('aria-valuenow', String(percent));
    progressLabel.textContent = label;
  }

  // --- The picture: as large as fits, centred, black bars around it -----------------------------

  function layout() {
    const area = stage.getBoundingClientRect();
    const box = core.letterbox(area.width, area.height);
    canvas.style.width = `${box.width}px`;
    canvas.style.height = `${box.height}px`;
    canvas.style.left = `${box.left}px`;
    canvas.style.top = `${box.top}px`;
  }
  layout();
  if (typeof ResizeObserver === 'function') new ResizeObserver(layout).observe(stage);
  window.addEventListener('resize', layout);
  document.addEventListener('fullscreenchange', layout);

  // Keys reach the game while the canvas has the focus; a right click is the game's, not a menu's.
  canvas.addEventListener('contextmenu', (e) => e.preventDefault());
  canvas.addEventListener('pointerdown', () => canvas.focus({ preventScroll: true }));
  const refocus = () => canvas.focus({ preventScroll: true });

  function setFullscreen(on) {
    const isOn = document.fullscreenElement === stage;
    if (on && !isOn && stage.requestFullscreen) {
      stage.requestFullscreen().catch(() => {}).then(refocus);
    } else if (!on && document.fullscreenElement && document.exitFullscreen) {
      document.exitFullscreen().catch(() => {}).then(refocus);
    }
  }
  buttons.fullscreen.addEventListener('click', () => setFullscreen(document.fullscreenElement !== stage));
  buttons.fullscreen.disabled = !document.fullscreenEnabled;

  // --- The program's files ----------------------------------------------------------------------

  const fs = () => window.Module.FS || window.FS;

  // Writes /save into IndexedDB; syncs run one after another, and a request made while one waits
  // joins it. Resolves to whether the browser kept the files.
  let syncChain = Promise.resolve();
  let waitingSync = null;
  function syncOut() {
    if (run.storage === 'unknown') return Promise.resolve(false); // not mounted yet
    if (waitingSync) return waitingSync;
    run.pendingSyncs++;
    const mine = syncChain.then(() => {
      waitingSync = null;
      return new Promise((resolve) => {
        fs().syncfs(false, (error) => {
          run.pendingSyncs--;
          if (error) {
            run.syncFailures++;
            tell(run.storage === 'unavailable' ? t('storage_unavailable') : t('sync_failed'));
            console.error('zentrifa: the browser did not keep /save:', error);
          }
          resolve(!error);
        });
      });
    });
    waitingSync = mine;
    syncChain = mine;
    return mine;
  }

  function readSave(path) {
    try {
      return fs().readFile(path);
    } catch (e) {
      return null;
    }
  }

  function offerDownload(bytes, name, type = 'application/octet-stream') {
    const url = URL.createObjectURL(new Blob([bytes], { type }));
    const a = document.createElement('a');
    a.href = url;
    a.download = name;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  function decodeBase64(text) {
    const raw = atob(text);
    const bytes = new Uint8Array(raw.length);
    for (let i = 0; i < raw.length; i++) bytes[i] = raw.charCodeAt(i);
    return bytes;
  }

  // Before main runs: /save from IndexedDB (with the driver's start files over it), /in and /out.
  function prepareFiles(inputBytes) {
    const FS = fs();
    const IDBFS = window.Module.IDBFS || window.IDBFS;
    const addDependency = window.Module.addRunDependency || window.addRunDependency;
    const removeDependency = window.Module.removeRunDependency || window.removeRunDependency;
    for (const dir of ['/save', '/in', '/out']) {
      try {
        FS.mkdir(dir);
      } catch (e) {
        // already there
      }
    }
    if (inputBytes) FS.writeFile(commandLine.input.path, inputBytes);
    const startFiles = () => {
      const start = window.zentrifaStartFiles;
      if (start && typeof start === 'object') {
        for (const [name, base64] of Object.entries(start)) {
          if (!/^[A-Za-z0-9._-]+$/.test(name) || name === '.' || name === '..') continue;
          FS.writeFile(`/save/${name}`, decodeBase64(base64));
        }
        syncOut();
      }
    };
    if (!IDBFS) {
      // A program built without IndexedDB support plays with /save in memory only.
      run.storage = 'unavailable';
      tell(t('storage_unavailable'));
      startFiles();
      return;
    }
    FS.mount(IDBFS, {}, '/save');
    addDependency('zentrifa-save');
    FS.syncfs(true, (error) => {
      if (error) {
        run.storage = 'unavailable';
        tell(t('storage_unavailable'));
        console.error('zentrifa: IndexedDB cannot be used:', error);
      } else {
        run.storage = 'ok';
      }
      startFiles();
      removeDependency('zentrifa-save');
    });
  }

  // --- Export and import ------------------------------------------------------------------------

  buttons.export.addEventListener('click', () => {
    refocus();
    const bytes = readSave('/save/my.dat');
    if (!bytes) {
      tell(t('no_save_yet'), 'info');
      return;
    }
    offerDownload(bytes, 'my.dat');
  });

  // zentrifa_check_save(path, lang): '' for a good save, else what to tell the player.
  function checkSave(path, language) {
    const M = window.Module;
    const text = (value) => {
      const size = M.lengthBytesUTF8(value) + 1;
      const at = M._malloc(size);
      M.stringToUTF8(value, at, size);
      return at;
    };
    const file = text(path);
    const code = text(language);
    try {
      return M.UTF8ToString(M._zentrifa_check_save(file, code));
    } finally {
      M._free(file);
      M._free(code);
    }
  }

  buttons.import.addEventListener('click', () => importFile.click());
  importFile.addEventListener('change', async () => {
    const file = importFile.files && importFile.files[0];
    importFile.value = '';
    refocus();
    if (!file || run.state !== 'running') return;
    const bytes = new Uint8Array(await file.arrayBuffer());
    // The check is the program's own reader, called straight through its export: it never
    // sleeps, so it may run while the game itself sleeps in a pause or a question (the file
    // dialog takes the focus, and the game pauses when it loses it).
    const FS = fs();
    FS.writeFile('/in/import.dat', bytes);
    let why;
    try {
      why = checkSave('/in/import.dat', lang);
    } catch (e) {
      why = String(e && e.message ? e.message : e);
    }
    if (typeof why !== 'string') why = String(why);
    if (why) {
      tell(t('import_refused', { why }));
      return;
    }
    // The game must not save over the new file: its loop stops here, and the page starts again.
    window.Module.pauseMainLoop();
    buttons.import.disabled = true;
    FS.writeFile('/save/my.dat.import', bytes);
    FS.rename('/save/my.dat.import', '/save/my.dat');
    if (await syncOut()) {
      tell(t('import_done'), 'info');
      location.reload();
    } else {
      window.Module.resumeMainLoop();
    }
  });

  // --- The run ----------------------------------------------------------------------------------

  function firstFrame() {
    run.firstFrameAt = performance.now();
    if (run.state === 'starting') run.state = 'running'; // not when that frame was the last
    progress.hidden = !commandLine.headless;
    buttons.import.disabled = false;
  }

  function finished(code) {
    if (run.state === 'exited') return;
    run.state = 'exited';
    run.exitCode = code;
    progress.hidden = true;
    buttons.import.disabled = true;
    if (code !== 0) {
      tell(t('stopped', { why: run.stderr.length ? run.stderr[run.stderr.length - 1] : `exit ${code}` }));
    } else if (!commandLine.headless) {
      tell(t('ended'), 'info');
    }
  }

  function aborted(what) {
    if (run.state === 'exited') return;
    run.stderr.push(String(what));
    finished(134);
  }

  function loadFailed(why) {
    run.state = 'failed';
    progress.hidden = true;
    tell(t('load_failed', { why }));
  }

  // A wasm trap reaches the page as an uncaught error.
  window.addEventListener('error', (event) => {
    if (run.state === 'starting' || run.state === 'running') aborted(event.error || event.message);
  });

  // fetchGzip(url, counted): the bytes of a gzip-compressed file, unpacked; counted(received,
  // total) follows its download.
  async function fetchGzip(url, counted) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(`${url}: ${response.status} ${response.statusText}`);
    const total = Number(response.headers.get('Content-Length')) || 0;
    let received = 0;
    counted(0, total);
    let stream = response.body.pipeThrough(
      new TransformStream({
        transform(chunk, controller) {
          received += chunk.byteLength;
          counted(received, total);
          controller.enqueue(chunk);
        },
      }),
    );
    // A server that sends the file as gzip content encoding has had the browser unpack it.
    if (!/gzip/i.test(response.headers.get('Content-Encoding') || '')) {
      stream = stream.pipeThrough(new DecompressionStream('gzip'));
    }
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }

  async function fetchBytes(url) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(`${url}: ${response.status} ${response.statusText}`);
    return new Uint8Array(await response.arrayBuffer());
  }

  async function start() {
    const sizes = {};
    const counted = (name) => (received, total) => {
      sizes[name] = { received, total };
      const all = Object.values(sizes);
      const got = all.reduce((s, x) => s + x.received, 0);
      const want = all.reduce((s, x) => s + x.total, 0);
      const known = all.length === 2 && all.every((x) => x.total > 0);
      showProgress(known ? got / want : 0,
        known ? `${t('loading')} ${Math.min(100, Math.floor((got / want) * 100))} %`
          : `${t('loading')} ${(got / 1048576).toFixed(1)} MB`);
    };
    let wasm;
    let data;
    let input = null;
    try {
      [wasm, data, input] = await Promise.all([
        fetchGzip('zentrifa.wasm.gz', counted('wasm')),
        fetchGzip('zentrifa.data.gz', counted('data')),
        commandLine.input ? fetchBytes(commandLine.input.url) : Promise.resolve(null),
      ]);
    } catch (e) {
      loadFailed(String(e && e.message ? e.message : e));
      return;
    }
    run.state = 'starting';
    showProgress(1, commandLine.headless ? t('replaying') : t('starting'));

    window.Module = {
      canvas,
      arguments: commandLine.args,
      wasmBinary: wasm,
      // The packed data is asked for here before the loader would fetch zentrifa.data itself.
      getPreloadedPackage(name, size) {
        const buffer = data.buffer;
        if (buffer.byteLength !== size) console.warn(`zentrifa: ${name} is ${buffer.byteLength} bytes, ${size} expected`);
        data = null;
        return buffer;
      },
      preRun: [() => prepareFiles(input)],
      print(line) {
        if (keepOutput) run.stdout.push(line);
        else console.log(line);
      },
      printErr(line) {
        if (run.stderr.length < 10000) run.stderr.push(line);
        console.warn(line);
      },
      onRuntimeInitialized() {
        buttons.export.disabled = false;
      },
      postMainLoop() {
        run.frames++;
        if (run.frames === 1) firstFrame();
        if (typeof window.zentrifaAfterFrame === 'function') window.zentrifaAfterFrame(canvas);
      },
      // main has come back. A program built without EXIT_RUNTIME that simply returns from main
      // (or calls exit) before its frame loop starts never calls onExit: no loop running and no
      // sleep under way means that it has ended, with EXITSTATUS.
      postRun() {
        const loop = window.Browser && window.Browser.mainLoop;
        const asleep = window.Asyncify && window.Asyncify.currData;
        if (loop && !loop.func && !asleep && run.state === 'starting' && typeof window.EXITSTATUS === 'number') {
          finished(window.EXITSTATUS);
        }
      },
      onExit(code) {
        // What the game saved last is kept before the page says it has ended.
        run.state = 'exiting';
        syncOut().then(() => finished(code), () => finished(code));
      },
      onAbort(what) {
        aborted(what);
      },
      zentrifaFilesChanged() {
        syncOut();
      },
      zentrifaScreenshot(path) {
        if (commandLine.headless) return;
        const bytes = readSave(path);
        if (bytes) offerDownload(bytes, path.split('/').pop(), 'image/png');
        // Offered once: it does not go on into the browser's storage with the save.
        try {
          fs().unlink(path);
        } catch (e) {
          // already gone
        }
      },
      zentrifaFullscreen(on) {
        setFullscreen(Boolean(on));
      },
      // The program's error box (it says the same on stderr).
      zentrifaErrorBox(title, message) {
        tell(title ? `${title}: ${message}` : String(message));
      },
    };
    if (commandLine.headless) {
      // A replay shows nothing until it ends; its progress stands for the whole run.
      progress.hidden = false;
    }
    const script = document.createElement('script');
    script.src = 'zentrifa.js';
    script.onerror = () => loadFailed('zentrifa.js');
    document.body.appendChild(script);
    refocus();
  }

  // --- Start: one page per browser profile plays -------------------------------------------------

  const supported = typeof WebAssembly === 'object' && typeof DecompressionStream === 'function' &&
    typeof TransformStream === 'function' && typeof fetch === 'function';
  if (!supported) {
    run.state = 'failed';
    progress.hidden = true;
    tell(t('too_old'));
  } else if (navigator.locks && navigator.locks.request) {
    // The lock is held as long as this page lives; another page of the game is refused.
    navigator.locks.request('zentrifa-save', { ifAvailable: true }, (lock) => {
      if (!lock) {
        run.state = 'refused';
        progress.hidden = true;
        buttons.fullscreen.disabled = true;
        tell(t('other_tab'));
        return undefined;
      }
      start();
      return new Promise(() => {});
    }).catch((e) => loadFailed(String(e)));
  } else {
    start();
  }
})();
