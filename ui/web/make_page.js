// Puts the page together: the template with its style, the face's script, the images as data
// addresses and the compiled program, into one file that needs nothing else.
// node make_page.js TEMPLATE CSS LOADER LONG_LIST ELEMENTS SHELL PROGRAM WASM OUTPUT ICON IMAGE...
'use strict';
const fs = require('fs');
const zlib = require('zlib');
const [template, css, loader, longList, elements, shell, program, wasm, output, icon, ...images] =
  process.argv.slice(2);
// The window's drawings come as SVG, sharp on a screen of any pixel density.
const address = (file) => `data:image/${file.endsWith('.svg') ? 'svg+xml' : 'png'};base64,` +
  fs.readFileSync(file).toString('base64');
const table = {};
images.forEach((file, i) => { table[i + 1] = address(file); });
// A script may not hold the text that ends it.
const inline = (text) => text.replace(/<\/script/gi, '<\\/script');
const parts = {
  '@ICON@': address(icon),
  '@CSS@': fs.readFileSync(css, 'utf8'),
  // Packed: the page is read in less than half the time, and the browser unpacks it natively.
  '@PROGRAM_BYTES@': zlib.gzipSync(fs.readFileSync(wasm), { level: 9 }).toString('base64'),
  '@LOADER@': inline(fs.readFileSync(loader, 'utf8')),
  '@ELEMENTS@': inline(fs.readFileSync(longList, 'utf8') + fs.readFileSync(elements, 'utf8')),
  '@IMAGES@': JSON.stringify(table),
  '@SHELL@': inline(fs.readFileSync(shell, 'utf8')),
  '@PROGRAM@': inline(fs.readFileSync(program, 'utf8')),
};
let page = fs.readFileSync(template, 'utf8');
for (const [mark, text] of Object.entries(parts)) page = page.split(mark).join(text);
fs.writeFileSync(output + '.part', page);
fs.renameSync(output + '.part', output);
