// A drop-down of more items than kLong, for the page's elements: it holds one option, the
// chosen item's (the browser took as long to style tens of thousands of options as the program
// took to read them), and its list opens as a listbox of the page's own that makes only the
// rows in sight, with the keys and the screen reader's roles of a select.
'use strict';
var LoopsmithLongList = (function () {
  const kLong = 1000;
  const long = new Map();  // select → { items: texts, index: the chosen one or -1 }
  const listening = new WeakSet();
  let open = null;  // the open list: { select, box, rows, active }
  let typed = '', typedAt = 0;

  function hold(e, items, selected) {
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

  function drop(e) {
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

  // The program's choice: none past the end.
  function setIndex(e, index) {
    const held = long.get(e);
    held.index = index < held.items.length ? index : -1;
    showChosen(e);
  }

  function clear() {
    closeList();
    long.clear();
  }

  return { kLong, hold, drop, held: (e) => long.get(e), setIndex, clear };
})();
