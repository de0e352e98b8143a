// How long loopsmith.html takes to import a settings file of COUNT profile groups (30,000, the
// most a settings file may hold) and show them, in headless Chromium: from the file chosen to
// the first of them painted in the profile combo, and to the combo holding all of them (the
// items the page shows, LoopsmithElements.items: a long drop-down's list is the page's own),
// the question before the import answered Yes at once; and the longest task the page ran
// meanwhile (the Long Tasks API, which sees every task over 50 ms). Each round starts in a fresh
// browser, from an empty storage. Prints the median and the worst of the rounds.
//   node import_bench.js PAGE [ROUNDS] [COUNT]        (default 3 rounds, 30000 profiles)
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const d = require('../../tests/web/page_driver');

const [pageFile, roundsText, countText] = process.argv.slice(2);
const rounds = Number(roundsText || 3);
const count = Number(countText || 30000);
const median = (v) => v.slice().sort((a, b) => a - b)[Math.floor(v.length / 2)];

// Profiles as a desktop writes them, with a few registers each: about 4 MB for 30,000, which
// the browser's storage still takes.
function settingsFile(folder) {
  const lines = ['\ufeff', '[Window]', 'CalcState = 0', 'Time = 0', 'OscillatorType = 0',
    'Oscillator = 4', 'WdtState = 0', 'NumberProf = 0', 'Language = 0'];
  for (let i = 1; i <= count; ++i) {
    lines.push(`[Profile ${String(i).padStart(5, '0')}]`);
    for (let r = 1; r <= 4; ++r) lines.push(`Reg${r} = P${i}_${r}`);
    lines.push('Label = M', `TypePIC = ${i % 2}`);
  }
  const file = path.join(folder, 'Loopsmith.ini');
  fs.writeFileSync(file, lines.join('\r\n') + '\r\n');
  return file;
}

async function importOnce(session, file) {
  const page = await d.open(session, pageFile);
  await page.evaluate((count) => {
    window.tasks = [];
    new PerformanceObserver((list) => {
      for (const t of list.getEntries()) tasks.push([t.startTime, t.duration]);
    }).observe({ type: 'longtask', buffered: false });
    document.getElementById('file').addEventListener('change', () => {
      window.chosenAt = performance.now();
    }, { capture: true, once: true });
    // The question is answered as soon as it is asked.
    document.addEventListener('loopsmith-message', () => {
      const yes = document.querySelector('dialog[open] button');
      if (yes && yes.textContent !== 'OK') yes.click();
    });
    // Shown: the profile combo whole, its first item chosen, and the frame after the one that
    // drew it painted. (The editor's list fills when its page is shown.)
    window.imported = new Promise((done) => {
      const combo = document.getElementById('g1');
      const check = () => {
        const items = LoopsmithElements.items(1);
        // The imported profiles first on show: the combo holds the first of them.
        if (!window.firstAt && items[0] === 'Profile 00001' && combo.value === items[0]) {
          requestAnimationFrame(() => requestAnimationFrame(() => { window.firstAt = performance.now(); }));
        }
        if (items.length !== count || combo.value !== items[0]) return void setTimeout(check, 5);
        requestAnimationFrame(() => requestAnimationFrame(() => {
          window.shownAt = performance.now();
          done();
        }));
      };
      check();
    });
  }, count);
  const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('#g71')]);
  await chooser.accept([file]);
  await page.evaluate(() => window.imported);
  // Long tasks are reported a moment after they end.
  await new Promise((r) => setTimeout(r, 300));
  const result = await page.evaluate(() => {
    const during = tasks.filter(([start, length]) => start + length >= chosenAt && start <= shownAt);
    return { total: shownAt - chosenAt, first: firstAt - chosenAt, longest: Math.max(0, ...during.map(([, length]) => length)),
      shown: LoopsmithElements.items(1).length };
  });
  await page.close();
  return result;
}

async function main() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'loopsmith-import-bench-'));
  try {
    const file = settingsFile(folder);
    const results = [];
    for (let i = 0; i < rounds; ++i) {
      const session = await d.launch();
      try {
        results.push(await importOnce(session, file));
      } finally {
        await session.close();
      }
      if (results[i].shown !== count) throw new Error(`${results[i].shown} profiles shown, not ${count}`);
    }
    const totals = results.map((r) => r.total), longest = results.map((r) => r.longest);
    const first = results.map((r) => r.first);
    console.log(`import of ${count} profiles (${fs.statSync(file).size} bytes), ${rounds} rounds, ` +
      `load average ${os.loadavg()[0].toFixed(1)} on ${os.cpus().length} cores`);
    console.log(`chosen to the first of them shown: median ${median(first).toFixed(0)} ms, ` +
      `worst ${Math.max(...first).toFixed(0)} ms`);
    console.log(`import and show, chosen to all of them in the combo: median ${median(totals).toFixed(0)} ms, ` +
      `worst ${Math.max(...totals).toFixed(0)} ms`);
    console.log(`longest task meanwhile: median ${median(longest).toFixed(0)} ms, ` +
      `worst ${Math.max(...longest).toFixed(0)} ms`);
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

main().catch((e) => { console.error(e); process.exit(1); });
