// The page's side of the browser face: one listener per kind of user action on the window,
// each turned into an event of the program (by the control's data-gadget number), the
// modal message box, the beep, and the zoom that fits the window to the screen.
'use strict';
var LoopsmithPage = (function () {
  const EVENT_GADGET = 0, EVENT_KEY = 1, EVENT_MOUSE = 2, EVENT_PAGE = 3, EVENT_ADDRESS = 5;
  const CLICK = 0, SELECTION = 1, DOUBLE_CLICK = 2, TEXT_CHANGE = 768;
  const pending = [];
  let running = false, module = null, audio = null, focusAtStart = null;
  const pointer = { x: -1, y: -1 };

  function gadgetOf(element) {
    const owner = element && element.closest ? element.closest('[data-gadget]') : null;
    return owner ? Number(owner.dataset.gadget) : -1;
  }

  // The program runs one event at a time: what the user does while it waits for a message
  // box's answer waits its turn here.
  async function run() {
    if (running || !module) return;
    running = true;
    try {
      while (pending.length) {
        const e = pending.shift();
        if (typeof e === 'function') e();
        else module._loopsmith_report(e[0], e[1], e[2], e[3]);
        // The program's turn of its loop; a program without one (a test of the window) reads
        // the events itself.
        if (module._loopsmith_dispatch) {
          await module.ccall('loopsmith_dispatch', null, [], [], { async: true });
        }
      }
    } finally {
      running = false;
    }
    document.dispatchEvent(new Event('loopsmith-idle'));
  }

  function report(kind, gadget, type, key) {
    pending.push([kind, gadget, type, key]);
    run();
  }

  function onGadget(target, type) {
    const n = gadgetOf(target);
    if (n >= 0) report(EVENT_GADGET, n, type, 0);
  }

  // A character typed into a field meets the window's typing rule before it lands; a pasted or
  // dropped text is typed as a whole.
  function onBeforeInput(e) {
    const field = e.target;
    if (field.tagName !== 'INPUT') return;
    const n = gadgetOf(field);
    if (n < 0) return;
    if (e.inputType.startsWith('insertFrom') || e.inputType === 'insertReplacementText') {
      const data = e.data ?? (e.dataTransfer ? e.dataTransfer.getData('text/plain') : '');
      const taken = letPasted(n, field, data);
      if (taken === undefined) return;  // a field without a rule: the browser's own paste
      e.preventDefault();
      if (taken === null) return;
      field.setRangeText(taken, field.selectionStart, field.selectionEnd, 'end');
      onGadget(field, TEXT_CHANGE);
      return;
    }
    if (e.inputType !== 'insertText' || !e.data) return;
    const chars = Array.from(e.data);
    if (chars.length === 1) {
      const taken = letTyped(n, field, chars[0]);
      if (taken === chars[0]) return;
      e.preventDefault();
      if (taken === null) return;
    }
    // Several characters at once (an input method), or a decimal comma that goes in as the
    // point: each meets the rule in turn.
    e.preventDefault();
    let changed = false;
    for (const c of chars) {
      const taken = letTyped(n, field, c);
      if (taken === null) continue;
      field.setRangeText(taken, field.selectionStart, field.selectionEnd, 'end');
      changed = true;
    }
    if (changed) onGadget(field, TEXT_CHANGE);
  }

  // The selection of a field in characters, as the program counts.
  function selectionOf(field) {
    const text = field.value;
    return [codePoints(text.slice(0, field.selectionStart)),
      codePoints(text.slice(field.selectionStart, field.selectionEnd))];
  }

  // The text that goes in, null when the field refuses it, undefined for a field without a rule.
  function letPasted(n, field, data) {
    const [start, length] = selectionOf(field);
    const answer = module.ccall('loopsmith_let_pasted', 'number',
      ['number', 'string', 'number', 'number', 'string'], [n, field.value, start, length, data]);
    if (!answer) return undefined;
    const text = module.UTF8ToString(answer);
    module._free(answer);
    return text[0] === 'T' ? text.slice(1) : null;
  }

  function codePoints(text) {
    return Array.from(text).length;
  }

  function letTyped(n, field, c) {
    const [start, length] = selectionOf(field);
    const taken = module.ccall('loopsmith_let_typed', 'number',
      ['number', 'number', 'string', 'number', 'number'],
      [n, c.codePointAt(0), field.value, start, length]);
    return taken === 0 ? null : String.fromCodePoint(taken);
  }

  // The user turns the page: the face shows it and reports the panel's click.
  function turnPage(tab, page) {
    const tabs = tab.parentElement.querySelectorAll('[role=tab]');
    if (page < 0 || page >= tabs.length || tabs[page].getAttribute('aria-selected') === 'true') {
      return;
    }
    tabs[page].focus();
    report(EVENT_PAGE, gadgetOf(tab), page, 0);
  }

  // A button or a link takes Enter as a web page's controls do, and the browser presses it
  // (Space too); every other key, the banner's too, is the program's.
  function onKeyDown(e) {
    if (document.querySelector('dialog[open]')) return;
    const t = e.target;
    const tab = t.closest('[role=tab]');
    if (tab && (e.key === 'ArrowLeft' || e.key === 'ArrowRight')) {
      turnPage(tab, Number(tab.dataset.page) + (e.key === 'ArrowLeft' ? -1 : 1));
    }
    const pressable = t.tagName === 'BUTTON' || t.tagName === 'A';
    if (e.key === 'Enter' && pressable) return;
    // Space on a link is the program's press, not a scroll of the page.
    if (e.key === ' ' && (t.tagName === 'A' || t.getAttribute('role') === 'link')) {
      e.preventDefault();
    }
    report(EVENT_KEY, -1, 0, e.key === 'Enter' ? 13 : e.keyCode);
  }

  function onMouseMove(e) {
    pointer.x = e.clientX;
    pointer.y = e.clientY;
    report(EVENT_MOUSE, -1, 0, 0);
  }

  function listen(root) {
    root.addEventListener('click', (e) => {
      const t = e.target;
      const tab = t.closest('[role=tab]');
      if (tab) return turnPage(tab, Number(tab.dataset.page));
      if (t.tagName === 'SELECT' || t.tagName === 'INPUT' && t.type === 'text') return;
      if (t.tagName === 'OPTION') return onGadget(t, CLICK);
      if (t.tagName === 'A') e.preventDefault();
      if (!t.closest('button:disabled')) onGadget(t, CLICK);
    });
    root.addEventListener('dblclick', (e) => {
      if (e.target.tagName === 'OPTION') onGadget(e.target, DOUBLE_CLICK);
    });
    root.addEventListener('change', (e) => {
      if (e.target.tagName === 'SELECT' && !e.target.multiple && e.target.size <= 1) {
        onGadget(e.target, SELECTION);
      }
    });
    root.addEventListener('input', (e) => {
      if (e.target.tagName === 'INPUT' && e.target.type === 'text') {
        onGadget(e.target, TEXT_CHANGE);
      }
    });
    root.addEventListener('beforeinput', onBeforeInput);
    root.addEventListener('keydown', onKeyDown);
    root.addEventListener('mousemove', onMouseMove);
  }

  // The modal box: resolves with 0 for OK or Yes, 1 for No. Enter presses the focused
  // button (the default one first), Escape answers No or OK.
  function ask(title, text, icon, yesNo, captions) {
    return new Promise((resolve) => {
      const box = document.getElementById('message');
      box.querySelector('h2').textContent = title;
      box.querySelector('p').textContent = text;
      box.dataset.icon = ['warning', 'error', 'question'][icon] || 'warning';
      const row = box.querySelector('.buttons');
      row.replaceChildren();
      const answers = yesNo ? [[captions[0], 0], [captions[1], 1]] : [[captions[2], 0]];
      let last = null;
      for (const [caption, answer] of answers) {
        const b = document.createElement('button');
        b.textContent = caption;
        b.type = 'button';
        b.addEventListener('click', () => box.close(String(answer)));
        row.appendChild(b);
        last = b;
      }
      box.returnValue = '';
      box.addEventListener('close', () => {
        resolve(box.returnValue === '' ? (yesNo ? 1 : 0) : Number(box.returnValue));
      }, { once: true });
      // Opened once the key that asked has been handled whole: the Enter that calculated
      // must not also press the box's button.
      setTimeout(() => {
        box.showModal();
        last.focus();  // No, or the one OK
        document.dispatchEvent(new Event('loopsmith-message'));
      }, 0);
    });
  }

  // The desktop's error sound; a page may be silent, so the field refused shows it for a moment
  // and a screen reader says it.
  function beep(said) {
    const field = document.activeElement;
    if (field && field.tagName === 'INPUT') {
      field.classList.remove('refused');
      void field.offsetWidth;  // the mark starts anew for a second refusal
      field.classList.add('refused');
      clearTimeout(field.refusedTimer);
      field.refusedTimer = setTimeout(() => field.classList.remove('refused'), 700);
    }
    if (said) announce(said);
    try {
      audio = audio || new AudioContext();
      // A page may sound only after the user has done something on it.
      if (audio.state !== 'running') return void audio.resume().catch(() => {});
      const tone = audio.createOscillator(), gain = audio.createGain();
      gain.gain.value = 0.05;
      tone.frequency.value = 880;
      tone.connect(gain).connect(audio.destination);
      tone.start();
      tone.stop(audio.currentTime + 0.08);
    } catch (e) {
      // No sound here: the discarded character says enough.
    }
  }

  // Below this width the window's gadgets flow in one column at a readable size (page.css,
  // .narrow); above it the window keeps its desktop proportions, scaled to the screen.
  const NARROW = 480;

  function fit() {
    const w = document.getElementById('window');
    if (!w) return;
    const narrow = window.innerWidth < NARROW;
    document.documentElement.classList.toggle('narrow', narrow);
    // From the layout's size, not the element's: reading that would lay out the page now.
    const natural = Number(w.dataset.width || 392) + 16;
    const tall = Number(w.dataset.height || 510) + 16;
    // As wide as the screen allows, but whole on a tall enough screen; never below the
    // width's scale for the height's sake (a phone scrolls).
    const byWidth = window.innerWidth / natural;
    const zoom = narrow ? 1 : Math.min(2, byWidth, Math.max(1, window.innerHeight / tall));
    document.documentElement.style.setProperty('--zoom', zoom.toFixed(3));
  }

  // Said aloud by a screen reader (the live region), once per call, the same text again too.
  function announce(text) {
    const region = document.getElementById('announce');
    if (!region) return;
    region.textContent = '';
    setTimeout(() => { region.textContent = text; }, 50);
  }

  // The output box's text to the clipboard; the older way where the clipboard call is refused.
  // Once it is there, the button says `done` for a moment (keeping a caption the program sets
  // meanwhile, page_elements.js) and the page says it aloud.
  function copy(text, button, done) {
    const copied = () => {
      announce(done);
      if (!button) return;
      if (!button.classList.contains('done')) button.dataset.caption = button.textContent;
      button.classList.add('done');
      button.textContent = '\u2713\u00a0' + done;
      clearTimeout(button.doneTimer);
      button.doneTimer = setTimeout(() => {
        button.classList.remove('done');
        button.textContent = button.dataset.caption;
      }, 1500);
    };
    const fallback = () => {
      const area = document.createElement('textarea');
      area.value = text;
      document.body.appendChild(area);
      area.select();
      const ok = document.execCommand('copy');
      area.remove();
      if (button) button.focus();
      if (ok) copied();
    };
    if (navigator.clipboard && navigator.clipboard.writeText) {
      navigator.clipboard.writeText(text).then(copied, fallback);
    } else {
      fallback();
    }
  }

  // The chosen file's bytes go to the program with an event of the gadget that asked.
  function pickFile(gadget, accept, maxBytes) {
    const input = document.getElementById('file');
    input.value = '';
    input.accept = accept;
    input.onchange = async () => {
      const file = input.files[0];
      if (!file) return;
      // A file beyond the program's limit is not read into the page at all.
      const bytes = file.size > maxBytes ? new Uint8Array(0)
        : new Uint8Array(await file.arrayBuffer());
      pending.push(() => {
        // The program takes the copy and frees it.
        const copy = module._malloc(Math.max(1, bytes.length));
        module.HEAPU8.set(bytes, copy);
        module.ccall('loopsmith_file_picked', null, ['number', 'string', 'number', 'number'],
          [gadget, file.name, copy, bytes.length]);
      });
      run();
    };
    input.click();
  }

  function download(name, view, type) {
    const url = URL.createObjectURL(new Blob([view.slice()], { type }));
    const a = document.createElement('a');
    a.href = url;
    a.download = name;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  }

  function pointerInside(element) {
    const r = element.getBoundingClientRect();
    return pointer.x >= r.left && pointer.x < r.right && pointer.y >= r.top && pointer.y < r.bottom;
  }

  // Focusing lays the page out there and then; at start-up the browser does that anyway once
  // the program is ready, so the first focus waits for that moment.
  function focus(element) {
    if (module) element.focus();
    else focusAtStart = element;
  }

  function start(m) {
    if (module) return;
    module = m;
    listen(document.getElementById('window'));
    window.addEventListener('resize', fit);
    // A link pasted into the address bar of the open page: applied as on opening.
    window.addEventListener('hashchange', () => report(EVENT_ADDRESS, -1, 0, 0));
    // Hidden or left: the settings are saved, as at the desktop's close. A page going away
    // cannot wait for a turn of the queue; while a box is open the program is mid-way and
    // saves at its next turn instead.
    const hide = () => {
      if (!module._loopsmith_hide) return;
      if (running) pending.push(() => module._loopsmith_hide());
      else module._loopsmith_hide();
    };
    document.addEventListener('visibilitychange', () => {
      if (document.visibilityState === 'hidden') hide();
    });
    window.addEventListener('pagehide', hide);
    // Another tab stored the settings: this one shows them at once.
    window.addEventListener('storage', (e) => {
      if (!module._loopsmith_storage_changed || e.key && !e.key.startsWith('loopsmith')) return;
      pending.push(() => module._loopsmith_storage_changed());
      run();
    });
    performance.mark('loopsmith-ready');  // from here on the page calculates
    if (focusAtStart) focusAtStart.focus();
    run();
  }

  return { start, report, ask, beep, fit, focus, pointerInside, copy, announce, pickFile, download,
    // Nothing left to do but what the user does next: all handled, or a box waits for them.
    settled: () => (!running && !pending.length) || !!document.querySelector('dialog[open]') };
})();
