// Serves a generated site over HTTP on 127.0.0.1 (Chromium keeps scripts of file:// frames
// apart) and keeps what forms post to it, so a test can read the order a shop sent.
'use strict';

const http = require('node:http');
const fs = require('node:fs');
const path = require('node:path');

const types = {
  '.htm': 'text/html',
  '.html': 'text/html',
  '.js': 'application/javascript',
  '.css': 'text/css',
  '.gif': 'image/gif',
  '.jpg': 'image/jpeg',
  '.jpeg': 'image/jpeg',
  '.png': 'image/png',
};

// Starts a server on a free port; resolves to { url, posts, close() }. Pages are sent without
// a charset, so the browser takes the one the page declares, as it would from a plain web host.
function serveSite(root) {
  const posts = [];
  const server = http.createServer((req, res) => {
    if (req.method === 'POST') {
      const chunks = [];
      req.on('data', (c) => chunks.push(c));
      req.on('end', () => {
        posts.push({ url: req.url, headers: req.headers, body: Buffer.concat(chunks) });
        res.writeHead(200, { 'Content-Type': 'text/html' });
        res.end('<html><body>přijato</body></html>');
      });
      return;
    }
    const wanted = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const file = path.normalize(path.join(root, wanted));
    if (!file.startsWith(path.normalize(root))) {
      res.writeHead(403).end();
      return;
    }
    fs.readFile(file, (err, data) => {
      if (err) {
        res.writeHead(404).end();
        return;
      }
      const type = types[path.extname(file).toLowerCase()] || 'application/octet-stream';
      res.writeHead(200, { 'Content-Type': type });
      res.end(data);
    });
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      resolve({
        url: `http://127.0.0.1:${port}`,
        posts,
        close: () => new Promise((done) => server.close(done)),
      });
    });
  });
}

module.exports = { serveSite };
