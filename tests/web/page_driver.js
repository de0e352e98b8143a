// Opens loopsmith.html from disk in Debian's Chromium, or Firefox ESR over WebDriver BiDi
// (headless, a fresh profile, no network), and works it as a user does: clicks, keys, the
// combos' choices. Shared by the driver and the benchmark.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const kFlags = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
  '--disable-component-update', '--no-first-run', '--disable-sync', '--disable-extensions',
  '--disable-default-apps', '--mute-audio'];

// options.browser: 'chrome' (the default) or 'firefox', over WebDriver BiDi, with no downloads
// panel to take the focus. Downloads land in session.downloads.
async function launch(options = {}) {
  const firefox = options.browser === 'firefox';
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'loopsmith-browser-'));
  const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'loopsmith-downloads-'));
  const browser = await puppeteer.launch(Object.assign({ headless: true, userDataDir: profile },
    firefox ? { browser: 'firefox', executablePath: process.env.LOOPSMITH_FIREFOX || '/usr/bin/firefox-esr',
      extraPrefsFirefox: { 'browser.download.dir': downloads, 'browser.download.folderList': 2,
        'browser.download.alwaysOpenPanel': false, 'app.update.enabled': false,
        ...(options.lang ? { 'intl.accept_languages': options.lang } : {}) } } : {
      executablePath: process.env.LOOPSMITH_CHROMIUM || '/usr/bin/chromium',
      args: kFlags.concat(options.lang ? [`--lang=${options.lang}`] : []),
      env: Object.assign({}, process.env, options.lang ? { LANGUAGE: options.lang } : {}),
    }));
  // Every request any page of the browser makes, to show that none leaves the machine.
  const requests = [];
  const close = async () => {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
    fs.rmSync(downloads, { recursive: true, force: true });
  };
  return { browser, requests, profile, downloads, close, firefox };
}

// A page of the browser on loopsmith.html, ready to calculate.
async function open(session, file, options = {}) {
  const page = await session.browser.newPage();
  page.on('request', (r) => session.requests.push(r.url()));
  page.on('pageerror', (e) => session.requests.push('pageerror: ' + e.message));
  await page.setViewport({ width: options.width || 1280, height: options.height || 900,
    deviceScaleFactor: options.scale || 1 });
  if (options.languages) {
    await page.evaluateOnNewDocument((list) => {
      Object.defineProperty(navigator, 'languages', { get: () => list });
    }, options.languages);
  }
  await page.goto('file://' + path.resolve(file) + (options.fragment ? '#' + options.fragment : ''));
  await ready(page);
  return page;
}

// The program has started (page.js marks the moment), or waits on a box while starting.
async function ready(page) {
  await page.waitForFunction(() => performance.getEntriesByName('loopsmith-ready').length > 0 ||
    !!document.querySelector('dialog[open]'), { polling: 20 });
  await idle(page);
}

// The program has handled everything the page reported.
async function idle(page) {
  // Polled by time: a page in a tab behind another gets no animation frames.
  await page.waitForFunction(() => window.LoopsmithPage && LoopsmithPage.settled(),
    { polling: 20 });
}

async function checkbox(page, gadget, on) {
  const now = await page.$eval(`#g${gadget}`, (e) => e.checked);
  if (now !== on) {
    await page.click(`#g${gadget}`);
    await idle(page);
  }
}

async function choose(page, gadget, index) {
  const now = await page.$eval(`#g${gadget}`, (e) => e.selectedIndex);
  if (now === index) return;
  // As the keyboard does: the combo changes and says so.
  await page.$eval(`#g${gadget}`, (e, i) => {
    e.selectedIndex = i;
    e.dispatchEvent(new Event('input', { bubbles: true }));
    e.dispatchEvent(new Event('change', { bubbles: true }));
  }, index);
  await idle(page);
}

async function chooseText(page, gadget, text) {
  const index = await page.$eval(`#g${gadget}`, (e, t) =>
    Array.from(e.options).findIndex((o) => o.text === t), text);
  if (index < 0) throw new Error(`no item "${text}" in gadget ${gadget}`);
  await choose(page, gadget, index);
}

// Replaces a field's text by typing: all selected, then the keys.
async function type(page, gadget, text) {
  await page.focus(`#g${gadget}`);
  await page.$eval(`#g${gadget}`, (e) => e.select());
  if (text === '') await page.keyboard.press('Backspace');
  else await page.keyboard.type(text);
  await idle(page);
}

async function value(page, gadget) {
  return page.$eval(`#g${gadget}`, (e) => e.value);
}

// The open message box: its title, text and buttons; null when none is open.
async function messageBox(page) {
  return page.evaluate(() => {
    const box = document.querySelector('dialog[open]');
    if (!box) return null;
    return { title: box.querySelector('h2').textContent, text: box.querySelector('p').textContent,
      buttons: Array.from(box.querySelectorAll('button')).map((b) => b.textContent),
      focused: document.activeElement ? document.activeElement.textContent : '' };
  });
}

async function answer(page, key) {
  await page.keyboard.press(key);
  await idle(page);
}

module.exports = { launch, open, ready, idle, checkbox, choose, chooseText, type, value,
  messageBox, answer };
