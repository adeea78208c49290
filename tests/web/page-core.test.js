// The page's words and command line (web/page-core.js), and the driver's options that become the
// page's address (run.js): node --test tests/web/
'use strict';

const test = require('node:test');
const assert = require('node:assert/strict');
const core = require('../../web/page-core.js');
const { parseOptions, pageQuery, UsageError } = require('./run.js');

test('the page speaks the language asked for, else the browser\'s, else English', () => {
  assert.equal(core.pageLanguage('ja', ['en-US']), 'ja');
  assert.equal(core.pageLanguage('zh-hans', ['ja']), 'zh-Hans');
  assert.equal(core.pageLanguage('DE', ['ja']), 'de');
  assert.equal(core.pageLanguage('fr', ['ja']), 'fr');
  assert.equal(core.pageLanguage('zh-TW', ['ja']), 'zh-Hant');
  // A language the game does not have is English, whatever the browser says.
  assert.equal(core.pageLanguage('sv-SE', ['ja']), 'en');
  assert.equal(core.pageLanguage(null, ['ja-JP']), 'ja');
  assert.equal(core.pageLanguage(null, ['ko-KR']), 'ko');
  assert.equal(core.pageLanguage(null, ['es-419']), 'es');
  assert.equal(core.pageLanguage(null, ['de_AT']), 'de');
  assert.equal(core.pageLanguage(null, ['fr-FR']), 'fr');
  assert.equal(core.pageLanguage(null, ['ru-RU']), 'ru');
  assert.equal(core.pageLanguage(null, ['it-IT']), 'it');
  assert.equal(core.pageLanguage(null, ['sv-SE']), 'en');
  assert.equal(core.pageLanguage(null, ['sv-SE', 'it-IT']), 'it');
  assert.equal(core.pageLanguage(null, ['jav']), 'en'); // Javanese is not Japanese
  assert.equal(core.pageLanguage(null, []), 'en');
  assert.equal(core.pageLanguage(null, [undefined]), 'en');
});

test('Chinese is Traditional by its script, else its region; any Portuguese is Brazilian', () => {
  const chosen = (tags) => tags.map((tag) => core.pageLanguage(null, [tag]));
  assert.deepEqual(chosen(['zh-TW', 'zh-HK', 'zh_MO', 'zh-hant', 'ZH_HANT_CN']), Array(5).fill('zh-Hant'));
  assert.deepEqual(chosen(['zh', 'zh-CN', 'zh-SG', 'zh-Hans', 'zh-Hans-HK']), Array(5).fill('zh-Hans'));
  assert.deepEqual(chosen(['pt', 'pt-PT', 'pt-BR', 'pt_br']), Array(4).fill('pt-BR'));
});

test('every page text is there in every language, with the same placeholders', () => {
  const placeholders = (s) => (s.match(/\{\w+\}/g) || []).sort().join(',');
  for (const [name, entry] of Object.entries(core.TEXTS)) {
    for (const lang of core.LANGUAGES) {
      assert.equal(typeof entry[lang], 'string', `${name} has no ${lang}`);
      assert.notEqual(entry[lang].trim(), '', `${name} is empty in ${lang}`);
      assert.equal(placeholders(entry[lang]), placeholders(entry.en), `${name} in ${lang}: placeholders`);
    }
  }
  assert.equal(core.text('import_refused', 'de', { why: 'Zeile 3' }),
    'Dieser Spielstand lässt sich nicht importieren: Zeile 3');
  assert.throws(() => core.text('no_such_text', 'en'));
});

test('French keeps its no-break spaces; Chinese and Japanese, their full-width signs', () => {
  for (const [name, entry] of Object.entries(core.TEXTS)) {
    // An ordinary space there lets the line break before the sign; the two look the same in review.
    assert.doesNotMatch(entry.fr, /[^\u00a0][!?;:»]|«[^\u00a0]/, `${name} in fr`);
    for (const lang of ['ja', 'zh-Hans', 'zh-Hant']) {
      assert.doesNotMatch(entry[lang], /[,:;!?()]/, `${name} in ${lang}: a half-width sign`);
    }
    assert.doesNotMatch(entry['zh-Hant'], /[“”"]/, `${name} in zh-Hant: quotes are 「」`);
  }
});

test('the address becomes the program\'s options, with the page\'s folders', () => {
  const cl = core.programCommandLine('?seed=1&frames=600&lang=en&trace&autoplay&headless&input=rec/a.rec&screenshot');
  assert.deepEqual(cl.args, ['--seed', '1', '--frames', '600', '--lang', 'en', '--trace', '--autoplay', '--headless',
    '--input', '/in/a.rec', '--screenshot', '/out/shot.png', '--data-dir', '/data', '--save-dir', '/save']);
  assert.deepEqual(cl.input, { url: 'rec/a.rec', path: '/in/a.rec' });
  assert.equal(cl.headless, true);

  // A plain visit: only the folders; a shared link's other keys stay out.
  const plain = core.programCommandLine('?utm_source=x&save-dir=/tmp&data-dir=/etc');
  assert.deepEqual(plain.args, ['--data-dir', '/data', '--save-dir', '/save']);
  assert.equal(plain.input, null);
  assert.equal(plain.headless, false);

  // screenshot= with a value still means the page's own file; seed= with none is passed for the
  // program to refuse.
  assert.deepEqual(core.programCommandLine('?screenshot=/etc/x&seed=').args.slice(0, 3),
    ['--screenshot', '/out/shot.png', '--seed']);
});

test('an input file keeps a plain name inside /in', () => {
  assert.equal(core.inputFileName('input/game_over.rec'), 'game_over.rec');
  assert.equal(core.inputFileName('../../etc/passwd?x=1#y'), 'passwd');
  assert.equal(core.inputFileName('http://host/a%20b%2F..%2Fc.rec'), 'a_b_.._c.rec');
  assert.equal(core.inputFileName('dir/..'), 'input');
  assert.equal(core.inputFileName(''), 'input');
  assert.equal(core.inputFileName('%E0%A4%A'), '_E0_A4_A');
});

test('the picture is as large as fits, centred between black bars', () => {
  const wide = core.letterbox(1280, 660);
  assert.equal(wide.scale, 1.1);
  assert.equal(wide.height, 660);
  assert.equal(wide.width, 880);
  assert.equal(wide.left, 200);
  assert.equal(wide.top, 0);
  const tall = core.letterbox(400, 900);
  assert.equal(tall.scale, 0.5);
  assert.deepEqual([tall.width, tall.height, tall.left, tall.top], [400, 300, 0, 300]);
  assert.equal(core.letterbox(0, 500).scale, 0);
});

test('the driver\'s options reach the program as the desktop program would take them', () => {
  const options = parseOptions(['--headless', '--seed', '21', '--lang', 'ja', '--trace', '--input', '/x/g.rec',
    '--save-dir', '/tmp/s', '--screenshot', '/tmp/s.png', '--frames', '9', '--autoplay']);
  const cl = core.programCommandLine(pageQuery(options, 'g.rec'));
  assert.deepEqual(cl.args, ['--headless', '--seed', '21', '--frames', '9', '--lang', 'ja', '--trace', '--autoplay',
    '--input', '/in/g.rec', '--screenshot', '/out/shot.png', '--data-dir', '/data', '--save-dir', '/save']);
  assert.equal(cl.input.url, 'input/g.rec');
  // A value with URL characters arrives as given.
  assert.deepEqual(core.programCommandLine(pageQuery({ lang: 'zh-Hans&x', seed: '1 2' }, null)).args.slice(0, 5),
    ['--headless', '--seed', '1 2', '--lang', 'zh-Hans&x']);
  assert.throws(() => parseOptions(['--seed']), UsageError);
  assert.throws(() => parseOptions(['--record', 'x']), UsageError);
  assert.throws(() => parseOptions(['--data-dir', 'x']), UsageError);
});
