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
    LoopsmithLongList.clear();
    // The user's choice in a list still filling is the choice.
    root.addEventListener('change', (e) => {
      if (filling.has(e.target)) filling.get(e.target).wanted = null;
    }, true);
    for (const img of root.querySelectorAll('img[data-image]')) {
      img.src = loopsmithImages[img.dataset.image];
    }
    for (const select of root.querySelectorAll('select[data-state]')) {
      if (!select.size && select.options.length > LoopsmithLongList.kLong) {
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
    const held = LoopsmithLongList.held(e);
    if (held || (!e.size && kept + items.length > LoopsmithLongList.kLong)) {
      const all = (held ? held.items : Array.from(e.options, (o) => o.textContent)
        .concat(queued ? queued.rest : [])).slice(0, kept).concat(items);
      if (all.length > LoopsmithLongList.kLong && !e.size) return holdLong(e, all, selected);
      LoopsmithLongList.drop(e);
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

  // A long drop-down is the long list's, not filled here.
  function holdLong(e, items, selected) {
    filling.delete(e);
    LoopsmithLongList.hold(e, items, selected);
  }

  // The selection as the program last set it while its option is still to come; else the
  // select's own, which the user may have changed.
  function selectedOf(e) {
    const held = LoopsmithLongList.held(e);
    if (held) return held.index;
    const queued = filling.get(e);
    return queued && queued.wanted !== null ? queued.wanted : e.selectedIndex;
  }

  function setSelected(n, index) {
    const e = controlOf(n);
    if (LoopsmithLongList.held(e)) return LoopsmithLongList.setIndex(e, index);
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
    const held = LoopsmithLongList.held(e);
    return held ? held.items.slice() : Array.from(e.options, (o) => o.text);
  }

  return { build, setText, setItems, setSelected, selected: (n) => selectedOf(controlOf(n)), items,
    setEnabled, setName, setColors, showPage, show, focused,
    outer: outerOf, control: controlOf, root: () => root };
})();
