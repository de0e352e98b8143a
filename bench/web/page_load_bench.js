// How long loopsmith.html takes from navigation to a page ready to calculate, against a plain
// HTML page with the same controls and no WebAssembly (the page's own elements, saved without
// its scripts), in alternating rounds in headless Chromium; and Calculate from the key to the
// code shown. Prints medians and the ratio. A third page, the plain one carrying the program
// and compiling it as loopsmith.html does but running none of it, shows how much of the time
// reading and compiling the WebAssembly alone takes. With EMPTY, the page of a program that does
// nothing (the target loopsmith_empty_page makes it, as bin/empty_program.html): what starting
// any WebAssembly program this way takes.
//   node page_load_bench.js PAGE [ROUNDS] [EMPTY]        (default 15 rounds)
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const d = require('../../tests/web/page_driver');

const [pageFile, roundsText, emptyFile] = process.argv.slice(2);
const rounds = Number(roundsText || 15);
const median = (v) => v.slice().sort((a, b) => a - b)[Math.floor(v.length / 2)];

async function readyAt(session, url) {
  const page = await session.browser.newPage();
  await page.goto(url);
  await page.waitForFunction(() => performance.getEntriesByName('loopsmith-ready').length > 0);
  const ms = await page.evaluate(() => performance.getEntriesByName('loopsmith-ready')[0].startTime);
  await page.close();
  return ms;
}

// The same controls as plain HTML: the built window, its style, no program.
async function plainPage(session, folder) {
  const page = await d.open(session, pageFile);
  const html = await page.evaluate(() => {
    const copy = document.documentElement.cloneNode(true);
    copy.querySelectorAll('script').forEach((s) => s.remove());
    const mark = document.createElement('script');
    mark.textContent = "document.addEventListener('DOMContentLoaded', " +
      "() => performance.mark('loopsmith-ready'));";
    copy.querySelector('head').appendChild(mark);
    return '<!doctype html>\n' + copy.outerHTML;
  });
  await page.close();
  const file = path.join(folder, 'plain.html');
  fs.writeFileSync(file, html);
  return file;
}

// The plain page with the program's packed bytes, unpacked and compiled as program_loader.js
// does; ready once compiled. Its pictures are left out, as loopsmith.html sets them only when
// its program runs: the browser would draw them while it waits for the compiler.
function compileOnlyPage(plainFile, folder) {
  const bytes = fs.readFileSync(pageFile, 'utf8').match(/<script id="program-bytes"[^>]*>[^<]*<\/script>/);
  const compile = "<script>const packed = " +
    "Uint8Array.fromBase64(document.getElementById('program-bytes').textContent);" +
    "WebAssembly.compileStreaming(new Response(new ReadableStream({ start(c) { " +
    "c.enqueue(packed); c.close(); } }).pipeThrough(new DecompressionStream('gzip')), " +
    "{ headers: { 'Content-Type': 'application/wasm' } }))" +
    ".then(() => performance.mark('loopsmith-ready'));</script>";
  const html = fs.readFileSync(plainFile, 'utf8')
    .replace(/<script>[^<]*DOMContentLoaded[^<]*<\/script>/, '')
    .replace(/(<img[^>]*?) src="data:[^"]*"/g, '$1')
    .replace('</head>', () => bytes[0] + compile + '</head>');
  const file = path.join(folder, 'compile-only.html');
  fs.writeFileSync(file, html);
  return file;
}

async function calculateTimes(session) {
  const page = await d.open(session, pageFile);
  await d.checkbox(page, 2, false);
  const times = [];
  for (const cycles of ['10000', '123456789', '9223372036854775800', '65536', '4000000']) {
    await d.type(page, 16, cycles);
    await page.evaluate(() => {
      window.keyAt = 0;
      addEventListener('keydown', () => { keyAt = performance.now(); }, { capture: true, once: true });
      document.addEventListener('loopsmith-idle', () => { window.shownAt = performance.now(); },
        { once: true });
    });
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => window.shownAt > window.keyAt && window.keyAt > 0);
    times.push(await page.evaluate(() => shownAt - keyAt));
  }
  await page.close();
  return times;
}

async function main() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'loopsmith-bench-'));
  const session = await d.launch();
  try {
    const plainFile = await plainPage(session, folder);
    const pages = ['file://' + path.resolve(pageFile), 'file://' + plainFile,
      'file://' + compileOnlyPage(plainFile, folder)];
    if (emptyFile) pages.push('file://' + path.resolve(emptyFile));
    const times = pages.map(() => []);
    const [page, bare, compileOnly, empty] = times;
    for (let i = 0; i < rounds; ++i) {
      // In turn, each first in its round, so that none always follows another.
      for (let k = 0; k < pages.length; ++k) {
        const at = (i + k) % pages.length;
        times[at].push(await readyAt(session, pages[at]));
      }
    }
    const calc = await calculateTimes(session);
    const size = fs.statSync(pageFile).size;
    const gz = require('zlib').gzipSync(fs.readFileSync(pageFile), { level: 9 }).length;
    console.log(`loopsmith.html: ${size} bytes, ${gz} gzipped`);
    console.log(`ready to calculate, median of ${rounds}: page ${median(page).toFixed(1)} ms, ` +
      `plain HTML ${median(bare).toFixed(1)} ms, ratio ${(median(page) / median(bare)).toFixed(2)}`);
    console.log(`the plain page compiling the program and running none of it: ` +
      `${median(compileOnly).toFixed(1)} ms, ratio ${(median(compileOnly) / median(bare)).toFixed(2)}`);
    if (empty) {
      console.log(`the same page with a program that does nothing: ${median(empty).toFixed(1)} ms, ` +
        `ratio ${(median(empty) / median(bare)).toFixed(2)}`);
    }
    console.log(`Calculate, key to code shown, median of ${calc.length}: ` +
      `${median(calc).toFixed(2)} ms`);
  } finally {
    await session.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

main().catch((e) => { console.error(e); process.exit(1); });
