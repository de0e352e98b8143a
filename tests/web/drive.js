// Drives loopsmith.html in headless Chromium as a user would, and holds what it shows against
// loopsmith-cli byte for byte; what touches the browser's own behaviour (keys, the clipboard,
// storage, two tabs, files in and out, the layout at each width) runs in Firefox ESR as well.
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
const E = { list: 24, add: 25, edit: 26, remove: 27, name: 29, firstRegister: 41, label: 49,
  ok: 50 };
const G = { profileCombo: 1, calculator: 2, timeUnit: 6, time: 8, freqUnit: 11, freq: 13,
  watchdog: 14, cycles: 16, output: 18, panel: 19, form: 66, routineName: 68, language: 65 };
const PIC16 = 'Default PIC10, PIC12, PIC16';
const PIC18 = 'Default PIC18';
const kWebAddress = 'https://loopsmith.example.org/';
const FORMS = ['block', 'subroutine', 'w-times'];
const TIME_UNITS = ['us', 'ms', 's', 'min', 'h', 'd'];
const FREQ_UNITS = ['MHz', 'kHz', 'Hz'];

let passed = 0, failed = 0;
let browserName = 'Chromium';  // the browser of the checks under way, named in a failure
function check(ok, what, detail) {
  if (ok) {
    passed++;
  } else {
    failed++;
    console.log(`FAILED (${browserName}): ${what}${detail ? '\n' + detail : ''}`);
  }
}

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'loopsmith-drive-'));
const noSettings = path.join(scratch, 'none.ini');

// loopsmith-cli's arguments for the request, in the page's first language.
function cliArgs(r) {
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
  return args;
}

// What loopsmith-cli prints for the request: the code, or the window's message; with `link`
// the page's address of it.
function cliAnswer(r, link) {
  const args = cliArgs(r);
  if (link) args.push('--link');
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

// Keys as on the desktop, and every typed field named for screen readers by its label.
async function keysAndLabels(session) {
  const page = await d.open(session, pageFile);
  await d.checkbox(page, G.calculator, false);
  await page.focus(`#g${G.cycles}`);
  await page.keyboard.press('Tab');
  const next = await page.evaluate(() => document.activeElement.id);
  check(next === 'g17', 'Tab goes from the cycle field to Calculate, as on the desktop', next);
  const unnamed = await page.evaluate(() => Array.from(document.querySelectorAll(
    '#window input, #window select, #window textarea')).filter((f) => {
    const label = document.getElementById(f.getAttribute('aria-labelledby') || '');
    const own = f.closest('label.check');
    return !(label && label.textContent.trim()) && !(own && own.textContent.trim()) &&
      !(f.getAttribute('aria-label') || '').trim();
  }).map((f) => f.id));
  check(unnamed.length === 0, 'every field is named for screen readers', unnamed.join(' '));
  await page.close();
}

async function press(page, selector, key) {
  await page.focus(selector);
  await page.keyboard.press(key);
  await d.idle(page);
}

// Keys as on a web page: Enter or Space on a focused button or the banner presses it; Enter on
// the profile list edits, in the form presses OK; Escape cancels; Tab reaches the About links.
async function webKeys(session) {
  const page = await d.open(session, pageFile);
  await page.evaluate(() => {
    window.done = [];
    navigator.clipboard.writeText = (t) => done.push(t) && Promise.resolve();
    window.open = (url) => done.push(url);
  });
  await pageAnswer(page, { cycles: '1000' });
  for (const key of ['Enter', ' ']) await press(page, '#g70', key);
  for (const n of [71, 73]) {
    const [chooser] = await Promise.all([page.waitForFileChooser({ timeout: 5000 }).then(() => true,
      () => false), press(page, `#g${n}`, 'Enter')]);
    check(chooser, `Enter on button ${n} asks for a file`);
  }
  await press(page, '[role=tab][data-page="1"]', 'Enter');
  await press(page, `#g${E.list}`, 'Enter');
  const edited = await d.value(page, E.name);
  await press(page, `#g${E.name}`, 'Escape');
  await press(page, `#g${E.add}`, ' ');
  for (let r = 0; r <= 8; ++r) await d.type(page, E.firstRegister + r, `K${r}`);
  await d.type(page, E.name, 'Keyed');
  await press(page, `#g${E.name}`, 'Enter');
  await press(page, '[role=tab][data-page="2"]', ' ');
  const walk = [];
  for (const key of ['Tab', 'Tab']) walk.push(await press(page, ':focus', key).then(() =>
    page.evaluate(() => document.activeElement.id)));
  for (const key of ['Enter', ' ']) await press(page, '#g60', key);
  const code = await d.value(page, G.output);
  const done = await page.evaluate(() => window.done);
  check(JSON.stringify(done) === JSON.stringify([code, code, kWebAddress, kWebAddress]) &&
    edited === PIC16 && (await items(page, E.list)).includes('Keyed') && walk.join() === 'g60,g63',
  'Enter and Space press Copy and the banner; Enter edits, Escape cancels, Enter saves; Tab',
  JSON.stringify({ done, edited, walk }));
  await turnTo(page, 0);
  check((await download(session, page, () => press(page, '#g72', 'Enter'))).length > 0,
    'Enter on Export settings gives the file');
  await page.close();
}

// Faults of the layout on show: a control over the output box, a caption cut, sideways
// scrolling; on a phone, text below 12 px and targets below 24 x 24 px (WCAG 2.2, 2.5.8).
function layoutFaults(phone) {
  const all = (css) => Array.from(document.querySelectorAll(css)).filter((e) => e.getClientRects().length);
  const name = (e) => e.id || `${e.tagName} "${e.textContent.trim().slice(0, 30)}"`;
  const box = document.getElementById('g18').getBoundingClientRect();
  const controls = all('#window :is(input, select, textarea, button, a, img[role=link])');
  const faults = controls.filter((c) => { const r = c.getBoundingClientRect();
    return c.id !== 'g18' && r.left < box.right && box.left < r.right && r.top < box.bottom && box.top < r.bottom;
  }).map((c) => `${name(c)} over the output box`);
  faults.push(...all('#window :is(label, button, a, .frame > span)').filter((e) =>
    getComputedStyle(e).display !== 'inline' &&
    (e.scrollWidth > e.clientWidth + 1 || e.scrollHeight > e.clientHeight + 1)).map((e) => `${name(e)} cut`));
  if (document.documentElement.scrollWidth > innerWidth) faults.push('the page scrolls sideways');
  if (!phone) return faults;
  faults.push(...all('body *').filter((e) => parseFloat(getComputedStyle(e).fontSize) < 12 &&
    (/^(INPUT|SELECT|TEXTAREA)$/.test(e.tagName) || Array.from(e.childNodes).some((n) =>
      n.nodeType === 3 && n.textContent.trim()))).map((e) => `${name(e)} text below 12 px`));
  return faults.concat(controls.concat(all('#window select[size] option')).filter((t) =>
    t.getBoundingClientRect().width < 24 || t.getBoundingClientRect().height < 24)
    .map((t) => `${name(t)} target below 24 x 24 px`));
}

// layoutFaults at 360, 1280 and 1920 px, each language, each page, with the longest header (a
// 19-digit count in a subroutine) on show; <html lang> follows the language; in Chromium's
// accessibility tree (Firefox's is out of WebDriver BiDi's reach) every control has a name of
// its own, the access combos shown.
async function pageLayout(session) {
  const roles = ['button', 'textbox', 'combobox', 'listbox', 'checkbox', 'link', 'tab', 'image'];
  for (const width of [360, 1280, 1920]) {
    const page = await d.open(session, pageFile, { width, height: width < 400 ? 740 : 1000 });
    for (const language of ['russian', 'english']) {  // English stays for the later checks
      await d.chooseText(page, G.language, language);
      await pageAnswer(page, { cycles: '9223372036854775800', form: 1, name: 'Delay_1' });
      for (const n of [0, 1, 2]) {
        await turnTo(page, n);
        if (n === 1) await press(page, `#g${E.add}`, 'Enter').then(() => d.choose(page, 31, 1));
        if (n === 0) await press(page, '#g70', 'Enter');  // with Copy's note on show
        const faults = await page.evaluate(layoutFaults, width < 400);
        if (await page.evaluate(() => document.documentElement.lang) !==
            shipped(language, 'Web_Language_Tag')) faults.push('<html lang>');
        const names = [];
        (function walk(node) {
          if (roles.includes(node.role)) names.push(node.name || '');
          (node.children || []).forEach(walk);
        })(session.firefox || width > 400 ? {} : await page.accessibility.snapshot());
        if (!session.firefox && width < 400 && names.length < 6) faults.push('no accessibility tree');
        faults.push(...names.filter((x, i) => !x.trim() || names.indexOf(x) !== i).map((x) =>
          `accessible name "${x}" of ${names.join(' | ')}`));
        check(faults.length === 0, `${width} px, ${language}, page ${n}`, faults.join('\n'));
        if (n === 1) await press(page, '#g51', 'Enter');
      }
    }
    await page.close();
  }
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
    copy: document.getElementById('g70').textContent,
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
async function takePictures() {
  fs.mkdirSync(pictures, { recursive: true });
  const session = await d.launch();  // a first visit's state, nothing of the other checks
  for (const [width, scale] of [[360, 2], [1280, 1]]) {
    const page = await d.open(session, pageFile, { width, height: width < 400 ? 740 : 800, scale });
    // The tab icons and the banner are drawings, sharp at any density, and each one decodes.
    const kinds = await page.$$eval('#window img', (list) => Promise.all(list.map((i) =>
      i.decode().then(() => i.src.split(';')[0], () => 'broken'))));
    check(kinds.length === 4 && kinds.every((k) => k === 'data:image/svg+xml'),
      'the pictures are whole SVG drawings', JSON.stringify(kinds));
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
        // What a phone shows first, for the README.
        if (width < 400 && n === 0) {
          await page.screenshot({ path: path.join(pictures, `phone-${language}-360x740.png`) });
        }
      }
      await page.click('[role=tab][data-page="0"]');
      await d.idle(page);
    }
    const fits = await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth);
    check(fits, `the window fits ${width} px without scrolling sideways`);
    await page.close();
  }
  await session.close();
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
  await page.click('#g70');
  await d.idle(page);
  const copied = await page.evaluate(() => window.copied);
  check(copied.length === 1 && copied[0].replace(/\r\n/g, '\n') === cliAnswer({ cycles: '1000' }).code,
    'Copy hands over the code', JSON.stringify(copied));
  // It says so on the button for a moment, and aloud.
  const note = { polling: 20, timeout: 3000 };
  check(await page.waitForFunction((t) => g70.textContent.endsWith(t) && announce.textContent === t,
    note, shipped('english', 'Web_Copied')).then(() => true, () => false) && await page.waitForFunction(
    (t) => g70.textContent === t, note, shipped('english', 'Web_Copy')).then(() => true, () => false),
  'Copy shows and says that it copied, for a moment');
  await page.close();
}

async function items(page, gadget) {
  return page.evaluate((n) => LoopsmithElements.items(n), gadget);
}

async function turnTo(page, n) {
  await page.click(`[role=tab][data-page="${n}"]`);
  await d.idle(page);
}

// A profile made or changed in the editor: the name, registers R1.. with a prefix, label "$".
async function fillProfile(page, name, prefix) {
  await d.type(page, E.name, name);
  for (let r = 0; r < 8; ++r) await d.type(page, E.firstRegister + r, `${prefix}${r + 1}`);
  await d.type(page, E.label, '$');
  await page.click(`#g${E.ok}`);
  await d.idle(page);
}

async function selectInList(page, name) {
  const index = (await items(page, E.list)).indexOf(name);
  await page.$eval(`#g${E.list}`, (e, i) => { e.selectedIndex = i; }, index);
  await page.click(`#g${E.list} option:nth-child(${index + 1})`);
  await d.idle(page);
}

// The code for 1000 cycles with the named profile.
async function codeWith(page, profile) {
  await turnTo(page, 0);
  return pageAnswer(page, { cycles: '1000', profile });
}

// The page opened again, without the request Calculate left in the address.
async function reload(page) {
  await page.goto('file://' + path.resolve(pageFile));
  await d.ready(page);
}

// A profile added, changed and deleted in the editor stays so after a reload.
async function profilesKept(session) {
  const page = await d.open(session, pageFile);
  await turnTo(page, 1);
  await page.click(`#g${E.add}`);
  await d.idle(page);
  await fillProfile(page, 'Мотор', 'Cnt_');
  await reload(page);
  check((await items(page, E.list)).includes('Мотор'), 'a new profile is there after a reload');
  let code = (await codeWith(page, 'Мотор')).code;
  check(code.includes('Cnt_1'), 'the new profile spells the code', code);

  await turnTo(page, 1);
  await selectInList(page, 'Мотор');
  await page.click(`#g${E.edit}`);
  await d.idle(page);
  await fillProfile(page, 'Мотор', 'Loop_');
  await reload(page);
  code = (await codeWith(page, 'Мотор')).code;
  check(code.includes('Loop_1') && !code.includes('Cnt_1'), 'the changed profile after a reload',
    code);

  await turnTo(page, 1);
  await selectInList(page, 'Мотор');
  await page.click(`#g${E.remove}`);
  await d.idle(page);
  await d.answer(page, 'Escape');
  check((await items(page, E.list)).includes('Мотор'), 'Escape answers No: the profile stays');
  await page.click(`#g${E.remove}`);
  await d.idle(page);
  const box = await d.messageBox(page);
  check(box && box.buttons.length === 2 && box.focused === box.buttons[1],
    'Delete asks, No the default', JSON.stringify(box));
  await page.evaluate(() => document.querySelector('dialog[open] button').click());  // Yes
  await d.idle(page);
  await reload(page);
  check(!(await items(page, E.list)).includes('Мотор'), 'the deleted profile stays deleted');
  // The window's settings are saved when the page goes away, as at the desktop's close.
  await turnTo(page, 0);
  const watchdog = await page.$eval(`#g${G.watchdog}`, (e) => e.checked);
  await d.checkbox(page, G.watchdog, !watchdog);
  await reload(page);
  check(await page.$eval(`#g${G.watchdog}`, (e) => e.checked) === !watchdog,
    'a setting changed is there after a reload');
  await d.checkbox(page, G.watchdog, false);
  await page.close();
}

// Two tabs are two windows: each adds a profile, neither loses the other's, and each shows the
// other's at once, a half-done edit in its form kept.
async function twoTabs(session) {
  const a = await d.open(session, pageFile);
  const b = await d.open(session, pageFile);
  const shows = (page, name) => page.waitForFunction((n) => Array.from(document.getElementById(
    'g24').options).some((o) => o.text === n), { polling: 50 }, name).then(() => true, () => false);
  await a.bringToFront();
  await turnTo(a, 1);
  await a.click(`#g${E.add}`);
  await d.idle(a);
  await d.type(a, E.name, 'Tab A');
  await b.bringToFront();
  await turnTo(b, 1);
  await b.click(`#g${E.add}`);
  await d.idle(b);
  await fillProfile(b, 'Tab B', 'B_');
  check(await shows(a, 'Tab B') && await d.value(a, E.name) === 'Tab A',
    'the other tab\'s profile shows at once, the half-done edit kept');
  await a.bringToFront();
  await fillProfile(a, 'Tab A', 'A_');
  check(await shows(b, 'Tab A'), 'and the first tab\'s in the second', (await items(b, E.list)).join());
  await reload(a);
  const after = await items(a, E.list);
  check(after.includes('Tab A') && after.includes('Tab B'), 'both are stored', after.join(', '));
  await a.close();
  await b.close();
}

// Firefox saves into the folder its settings name; Chromium is told the folder here.
async function download(session, page, press = () => page.click('#g72')) {
  const folder = session.downloads;
  if (!session.firefox) {
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
  }
  const file = path.join(folder, 'Loopsmith.ini');
  fs.rmSync(file, { force: true });
  await press();
  await d.idle(page);
  for (let waited = 0; !fs.existsSync(file) && waited < 10000; waited += 50) {
    await new Promise((r) => setTimeout(r, 50));
  }
  return fs.existsSync(file) ? fs.readFileSync(file) : Buffer.alloc(0);
}

async function pick(page, gadget, file) {
  const [chooser] = await Promise.all([page.waitForFileChooser(), page.click(`#g${gadget}`)]);
  await d.idle(page);
  // The file's bytes reach the program a moment after the choice: wait for its turn.
  await page.evaluate(() => {
    window.picked = new Promise((done) => {
      document.addEventListener('loopsmith-idle', done, { once: true });
      document.addEventListener('loopsmith-message', done, { once: true });
    });
  });
  await chooser.accept([file]);
  await page.evaluate(() => window.picked);
  await d.idle(page);
}

// Loopsmith.ini in and out: an imported file comes back byte for byte; a bad one is refused
// with the message and replaces nothing.
async function importExport(session) {
  const page = await d.open(session, pageFile);
  // A profile saved: the whole file written anew, as the desktop writes it.
  await turnTo(page, 1);
  await page.click(`#g${E.add}`);
  await d.idle(page);
  await fillProfile(page, 'Export', 'E_');
  const text = (await download(session, page)).toString('utf8');
  check(/\[Export\]\r\n/.test(text) && !/[^\r]\n/.test(text),
    'Export gives the settings file with its profiles and its line ends', JSON.stringify(text));
  // The file as another machine's desktop left it: other settings, a profile of its own.
  const desktop = text.replace(/(WdtState\s*=\s*)0/, '$11').replace('[Export]', '[Desktop]');
  const desktopFile = path.join(scratch, 'Loopsmith.ini');
  fs.writeFileSync(desktopFile, desktop);
  await pick(page, 71, desktopFile);
  await yes(page);
  check((await items(page, G.profileCombo)).includes('Desktop') &&
    await page.$eval(`#g${G.watchdog}`, (e) => e.checked), 'an imported file is applied');
  const again = await download(session, page);
  check(again.equals(Buffer.from(desktop)), 'desktop → page → desktop gives the same bytes',
    `${JSON.stringify(desktop)}\n${JSON.stringify(again.toString())}`);

  const bad = path.join(scratch, 'bad.ini');
  fs.writeFileSync(bad, Buffer.from([0x89, 0x50, 0x4e, 0x47, 0, 0, 0, 0]));
  await pick(page, 71, bad);
  const box = await d.messageBox(page);
  check(box && box.text === shipped('english', 'Web_Import_Bad'), 'a bad file is refused',
    JSON.stringify(box));
  await d.answer(page, 'Enter');
  check((await download(session, page)).equals(Buffer.from(desktop)), 'a bad file replaces nothing');
  await page.close();
}

const stored = (page) => page.evaluate(() => localStorage.getItem('loopsmith/Loopsmith.ini'));
const yes = (page) => page.evaluate(() => document.querySelector('dialog[open] button').click())
  .then(() => d.idle(page));

// A settings file of `count` profiles and no settings, as the README's motor.ini.
function settingsFile(name, count, registerLength = 4) {
  const lines = [];
  for (let i = 1; i <= count; ++i) {
    lines.push(`[${name} ${i}]`);
    for (let r = 1; r <= 8; ++r) lines.push(`Reg${r} = ${'R'.repeat(registerLength)}${i}_${r}`);
  }
  fs.writeFileSync(path.join(scratch, name), lines.join('\r\n') + '\r\n');
  return path.join(scratch, name);
}

// An import refuses a file with nothing of ours, asks before it replaces anything, and takes
// only what the file holds.
async function importsAsk(session) {
  const page = await d.open(session, pageFile);
  await pageAnswer(page, { cycles: '1000', wdt: true });
  const before = await stored(page), profiles = await items(page, G.profileCombo);
  let seed = 33;
  const random = Buffer.alloc(200 * 1024).map(() => (seed = (seed * 1103515245 + 12345) >>> 0) >>> 24);
  for (const [name, bytes] of [['.gitconfig', '[user]\n\tname = A. User\n[core]\n\teditor = vi\n'],
    ['random', random], ['window.ini', '[Window]\r\nColour = red\r\n'],
    ['no.ini', '[Window]\r\nWdtState = 0\r\n']]) {
    fs.writeFileSync(path.join(scratch, name), bytes);
    await pick(page, 71, path.join(scratch, name));
    const box = await d.messageBox(page), asks = name === 'no.ini';  // then answered No
    const [ask, here, inFile, unknown] = ['Web_Import_Ask', 'Web_Import_Profiles_Here',
      'Web_Import_Profiles_In_File', 'Web_Import_Unknown'].map((k) => shipped('english', k));
    check(box && box.text === (asks ? `${ask}\n\n${here} ${profiles.length}\n${inFile} 0`
      : unknown) && box.buttons.length === (asks ? 2 : 1), `${name} asked or refused`,
    JSON.stringify(box));
    await d.answer(page, 'Escape');
    check(await stored(page) === before && (await items(page, G.profileCombo)).join() ===
      profiles.join(), `${name} changes nothing`);
  }
  await pick(page, 71, settingsFile('Motor', 3)).then(() => yes(page));
  check((await items(page, G.profileCombo)).join() === 'Motor 1,Motor 2,Motor 3' &&
    (await captions(page)).language === 'english' && await d.value(page, G.output) === '' &&
    await page.$eval(`#g${G.watchdog}`, (e) => e.checked), 'Yes takes the profiles of a file ' +
    'without settings, keeps the settings and clears the code');
  await pick(page, 71, path.join(scratch, 'no.ini')).then(() => yes(page));
  check((await items(page, G.profileCombo)).length === 3 &&
    !await page.$eval(`#g${G.watchdog}`, (e) => e.checked), 'a file of settings keeps the profiles');
  await page.close();
}

// A drop-down of thousands of profiles holds one option, the chosen one; its list opens with
// the rows in sight only, and keys, typing and the mouse choose in it as in a short one.
async function longList(shared) {
  // A browser of its own: the checks after it want the built-in profiles.
  const session = await d.launch({ browser: shared.firefox ? 'firefox' : 'chrome' });
  try {
    await longListIn(session);
  } finally {
    await session.close();
  }
}

async function longListIn(session) {
  const page = await d.open(session, pageFile);
  await pick(page, 71, settingsFile('Long', 1500)).then(() => yes(page));
  const combo = `#g${G.profileCombo}`;
  const seen = () => page.evaluate((c) => {
    const list = document.querySelector('[role=listbox]');
    const active = list && document.getElementById(list.getAttribute('aria-activedescendant'));
    return { value: document.querySelector(c).value, options: document.querySelector(c).options.length,
      rows: list ? list.querySelectorAll('[role=option]').length : 0,
      active: active && [active.textContent, active.getAttribute('aria-posinset'),
        active.getAttribute('aria-setsize')].join() };
  }, combo);
  await page.focus(combo);
  for (const [keys, value, active] of [[['End'], 'Long 1500'], [['Home', 'ArrowDown'], 'Long 2'],
    [['l', 'o', 'n', 'g', ' ', '9', '9'], 'Long 99'],
    [['Alt+ArrowDown', 'End', 'ArrowUp'], 'Long 99', 'Long 1499,1499,1500'],
    [['Enter'], 'Long 1499'], [[' ', 'Home', 'Escape'], 'Long 1499']]) {
    for (const key of keys) {
      if (key.startsWith('Alt+')) {
        await page.keyboard.down('Alt');
        await page.keyboard.press(key.slice(4));
        await page.keyboard.up('Alt');
      } else {
        await page.keyboard.press(key);
      }
    }
    await d.idle(page);
    const s = await seen();
    check(s.value === value && s.options === 1 && s.active === (active || null) && s.rows < 40,
      `the long list after ${keys.join(' ')}`, JSON.stringify(s));
  }
  await page.click(combo);
  const row = await page.$('[role=option][aria-posinset="1495"]');
  if (row) await row.click();
  await d.idle(page);
  check(/NumberProf = 1494\r\n/.test((await download(session, page)).toString()) &&
    (await seen()).value === 'Long 1495', 'a click in the long list chooses for the program');
  await page.close();
}

// Storage that throws, storage that is full and a write that fails: each told by its cause;
// the page works on with its copy, and the storage keeps what it held.
async function storageFaults() {
  for (const [message, words, fault] of [
    ['Web_Storage_Refused', '', () => Object.defineProperty(window, 'localStorage',
      { get: () => { throw new DOMException('denied', 'SecurityError'); } })],
    ['Web_Storage_Full', '', () => {}],
    ['Web_Storage_Failed', ' Error: the disk is on fire', () => {
      const set = Storage.prototype.setItem;
      Storage.prototype.setItem = function (key, value) {
        if (value.includes('Fire')) throw new Error('the disk is on fire');
        return set.call(this, key, value);
      };
    }]]) {
    const session = await d.launch();
    try {
      const page = await session.browser.newPage();
      await page.evaluateOnNewDocument(fault);
      await page.goto('file://' + path.resolve(pageFile));
      await d.ready(page);
      const before = message === 'Web_Storage_Refused' ? null : await pick(page, 71,
        settingsFile('Kept', 1)).then(() => yes(page)).then(() => stored(page));
      // 6 MB within the reader's limits, beyond the browser's storage for a page.
      const count = message === 'Web_Storage_Full' ? 13000 : 2;
      await pick(page, 71, settingsFile(count > 2 ? 'Big' : 'Fire', count, count > 2 ? 40 : 4));
      await yes(page);
      const box = await d.messageBox(page);
      check(box && box.text === shipped('english', message) + words, `${message} is told`,
        JSON.stringify(box));
      await d.answer(page, 'Enter');
      check((await items(page, G.profileCombo)).length === count && (before === null ||
        before.includes('[Kept 1]') && await stored(page) === before),
      `${message}: the page works on its copy, the storage keeps what it held`);
    } finally {
      await session.close();
    }
  }
}

// A language file of the user's is loaded, applied and remembered.
async function userLanguage(session) {
  const page = await d.open(session, pageFile);
  const file = path.join(scratch, 'pirate.lng');
  fs.writeFileSync(file, fs.readFileSync(path.join(languageFolder, 'english.lng'), 'utf8')
    .replace('Calculation = Calculate', 'Calculation = Make it so'));
  await pick(page, 73, file);
  let c = await captions(page);
  check(c.language === 'pirate' && c.calculate === 'Make it so', 'a user\'s language file applies',
    JSON.stringify(c));
  await reload(page);
  c = await captions(page);
  check(c.language === 'pirate' && c.calculate === 'Make it so', 'and is remembered',
    JSON.stringify(c));
  await d.chooseText(page, G.language, 'english');
  await page.close();
}

// Calculate writes the request into the address as loopsmith-cli --link does; that address,
// opened in another browser, shows the same code at once.
async function sharedLinks() {
  const requests = [{ cycles: '123456', wdt: true, profile: PIC18, form: 1, name: 'Wait_ms' },
    { time: '2.5', timeUnit: 1, freq: '20', freqUnit: 0, profile: PIC16 }];
  for (const r of requests) {
    const want = cliAnswer(r);
    const link = cliAnswer(r, true).code.trim();
    let session = await d.launch();
    const page = await d.open(session, pageFile);
    await pageAnswer(page, r);
    const address = new URL(page.url()).hash;
    check(address === link, `Calculate writes the link of ${JSON.stringify(r)}`, `${address}\n${link}`);
    await session.close();
    session = await d.launch();
    try {
      const shared = await d.open(session, pageFile, { fragment: link.slice(1) });
      check(await d.value(shared, G.output) === want.code, `the link ${link} shows its code`);
    } finally {
      await session.close();
    }
  }
  // A profile the visitor lacks: a note, and the code of the built-in profile.
  let session = await d.launch();
  try {
    const page = await d.open(session, pageFile, { fragment: 'cycles=1000&profile=Nowhere' });
    const box = await d.messageBox(page);
    check(box && box.text === shipped('english', 'Web_Link_No_Profile') + ' Nowhere',
      'a link\'s missing profile is noted', JSON.stringify(box));
    await d.answer(page, 'Enter');
    check(await d.value(page, G.output) === cliAnswer({ cycles: '1000' }).code,
      'and the built-in profile writes the code');
  } finally {
    await session.close();
  }
  // A bad link says what is wrong in the visitor's language, and the page calculates on.
  for (const [language, fragment, fault, what] of [
    ['english', 'cycles=1000&wdt=maybe', 'Web_Link_Wdt', ' "maybe"'],
    ['russian', 'cycles=1000&colour=red', 'Web_Link_Unknown_Key', ' "colour"'],
    ['russian', 'time=1&freq=4&cycles=5', 'Web_Link_Cycles_Or_Time', '']]) {
    session = await d.launch();
    try {
      const page = await d.open(session, pageFile, { fragment, languages: [language.slice(0, 2)] });
      const box = await d.messageBox(page);
      const want = `${shipped(language, 'Web_Link_Bad')} ${shipped(language, fault)}${what}.`;
      check(box && box.text === want && box.title === `Loopsmith - ${shipped(language, 'Gen_Code')}`,
        `the bad link ${fragment} is told in ${language}`, JSON.stringify(box));
      await d.answer(page, 'Enter');
      const r = { cycles: '100', language };
      check((await pageAnswer(page, r)).code === cliAnswer(r).code, 'and the page calculates on');
    } finally {
      await session.close();
    }
  }
}

// The browser's own paste of `text` into the field, the clipboard filled first.
async function paste(page, gadget, text) {
  await page.focus(`#g${gadget}`);
  await page.$eval(`#g${gadget}`, (e) => e.select());
  await page.evaluate((t) => navigator.clipboard.writeText(t), text);
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyV', { commands: ['Paste'] });
  await page.keyboard.up('Control');
  await d.idle(page);
}

// A number is read once, wholly or not at all, on every road: typed, pasted, linked, on the
// command line and in a batch. Each row gives one count or one refusal on all of them; on the
// page a refusal is seen on the field and said by the live region.
async function numbersOnEveryRoad() {
  const rows = [
    { time: '2,5', freq: '4' }, { time: '1', freq: '3,6864' }, { time: '.5', freq: '4' },
    { time: '100abc', freq: '4' }, { time: '1e4', freq: '4' }, { time: '10ms', freq: '4' },
    { time: '2.5.5', freq: '4' }, { cycles: '10 000' }, { cycles: '1000abc' },
    { cycles: '1000.9' }, { cycles: '4000' },
    // The cycle field is typed in digits; "$" and "%" counts arrive whole, pasted or linked.
    { cycles: '$3E8', typed: 'refused' },
  ];
  // A browser of its own: the built-in profiles, whatever the imports before left stored.
  const own = await d.launch();
  try {
    await roadsIn(own, rows);
  } finally {
    await own.close();
  }
}

async function roadsIn(session, rows) {
  await session.browser.defaultBrowserContext().overridePermissions('file://',
    ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  const page = await d.open(session, pageFile);
  await page.evaluate(() => {
    const beep = LoopsmithPage.beep;
    window.refusals = 0;
    LoopsmithPage.beep = (said) => { window.refusals++; beep(said); };
  });
  const said = shipped('english', 'Web_Refused');
  for (const row of rows) {
    const calculator = row.time !== undefined;
    const r = calculator ? { time: row.time, timeUnit: 1, freq: row.freq, freqUnit: 0 }
      : { cycles: row.cycles };
    const run = spawnSync(cli, cliArgs(r), { encoding: 'utf8' });
    const want = run.status === 0 ? run.stdout : 'refused';
    const line = calculator ? `${row.time} ms ${row.freq} MHz` : row.cycles;
    const batch = spawnSync(cli, ['--batch'], { input: line + '\n', encoding: 'utf8' }).stdout;
    const plan = spawnSync(cli, cliArgs(r).concat('--plan'), { encoding: 'utf8' }).stdout;
    check(want === 'refused' ? /"error"/.test(batch) : batch.split(',')[0] === plan.split(',')[0],
      `${line}: --batch as the command line`, `${batch}\n${plan}`);
    // Typed and pasted: the field's text afterwards, and whether the page refused something.
    const roads = {};
    for (const road of ['typed', 'pasted']) {
      await d.chooseText(page, G.profileCombo, PIC16);
      await d.checkbox(page, G.watchdog, false);
      await d.choose(page, G.form, 0);
      await d.checkbox(page, G.calculator, calculator);
      if (calculator) {
        await d.choose(page, G.timeUnit, 1);
        await d.choose(page, G.freqUnit, 0);
      }
      const fields = calculator ? [[G.time, row.time], [G.freq, row.freq]] : [[G.cycles, row.cycles]];
      await page.evaluate(() => { window.refusals = 0; });
      for (const [gadget, text] of fields) {
        if (road === 'typed') await d.type(page, gadget, text);
        else await paste(page, gadget, text);
      }
      const refused = await page.evaluate(() => window.refusals);
      const shown = await page.$eval('#announce', (e) => e.textContent).catch(() => '');
      await page.keyboard.press('Enter');
      await d.idle(page);
      const box = await d.messageBox(page);
      if (box) await d.answer(page, 'Enter');
      const code = box ? 'message' : await d.value(page, G.output);
      roads[road] = refused ? 'refused' : code;
      if (refused) {
        await new Promise((done) => setTimeout(done, 100));
        const now = await page.$eval('#announce', (e) => e.textContent).catch(() => '');
        check(now === said || shown === said, `${line} ${road}: the refusal is said`, now);
      }
    }
    const linked = await d.open(session, pageFile, { fragment: (calculator
      ? `time=${encodeURIComponent(row.time)}&time-unit=ms&freq=${encodeURIComponent(row.freq)}`
      : `cycles=${encodeURIComponent(row.cycles)}`) + `&profile=${encodeURIComponent(PIC16)}` });
    const box = await d.messageBox(linked);
    roads.linked = box ? 'refused' : await d.value(linked, G.output);
    await linked.close();
    for (const [road, got] of Object.entries(roads)) {
      const expected = (road === 'typed' && row.typed) || want;
      check(got === expected, `${line} ${road} as on the command line`,
        `page: ${got}\ncli: ${expected}`);
    }
  }
  await page.close();
}

// A link pasted into the address of the open page is applied as on opening, and a link
// carries what changes the code: the declarations and the syntax too.
async function addressFollowed(session) {
  const page = await d.open(session, pageFile);
  for (const args of [['1000', '--declare', '--syntax', 'current'],
    ['--time', '10', '--time-unit', 'ms', '--freq', '4', '--declare', '--subroutine', 'D']]) {
    const base = ['--lf', '--language', 'english', '--settings', noSettings];
    const link = execFileSync(cli, base.concat(args, '--link'), { encoding: 'utf8' }).trim();
    const want = execFileSync(cli, base.concat(args), { encoding: 'utf8' });
    await page.evaluate((l) => { location.hash = l; }, link);
    await new Promise((done) => setTimeout(done, 200));
    await d.idle(page);
    check(await d.value(page, G.output) === want, `the address ${link} is followed`,
      await d.value(page, G.output));
    check(new URL(page.url()).hash === link, 'and the page writes back the same link',
      new URL(page.url()).hash);
  }
  await page.close();
}

// A browser that cannot unpack the program gets the page's note instead of a blank page.
async function tooOldABrowser(session) {
  const page = await session.browser.newPage();
  await page.evaluateOnNewDocument(() => { delete window.DecompressionStream; });
  await page.goto('file://' + path.resolve(pageFile));
  const note = await page.waitForSelector('#unsupported:not([hidden])', { timeout: 10000 })
    .then(() => page.$eval('#unsupported', (e) => e.innerText), () => '');
  check(/WebAssembly/.test(note) && await page.$eval('#window', (e) => e.hidden),
    'a browser without DecompressionStream sees the note', note);
  await page.close();
}

// The checks that touch the browser's own behaviour, run in Firefox ESR too.
const kBrowserChecks = [copyButton, keysAndLabels, webKeys, pageLayout, profilesKept, twoTabs,
  importExport, userLanguage, addressFollowed, longList];

async function main() {
  execFileSync(cli, ['--help']);  // a missing or broken loopsmith-cli fails here, not later
  fs.writeFileSync(noSettings, '');
  const session = await d.launch();
  try {
    await contractSuite(session, path.join(path.dirname(pageFile), 'web_contract_tests.html'));
    await drivenRequests(session);
    for (const checks of kBrowserChecks) await checks(session);
    await importsAsk(session);
    await storageFaults();
    await takePictures();
    await languages();
    await sharedLinks();
    await numbersOnEveryRoad();
    await tooOldABrowser(session);
    const outside = session.requests.filter((u) => !/^(file|data|blob):/.test(u));
    check(outside.length === 0, 'no request leaves the machine', outside.join('\n'));
  } finally {
    await session.close();
  }
  browserName = 'Firefox ESR';
  const firefox = await d.launch({ browser: 'firefox' });
  try {
    for (const checks of kBrowserChecks) await checks(firefox);
  } finally {
    await firefox.close();
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
