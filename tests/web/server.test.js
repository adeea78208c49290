// The test server: the build's files with the types a browser needs, the .gz files as plain
// bytes, and nothing outside the served folders: node --test tests/web/
'use strict';

const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const http = require('http');
const { serve } = require('./server');

function get(url, method = 'GET') {
  return new Promise((resolve, reject) => {
    // A raw path: the URL class would fold the ../ away before it reached the server.
    const { hostname, port } = new URL(url.split('/').slice(0, 3).join('/'));
    const pathPart = `/${url.split('/').slice(3).join('/')}`;
    const req = http.request({ hostname, port, path: pathPart, method }, (res) => {
      const chunks = [];
      res.on('data', (c) => chunks.push(c));
      res.on('end', () => resolve({ status: res.statusCode, headers: res.headers, body: Buffer.concat(chunks) }));
    });
    req.on('error', reject);
    req.end();
  });
}

test('the build is served with its types, the packed files as they are', async () => {
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'zentrifa-serve-'));
  const input = fs.mkdtempSync(path.join(os.tmpdir(), 'zentrifa-serve-in-'));
  const secret = path.join(path.dirname(root), `${path.basename(root)}-secret.txt`);
  fs.writeFileSync(path.join(root, 'index.html'), '<!doctype html>');
  fs.writeFileSync(path.join(root, 'zentrifa.js'), 'var Module;');
  fs.writeFileSync(path.join(root, 'zentrifa.wasm'), Buffer.from([0, 0x61, 0x73, 0x6d]));
  const packed = Buffer.from([0x1f, 0x8b, 8, 0, 1, 2, 3]);
  fs.writeFileSync(path.join(root, 'zentrifa.data.gz'), packed);
  fs.writeFileSync(path.join(input, 'game over.rec'), '1 click 10 590\n');
  fs.writeFileSync(secret, 'not to be served');
  const server = await serve({ '/': root, '/input/': input });
  try {
    assert.match(server.url, /^http:\/\/127\.0\.0\.1:\d+\/$/);
    const page = await get(server.url);
    assert.equal(page.status, 200);
    assert.equal(page.headers['content-type'], 'text/html; charset=utf-8');
    assert.equal((await get(`${server.url}zentrifa.js`)).headers['content-type'], 'text/javascript; charset=utf-8');
    assert.equal((await get(`${server.url}zentrifa.wasm`)).headers['content-type'], 'application/wasm');
    const data = await get(`${server.url}zentrifa.data.gz`);
    assert.equal(data.headers['content-type'], 'application/octet-stream');
    assert.equal(data.headers['content-encoding'], undefined);
    assert.equal(data.headers['content-length'], String(packed.length));
    assert.deepEqual(data.body, packed);
    const head = await get(`${server.url}zentrifa.data.gz`, 'HEAD');
    assert.equal(head.headers['content-length'], String(packed.length));
    assert.equal(head.body.length, 0);
    assert.equal((await get(`${server.url}input/game%20over.rec`)).body.toString(), '1 click 10 590\n');
    assert.equal((await get(`${server.url}missing.js`)).status, 404);
    // The secret file sits beside the served folders: one step up from either.
    const name = path.basename(secret);
    for (const escape of [`../${name}`, `%2e%2e/${name}`, `..%2f${name}`, `input/..%2f${name}`, `input/%2e%2e%2f${name}`]) {
      const res = await get(`${server.url}${escape}`);
      assert.ok(res.status === 403 || res.status === 404, `${escape}: ${res.status}`);
      assert.ok(!res.body.toString().includes('not to be served'), escape);
    }
    assert.equal((await get(server.url, 'POST')).status, 405);
  } finally {
    await server.close();
    fs.rmSync(root, { recursive: true, force: true });
    fs.rmSync(input, { recursive: true, force: true });
    fs.rmSync(secret, { force: true });
  }
});
