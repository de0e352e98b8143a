// The page's side of the window's elements, by gadget number: the window made from the
// program's markup in one go, then each change the program makes, one call each.
'use strict';
var LoopsmithElements = (function () {
  let root = null;
  let outer = [], control = [], caption = [];

  // Looked up when first needed, which for most gadgets is never: the window is made with
  // its start-up state in place. The markup gives each control the id "g" and its number.
  function found(list, n, look) {
    if (!(n in list)) list[n] = look();
    return list[n];
  }
  const controlOf = (n) => found(control, n, () => document.getElementById('g' + n));
  const outerOf = (n) => found(outer, n, () => {
    const e = controlOf(n);
    return e && e.closest('[data-outer]');
  });
  const captionOf = (n) => found(caption, n, () => root.querySelector('[data-caption="' + n + '"]'));

  // The window, hidden until shown; false when the page has no place for it.
  function build(markup, width, height, title) {
    root = document.getElementById('window');
    if (!root) return false;
    root.hidden = true;
    Object.assign(root.style, { left: '0px', top: '0px', width: width + 'px', height: height + 'px' });
    root.dataset.width = width;
    root.dataset.height = height;
    // The zoom for the screen, while the page is still empty: reading the screen's size lays
    // the page out there and then, which for the whole window took longer than making it.
    LoopsmithPage.fit();
    root.innerHTML = markup;
    root.setAttribute('aria-label', title);
    outer = [];
    control = [];
    caption = [];
    filling.clear();
    closeList();
    long.clear();
    // The user's choice in a list still filling is the choice.
    root.addEventListener('change', (e) => {
      if (filling.has(e.target)) filling.get(e.target).wanted = null;
    }, true);
    for (const img of root.querySelectorAll('img[data-image]')) {
      img.src = loopsmithImages[img.dataset.image];
    }
    for (const select of root.querySelectorAll('select[data-state]')) {
      if (!select.size && select.options.length > kLong) {
        const texts = Array.from(select.options, (o) => o.textContent);
        holdLong(select, texts, Number(select.dataset.state));
      } else {
        select.selectedIndex = Number(select.dataset.state);
      }
    }
    return true;
  }

  function setText(n, text, isValue) {
    const c = captionOf(n);
    if (isValue) controlOf(n).value = text;
    else if (c && c.classList.contains('done')) c.dataset.caption = text;  // page.js's copy()
    else if (c) c.textContent = text;
  }

  // A long list reaches the page a slice at a time, each slice in a task of its own, so
  // that the page answers while it fills; the program's selection waits for its option.
  const kSlice = 1000;
  const filling = new Map();  // select → { rest: texts still to add, wanted: index or null }

  // The tabs' titles; or a select's options, the first `kept` kept and `count` more added,
  // joined by the unit separator.
  function setItems(n, kept, count, joined) {
    const e = controlOf(n);
    const items = count ? joined.split('\x1f') : [];
    if (e.tagName !== 'SELECT') {
      e.querySelectorAll('[role=tab] > span').forEach((span, i) => {
        if (i < items.length) span.textContent = items[i];
      });
      return;
    }
    const selected = selectedOf(e);
    const queued = filling.get(e);
    const shown = e.options.length;
    const held = long.get(e);
    if (held || (!e.size && kept + items.length > kLong)) {
      const all = (held ? held.items : Array.from(e.options, (o) => o.textContent)
        .concat(queued ? queued.rest : [])).slice(0, kept).concat(items);
      if (all.length > kLong && !e.size) return holdLong(e, all, selected);
      dropLong(e);
      return setOptions(e, 0, 0, all, selected);
    }
    setOptions(e, kept, shown, items, selected);
  }

  function setOptions(e, kept, shown, items, selected) {
    const queued = filling.get(e);
    let rest = items;
    if (kept > shown) {
      rest = (queued ? queued.rest : []).slice(0, kept - shown).concat(items);
    } else if (kept === 0) {
      e.replaceChildren();
    } else {
      for (let extra = shown - kept; extra > 0; --extra) e.lastElementChild.remove();
    }
    // An added item selects nothing; the program decides that.
    const total = Math.min(kept, shown) + rest.length;
    filling.set(e, { rest, wanted: total ? selected : -1 });
    fill(e);
  }

  function fill(e) {
    const queued = filling.get(e);
    // A long list on a page not shown waits for its page.
    if (queued.rest.length > kSlice && e.closest('[hidden]')) return;
    const added = document.createDocumentFragment();
    for (const text of queued.rest.splice(0, kSlice)) {
      const option = document.createElement('option');  // half the time of new Option()
      option.textContent = text;
      added.append(option);
    }
    e.append(added);
    if (queued.wanted !== null) {
      e.selectedIndex = queued.wanted < e.options.length ? queued.wanted : -1;
    }
    if (!queued.rest.length) filling.delete(e);
    else soon(() => filling.get(e) === queued && fill(e));
  }

  // A task of its own at once: timers nested this deep wait 4 ms each.
  const channel = new MessageChannel(), tasks = [];
  channel.port1.onmessage = () => tasks.shift()();
  function soon(task) {
    tasks.push(task);
    channel.port2.postMessage(0);
  }

  // A drop-down of more items than this holds one option, the chosen item's: the browser took
  // as long to style tens of thousands of options as the program took to read them. Its list
  // opens as a listbox of the page's own that makes only the rows in sight.
  const kLong = 1000;
  const long = new Map();  // select → { items: texts, index: the chosen one or -1 }
  const listening = new WeakSet();
  let open = null;  // the open list: { select, box, rows, active }
  let typed = '', typedAt = 0;

  function holdLong(e, items, selected) {
    filling.delete(e);
    closeList();
    long.set(e, { items, index: selected >= 0 && selected < items.length ? selected : -1 });
    e.setAttribute('aria-haspopup', 'listbox');
    e.setAttribute('aria-expanded', 'false');
    if (!listening.has(e)) {
      listening.add(e);
      e.addEventListener('mousedown', onLongMouseDown);
      e.addEventListener('keydown', onLongKey);
    }
    showChosen(e);
  }

  function dropLong(e) {
    if (!long.delete(e)) return;
    closeList();
    e.removeAttribute('aria-haspopup');
    e.removeAttribute('aria-expanded');
    e.replaceChildren();
  }

  // The select shows the chosen item as its only option.
  function showChosen(e) {
    const held = long.get(e);
    if (held.index < 0) return void e.replaceChildren();
    const text = held.items[held.index];
    if (e.options.length !== 1) e.replaceChildren(document.createElement('option'));
    if (e.options[0].textContent !== text) e.options[0].textContent = text;
    e.selectedIndex = 0;
  }

  // The user's choice, told as the select tells its own.
  function choose(e, index) {
    const held = long.get(e);
    index = Math.max(0, Math.min(held.items.length - 1, index));
    if (!held.items.length || index === held.index) return;
    held.index = index;
    showChosen(e);
    e.dispatchEvent(new Event('input', { bubbles: true }));
    e.dispatchEvent(new Event('change', { bubbles: true }));
  }

  // Typing selects the next item that starts with what was typed within the last second.
  function typedMatch(held, key, from) {
    const now = performance.now();
    typed = (now - typedAt < 1000 ? typed : '') + key.toLowerCase();
    typedAt = now;
    const bare = (t) => t.replace(/[\u2066-\u2069]/g, '').toLowerCase();
    const count = held.items.length;
    const start = typed.length === 1 ? from + 1 : Math.max(from, 0);
    for (let k = 0; k < count; ++k) {
      const i = (start + k) % count;
      if (bare(held.items[i]).startsWith(typed)) return i;
    }
    return -1;
  }

  // The keys of a closed select: a step, a page, the ends, typing; Space, F4 and Alt+arrow open.
  function step(key, from, count, page) {
    const moves = { ArrowDown: 1, ArrowRight: 1, ArrowUp: -1, ArrowLeft: -1, PageDown: page,
      PageUp: -page, Home: -count, End: count };
    return key in moves ? Math.max(0, Math.min(count - 1, from + moves[key])) : null;
  }

  function onLongKey(ev) {
    const e = ev.currentTarget, held = long.get(e);
    if (!held || e.disabled || ev.ctrlKey || ev.metaKey) return;
    const k = ev.key;
    const typing = typed && performance.now() - typedAt < 1000;
    const opens = ev.altKey && (k === 'ArrowDown' || k === 'ArrowUp');
    if ((k === ' ' && !typing) || k === 'F4' || opens) {
      ev.preventDefault();
      return openList(e);
    }
    if (ev.altKey) return;
    if (k.length !== 1) typed = '';
    const to = k.length === 1 ? typedMatch(held, k, held.index)
      : step(k, held.index < 0 && k.startsWith('Arrow') ? -1 : held.index, held.items.length, 1);
    if (to === null) return;
    ev.preventDefault();
    if (to >= 0) choose(e, to);
  }

  function onLongMouseDown(ev) {
    const e = ev.currentTarget;
    if (ev.button !== 0 || e.disabled || !long.has(e)) return;
    ev.preventDefault();
    if (open && open.select === e) return void closeList(true);
    e.focus();
    openList(e);
  }

  const rowHeight = () => (document.documentElement.classList.contains('narrow') ? 28 : 16);

  function openList(e) {
    closeList();
    const held = long.get(e);
    const box = document.createElement('div');
    box.id = 'long-list';
    box.className = 'long-list';
    box.tabIndex = -1;
    box.setAttribute('role', 'listbox');
    if (e.labels && e.labels.length && e.labels[0].id) {
      box.setAttribute('aria-labelledby', e.labels[0].id);
    } else {
      box.setAttribute('aria-label', e.getAttribute('aria-label') || '');
    }
    const rows = document.createElement('div');
    const h = rowHeight(), shown = Math.min(20, held.items.length);
    rows.style.height = held.items.length * h + 'px';
    box.append(rows);
    // Under the select, or above it where the screen ends below; as the window is zoomed.
    const zoom = Number(getComputedStyle(document.documentElement).getPropertyValue('--zoom')) || 1;
    const z = document.documentElement.classList.contains('narrow') ? 1 : zoom;
    const r = e.getBoundingClientRect();
    const tall = (shown * h + 2) * z;
    const top = r.bottom + tall <= window.innerHeight || r.top < tall ? r.bottom : r.top - tall;
    Object.assign(box.style, { zoom: z, left: r.left / z + 'px', top: top / z + 'px',
      width: r.width / z + 'px', height: shown * h + 'px' });
    document.body.append(box);
    open = { select: e, box, rows, active: Math.max(0, held.index) };
    e.setAttribute('aria-expanded', 'true');
    e.setAttribute('aria-controls', box.id);
    box.addEventListener('scroll', () => renderRows());
    box.addEventListener('keydown', onListKey);
    box.addEventListener('mousemove', (ev) => {
      const row = ev.target.closest('[role=option]');
      if (row) setActive(Number(row.dataset.index), false);
    });
    box.addEventListener('click', (ev) => {
      const row = ev.target.closest('[role=option]');
      if (row) pick(Number(row.dataset.index));
    });
    box.addEventListener('focusout', (ev) => {
      if (open && open.box === box && !box.contains(ev.relatedTarget)) closeList();
    });
    box.focus();
    setActive(open.active, true, true);
  }

  // The list stands where the select was: the page moving under it closes it.
  addEventListener('resize', () => closeList());
  addEventListener('scroll', (ev) => {
    if (open && ev.target !== open.box) closeList();
  }, true);

  // The rows in sight, made anew only when others come into sight: a row under the pointer
  // stays the same element from press to release.
  function renderRows() {
    if (!open) return;
    const { select, box, rows, active } = open;
    const items = long.get(select).items, h = rowHeight();
    const first = Math.floor(box.scrollTop / h);
    const last = Math.min(items.length, first + Math.ceil(box.clientHeight / h) + 1);
    if (open.made !== first + ':' + last) {
      open.made = first + ':' + last;
      const made = [];
      for (let i = first; i < last; ++i) {
        const row = document.createElement('div');
        row.id = 'long-list-' + i;
        row.dataset.index = i;
        row.setAttribute('role', 'option');
        row.setAttribute('aria-setsize', items.length);
        row.setAttribute('aria-posinset', i + 1);
        row.style.top = i * h + 'px';
        row.textContent = items[i];
        made.push(row);
      }
      rows.replaceChildren(...made);
    }
    for (const row of rows.children) {
      row.setAttribute('aria-selected', Number(row.dataset.index) === active ? 'true' : 'false');
    }
  }

  function setActive(index, scroll, centred) {
    const { box } = open, h = rowHeight();
    open.active = index;
    if (centred) box.scrollTop = index * h - (box.clientHeight - h) / 2;
    else if (scroll && index * h < box.scrollTop) box.scrollTop = index * h;
    else if (scroll && (index + 1) * h > box.scrollTop + box.clientHeight) {
      box.scrollTop = (index + 1) * h - box.clientHeight;
    }
    renderRows();
    box.setAttribute('aria-activedescendant', 'long-list-' + index);
  }

  // The keys of the open list: moves, Enter or Tab chooses, Escape leaves the choice as it was.
  function onListKey(ev) {
    const held = long.get(open.select), k = ev.key;
    if (k === 'Enter' || k === 'Tab' || (ev.altKey && (k === 'ArrowUp' || k === 'ArrowDown'))) {
      ev.preventDefault();
      return pick(open.active);
    }
    if (k === 'Escape' || k === 'F4') {
      ev.preventDefault();
      return closeList(true);
    }
    const page = Math.max(1, Math.floor(open.box.clientHeight / rowHeight()) - 1);
    if (k.length !== 1) typed = '';
    const to = k.length === 1 && k !== ' ' ? typedMatch(held, k, open.active)
      : step(k, open.active, held.items.length, page);
    if (to === null) return;
    ev.preventDefault();
    if (to >= 0) setActive(to, true);
  }

  function pick(index) {
    const e = open.select;
    closeList(true);
    choose(e, index);
  }

  function closeList(refocus) {
    if (!open) return;
    const { select, box } = open;
    open = null;
    select.setAttribute('aria-expanded', 'false');
    select.removeAttribute('aria-controls');
    box.remove();
    if (refocus) select.focus();
  }

  // The selection as the program last set it while its option is still to come; else the
  // select's own, which the user may have changed.
  function selectedOf(e) {
    if (long.has(e)) return long.get(e).index;
    const queued = filling.get(e);
    return queued && queued.wanted !== null ? queued.wanted : e.selectedIndex;
  }

  function setSelected(n, index) {
    const e = controlOf(n);
    const held = long.get(e);
    if (held) {
      held.index = index < held.items.length ? index : -1;
      return showChosen(e);
    }
    const queued = filling.get(e);
    if (queued) queued.wanted = index;
    e.selectedIndex = index < e.options.length ? index : -1;
  }

  function setEnabled(n, enabled) {
    outerOf(n).classList.toggle('disabled', !enabled);
    controlOf(n).disabled = !enabled;
    controlOf(n).setAttribute('aria-disabled', enabled ? 'false' : 'true');
  }

  // Its own name for screen readers; an image's text alternative.
  function setName(n, name) {
    const e = controlOf(n);
    if (e.tagName === 'IMG') {
      e.alt = name;
    } else {
      e.removeAttribute('aria-labelledby');
      e.setAttribute('aria-label', name);
    }
  }

  function setColors(n, text, back, hover) {
    (captionOf(n) || controlOf(n)).style.color = text;
    controlOf(n).style.backgroundColor = back;
    if (hover) controlOf(n).style.setProperty('--hover', hover);
  }

  function showPage(panel, page) {
    controlOf(panel).querySelectorAll('[role=tab]').forEach((tab, i) => {
      const shown = i === page;
      tab.setAttribute('aria-selected', shown ? 'true' : 'false');
      tab.tabIndex = shown ? 0 : -1;
      const container = controlOf(Number(tab.getAttribute('aria-controls').slice(1)));
      if (container) container.hidden = !shown;
    });
    for (const e of filling.keys()) fill(e);
  }

  function show() {
    root.hidden = false;
    root.removeAttribute('aria-busy');
  }

  function focused() {
    const a = document.activeElement;
    const owner = a && a.closest ? a.closest('[data-gadget]') : null;
    return owner ? Number(owner.dataset.gadget) : -1;
  }

  // The texts of a select's items on the page.
  function items(n) {
    const e = controlOf(n);
    return long.has(e) ? long.get(e).items.slice() : Array.from(e.options, (o) => o.text);
  }

  return { build, setText, setItems, setSelected, selected: (n) => selectedOf(controlOf(n)), items,
    setEnabled, setName, setColors, showPage, show, focused,
    outer: outerOf, control: controlOf, root: () => root };
})();
