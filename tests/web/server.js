// A small static file server on 127.0.0.1 for the browser runs: each URL prefix is served from a
// folder. The build's .gz files go out as plain bytes (no Content-Encoding): the page unpacks them.
'use strict';

const http = require('http');
const fs = require('fs');
const path = require('path');

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.gz': 'application/octet-stream',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
  '.json': 'application/json',
  '.txt': 'text/plain; charset=utf-8',
  '.md': 'text/plain; charset=utf-8',
};

function contentType(file) {
  return TYPES[path.extname(file).toLowerCase()] || 'application/octet-stream';
}

// serve({'/': dir, '/input/': dir2}): resolves to {url, port, close(), sent} once listening on a
// free port; sent counts the bytes of file bodies sent by path.
function serve(roots) {
  const prefixes = Object.keys(roots).sort((a, b) => b.length - a.length);
  const sent = {};
  const server = http.createServer((req, res) => {
    const fail = (code, text) => {
      res.writeHead(code, { 'Content-Type': 'text/plain; charset=utf-8' });
      res.end(`${text}\n`);
    };
    if (req.method !== 'GET' && req.method !== 'HEAD') return fail(405, 'method not allowed');
    let pathname;
    try {
      pathname = decodeURIComponent(new URL(req.url, 'http://127.0.0.1').pathname);
    } catch (e) {
      return fail(400, 'bad address');
    }
    const prefix = prefixes.find((p) => pathname.startsWith(p));
    if (prefix === undefined) return fail(404, 'not found');
    const root = path.resolve(roots[prefix]);
    let rest = pathname.slice(prefix.length);
    if (rest === '' || rest.endsWith('/')) rest += 'index.html';
    const file = path.resolve(root, rest);
    if (file !== root && !file.startsWith(root + path.sep)) return fail(403, 'outside the served folder');
    fs.stat(file, (error, stat) => {
      if (error || !stat.isFile()) return fail(404, 'not found');
      res.writeHead(200, {
        'Content-Type': contentType(file),
        'Content-Length': stat.size,
        'Cache-Control': 'no-store',
      });
      if (req.method === 'HEAD') return res.end();
      sent[pathname] = (sent[pathname] || 0) + stat.size;
      fs.createReadStream(file).pipe(res);
      return undefined;
    });
    return undefined;
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      resolve({
        url: `http://127.0.0.1:${port}/`,
        port,
        sent,
        close: () => new Promise((done) => {
          server.closeAllConnections();
          server.close(() => done());
        }),
      });
    });
  });
}

module.exports = { serve, contentType };
