// Holds the last frames of the golden recordings replayed in the page to the desktop's, pixel by
// pixel: node frames.js GOT_DIR WANT_DIR NAME... Each NAME.png of GOT_DIR against WANT_DIR's. The
// page's texts may come out one step lighter or darker than the desktop's at a few edge pixels (the
// browser's build of FreeType rounds its coverage at a few places differently); anything beyond
// that (a pixel off by more than one step, or more than a few hundred pixels) fails. Prints, for
// each, how many pixels differ and by how much at most.
'use strict';

const fs = require('fs');
const path = require('path');
const lib = require('./lib');

const [gotDir, wantDir, ...names] = process.argv.slice(2);
const kMostPixels = 200;
const kMostStep = 1;

(async () => {
  const profile = lib.tempFolder('frames');
  const browser = await lib.launch(profile);
  let failed = 0;
  try {
    const page = await browser.newPage();
    for (const name of names) {
      const got = fs.readFileSync(path.join(gotDir, `${name}.png`)).toString('base64');
      const want = fs.readFileSync(path.join(wantDir, `${name}.png`)).toString('base64');
      const seen = await page.evaluate(async (a, b) => {
        const pixels = async (base64) => {
          const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
          const image = await createImageBitmap(new Blob([bytes], { type: 'image/png' }),
            { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
          const c = new OffscreenCanvas(image.width, image.height);
          const g = c.getContext('2d', { willReadFrequently: true });
          g.drawImage(image, 0, 0);
          return { width: image.width, height: image.height, data: g.getImageData(0, 0, image.width, image.height).data };
        };
        const [x, y] = [await pixels(a), await pixels(b)];
        if (x.width !== y.width || x.height !== y.height) return { size: `${x.width} x ${x.height} against ${y.width} x ${y.height}` };
        let differing = 0;
        let step = 0;
        for (let i = 0; i < x.data.length; i += 4) {
          let d = 0;
          for (let k = 0; k < 3; k++) d = Math.max(d, Math.abs(x.data[i + k] - y.data[i + k]));
          if (d > 0) differing++;
          step = Math.max(step, d);
        }
        return { differing, step };
      }, got, want);
      const ok = !seen.size && seen.differing <= kMostPixels && seen.step <= kMostStep;
      if (!ok) failed++;
      console.log(`${ok ? 'ok' : 'FAILED'}: ${name}: ` +
        (seen.size ? `the frame is ${seen.size}` : `${seen.differing} pixels differ, by ${seen.step} at most`));
    }
  } finally {
    await lib.closeBrowser(browser);
    lib.removeFolder(profile);
  }
  process.exit(failed ? 1 : 0);
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
