// Drives loopsmith.html in headless Chromium as a user would, and holds what it shows against
// loopsmith-cli byte for byte.
//   node drive.js PAGE CLI PICTURES_FOLDER
// Ends with "Driven: N passed, N failed"; exits 1 on any failure.
'use strict';
const { execFileSync, spawnSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const d = require('./page_driver');

const [pageFile, cli, pictures] = process.argv.slice(2);
const languageFolder = path.join(__dirname, '..', '..', 'Language');
const G = { profileCombo: 1, calculator: 2, timeUnit: 6, time: 8, freqUnit: 11, freq: 13,
  watchdog: 14, cycles: 16, output: 18, panel: 19, form: 66, routineName: 68, language: 65 };
const PIC16 = 'Default PIC10, PIC12, PIC16';
const PIC18 = 'Default PIC18';
const FORMS = ['block', 'subroutine', 'w-times'];
const TIME_UNITS = ['us', 'ms', 's', 'min', 'h', 'd'];
const FREQ_UNITS = ['MHz', 'kHz', 'Hz'];

let passed = 0, failed = 0;
function check(ok, what, detail) {
  if (ok) {
    passed++;
  } else {
    failed++;
    console.log(`FAILED: ${what}${detail ? '\n' + detail : ''}`);
  }
}

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'loopsmith-drive-'));
const noSettings = path.join(scratch, 'none.ini');

// What loopsmith-cli prints for the request: the code, or the window's message.
function cliAnswer(r) {
  const args = ['--lf', '--language', r.language || 'english', '--settings', noSettings];
  if (r.wdt) args.push('--wdt');
  if (r.profile) args.push('--profile', r.profile);
  if (r.form === 1) args.push('--subroutine', r.name);
  if (r.form === 2) args.push('--w-times', r.name);
  if (r.time !== undefined) {
    args.push('--time', r.time, '--time-unit', TIME_UNITS[r.timeUnit], '--freq', r.freq,
      '--freq-unit', FREQ_UNITS[r.freqUnit]);
  } else {
    args.push(r.cycles);
  }
  const run = spawnSync(cli, args, { encoding: 'utf8' });
  return { code: run.stdout, message: run.status === 1 ? run.stderr.trim() : null };
}

// The request typed into the page, Enter pressed: the code shown, or the message box's text.
async function pageAnswer(page, r) {
  await d.chooseText(page, G.profileCombo, r.profile || PIC16);
  await d.checkbox(page, G.watchdog, !!r.wdt);
  await d.choose(page, G.form, r.form || 0);
  if (r.form) await d.type(page, G.routineName, r.name);
  const calculator = r.time !== undefined;
  await d.checkbox(page, G.calculator, calculator);
  if (calculator) {
    await d.choose(page, G.timeUnit, r.timeUnit);
    await d.choose(page, G.freqUnit, r.freqUnit);
    await d.type(page, G.freq, r.freq);
    await d.type(page, G.time, r.time);
  } else {
    await d.type(page, G.cycles, r.cycles);
  }
  await page.keyboard.press('Enter');
  await d.idle(page);
  const box = await d.messageBox(page);
  if (box) {
    await d.answer(page, 'Enter');
    return { code: '', message: box.text };
  }
  return { code: await d.value(page, G.output), message: null };
}

// Delays over the whole range, both variants, each built-in profile, each form, the calculator.
function requests() {
  const list = [];
  const cycles = ['4', '5', '6', '9', '10', '11', '100', '255', '256', '257', '769', '1000',
    '10000', '65535', '65536', '65793', '100000', '1000000', '16777215', '16777216',
    '123456789', '4294967295', '1000000000000', '72340172838076673', '9223372036854775800'];
  cycles.forEach((c, i) => {
    list.push({ cycles: c, wdt: i % 3 === 1, profile: i % 2 ? PIC18 : PIC16 });
  });
  ['12', '100', '65536', '9999999', '9223372036854775800'].forEach((c, i) => {
    list.push({ cycles: c, wdt: i % 2 === 0, profile: PIC18, form: 1, name: 'Delay_1' });
    list.push({ cycles: c, wdt: i % 2 === 1, profile: PIC16, form: 2, name: 'WaitW' });
  });
  [['10', 1, '4', 0], ['1', 2, '20', 0], ['500', 0, '32', 1], ['2', 3, '8', 0],
    ['1', 5, '64', 0], ['1.5', 4, '4', 0], ['0.25', 2, '32768', 2], ['3.3', 1, '12', 0],
    ['100', 0, '1', 0], ['7', 2, '455', 1]].forEach(([time, timeUnit, freq, freqUnit], i) => {
    list.push({ time, timeUnit, freq, freqUnit, wdt: i % 2 === 1, profile: i % 3 ? PIC16 : PIC18,
      form: i % 4 === 3 ? 1 : 0, name: 'Pause' });
  });
  // What the window refuses, with its messages.
  list.push({ cycles: '3' }, { cycles: '4', wdt: true }, { cycles: '0' }, { cycles: '' },
    { cycles: '9223372036854775801' }, { cycles: '7', form: 1, name: 'Delay' },
    { time: '0.1', timeUnit: 0, freq: '1', freqUnit: 2 },
    { time: '999999999999', timeUnit: 5, freq: '999999', freqUnit: 0 });
  return list;
}

async function drivenRequests(session) {
  const page = await d.open(session, pageFile);
  for (const r of requests()) {
    const want = cliAnswer(r);
    const got = await pageAnswer(page, r);
    const what = `request ${JSON.stringify(r)}`;
    if (want.message !== null) {
      check(got.message === want.message, what + ': the message',
        `page: ${got.message}\ncli:  ${want.message}`);
    } else {
      check(got.message === null && got.code === want.code, what,
        `page:\n${got.message || got.code}\ncli:\n${want.code}`);
    }
  }
  await page.close();
}

// The contract suite of the window, built against the page's face: its page run in the
// browser, each test one check.
async function contractSuite(session, html) {
  const page = await session.browser.newPage();
  const lines = [];
  page.on('console', (m) => lines.push(m.text()));
  page.on('pageerror', (e) => lines.push('[  FAILED  ] page error: ' + e.message));
  await page.goto('file://' + path.resolve(html));
  const end = /^\[  (PASSED|FAILED)  \] \d+ tests?/;
  for (let waited = 0; !lines.some((l) => end.test(l)) && waited < 120000; waited += 100) {
    await new Promise((r) => setTimeout(r, 100));
  }
  for (const line of lines) {
    const ok = /^\[       OK \] (\S+)/.exec(line);
    const bad = /^\[  FAILED  \] (\S+\.\S+)( \(|$)/.exec(line);
    if (ok) check(true, ok[1]);
    if (bad && !lines.some((l) => l === `[       OK ] ${bad[1]}`)) {
      check(false, 'contract: ' + bad[1], lines.join('\n'));
    }
  }
  check(lines.some((l) => /^\[  PASSED  \]/.test(l)), 'the contract suite ran to its end',
    lines.slice(-20).join('\n'));
  await page.close();
}

// A value of a shipped language file, as the page must show it.
function shipped(language, key) {
  const text = fs.readFileSync(path.join(languageFolder, `${language}.lng`), 'utf8');
  const line = text.split(/\r?\n/).find((l) => l.startsWith(key + ' = '));
  return line.slice(key.length + 3);
}

async function captions(page) {
  return page.evaluate(() => ({
    language: document.getElementById('g65').selectedOptions[0].text,
    calculate: document.getElementById('g17').textContent,
    copy: document.getElementById('g69').textContent,
  }));
}

// The first visit speaks the browser's language when it is Russian, else English; the combo
// turns every text over, the page's own buttons too.
async function languages() {
  for (const [preferred, language] of [[['ru-RU', 'ru', 'en'], 'russian'],
    [['de-DE', 'ru'], 'russian'], [['en-US', 'ru'], 'english'], [['fr'], 'english']]) {
    const session = await d.launch();
    try {
      const page = await d.open(session, pageFile, { languages: preferred });
      const c = await captions(page);
      check(c.language === language && c.calculate === shipped(language, 'Calculation') &&
        c.copy === shipped(language, 'Web_Copy'), `first visit with ${preferred}: ${language}`,
        JSON.stringify(c));
      const other = language === 'russian' ? 'english' : 'russian';
      await d.chooseText(page, G.language, other);
      const turned = await captions(page);
      check(turned.calculate === shipped(other, 'Calculation') &&
        turned.copy === shipped(other, 'Web_Copy'), `the combo turns ${language} to ${other}`,
        JSON.stringify(turned));
    } finally {
      await session.close();
    }
  }
}

// Each page at a phone's width and a desktop's, in both languages, for a person to look at.
async function takePictures(session) {
  fs.mkdirSync(pictures, { recursive: true });
  for (const [width, scale] of [[360, 2], [1280, 1]]) {
    const page = await d.open(session, pageFile, { width, height: width < 400 ? 740 : 800, scale });
    for (const language of ['english', 'russian']) {
      await d.chooseText(page, G.language, language);
      await d.checkbox(page, G.calculator, true);
      await d.type(page, G.freq, '4');
      await d.type(page, G.time, '10');
      await d.choose(page, G.timeUnit, 1);
      await page.keyboard.press('Enter');
      await d.idle(page);
      for (const [n, name] of [[0, 'calculator'], [1, 'editor'], [2, 'about']]) {
        await page.click(`[role=tab][data-page="${n}"]`);
        await d.idle(page);
        await page.screenshot({ path: path.join(pictures, `${name}-${language}-${width}.png`),
          fullPage: true });
      }
      await page.click('[role=tab][data-page="0"]');
      await d.idle(page);
    }
    const fits = await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth);
    check(fits, `the window fits ${width} px without scrolling sideways`);
    await page.close();
  }
}

// The Copy button hands the output box's text to the clipboard.
async function copyButton(session) {
  const page = await d.open(session, pageFile);
  await page.evaluate(() => {
    window.copied = [];
    const write = navigator.clipboard.writeText.bind(navigator.clipboard);
    navigator.clipboard.writeText = (t) => { copied.push(t); return write(t); };
  });
  await d.checkbox(page, G.calculator, false);
  await d.type(page, G.cycles, '1000');
  await page.keyboard.press('Enter');
  await d.idle(page);
  await page.click('#g69');
  await d.idle(page);
  const copied = await page.evaluate(() => window.copied);
  check(copied.length === 1 && copied[0].replace(/\r\n/g, '\n') === cliAnswer({ cycles: '1000' }).code,
    'Copy hands over the code', JSON.stringify(copied));
  await page.close();
}

async function main() {
  execFileSync(cli, ['--help']);  // a missing or broken loopsmith-cli fails here, not later
  fs.writeFileSync(noSettings, '');
  const session = await d.launch();
  try {
    await contractSuite(session, path.join(path.dirname(pageFile), 'web_contract_tests.html'));
    await drivenRequests(session);
    await copyButton(session);
    await takePictures(session);
    await languages();
    const outside = session.requests.filter((u) => !/^(file|data|blob):/.test(u));
    check(outside.length === 0, 'no request leaves the machine', outside.join('\n'));
  } finally {
    await session.close();
    fs.rmSync(scratch, { recursive: true, force: true });
  }
  console.log(`Driven: ${passed} passed, ${failed} failed`);
  process.exit(failed ? 1 : 0);
}

main().catch((e) => {
  console.log(`FAILED: ${e.stack || e}`);
  console.log(`Driven: ${passed} passed, ${failed + 1} failed`);
  process.exit(1);
});
