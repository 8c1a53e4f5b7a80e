// The page around the game: the command bar, the canvas that shows the game's 240 x 268 buffer at the
// largest whole zoom that fits, taps, timers, message boxes and dialogs built from the game's
// templates, and the settings text in local storage. The game calls in through Module.web (see
// src/platform/web/main.cpp); the page calls the game through its exported entry points. Everything
// here stays inside one function, apart from Module and the tests' window.mirovane, so that no name
// meets one of mirovane.js.
(() => {
'use strict';

const kWidth = 240;
const kHeight = 268;
const kTextFont = '11px "DejaVu Sans", Verdana, sans-serif';
const kDialogFont = '12px "DejaVu Sans", Verdana, sans-serif';
const kWriteFault = 29;
const kOptionKey = 'Mirovane.option.';  // the page's own options, by command id

const byId = id => document.getElementById(id);
const canvas = byId('game');
const buffer = document.createElement('canvas');
buffer.width = kWidth;
buffer.height = kHeight;
const bufferContext = buffer.getContext('2d');
const frame = bufferContext.createImageData(kWidth, kHeight);
const glyphCanvas = document.createElement('canvas');
const glyphs = glyphCanvas.getContext('2d', {willReadFrequently: true});

let answerIds = {ok: 1, cancel: 2};  // the ids of the OK and Cancel buttons, as the game names them
let busy = false;  // the game runs, or waits for the answer to a box or a dialog
let french = false;
let view = {zoom: 1, left: 0, top: 0};  // where the game shows on the canvas, as the game placed it
let outlines = [];  // the key cursor's and a sure cell's outlines over the canvas, in device pixels
let resizePending = false;
let paintScheduled = false;
const timers = new Map();
const presented = [];  // when the first frames reached the canvas, in ms since navigation

// Calls one of the game's entry points unless the game is busy; false when it was. Arguments are
// numbers or strings.
function call(name, args = [], result = null) {
  if (busy) return false;
  busy = true;
  const done = value => {
    busy = false;
    if (resizePending) layout();
    return value;
  };
  const types = args.map(arg => typeof arg === 'string' ? 'string' : 'number');
  return Promise.resolve(Module.ccall(name, result, types, args, {async: true}))
    .then(done, error => { done(); console.error(error); });
}

function text(address, length) {
  let result = '';
  for (let at = address >> 1, end = at + length; at < end; at += 4096) {
    result += String.fromCharCode.apply(null, HEAPU16.subarray(at, Math.min(end, at + 4096)));
  }
  return result;
}

function putText(value, address, length) {
  for (let i = 0; i < length; ++i) HEAPU16[(address >> 1) + i] = value.charCodeAt(i);
}

// ---- The screen ---------------------------------------------------------------------------------

function layout() {
  const ratio = window.devicePixelRatio || 1;
  const area = byId('screen').getBoundingClientRect();
  const width = Math.max(1, Math.floor(area.width * ratio));
  const height = Math.max(1, Math.floor(area.height * ratio));
  canvas.width = width;
  canvas.height = height;
  canvas.style.width = width / ratio + 'px';
  canvas.style.height = height / ratio + 'px';
  // The game places itself on the canvas (web.view); while it waits for a box or a dialog, later.
  resizePending = busy;
  if (!busy) Module.ccall('mirovane_resize', null, ['number', 'number'], [width, height]);
  show();
}

function show() {
  const context = canvas.getContext('2d');
  context.imageSmoothingEnabled = false;
  context.fillStyle = '#000';
  context.fillRect(0, 0, canvas.width, canvas.height);
  context.drawImage(buffer, view.left, view.top, kWidth * view.zoom, kHeight * view.zoom);
  for (const {left, top, right, bottom, thickness, inner, colour} of outlines) {
    const frame = (left, top, right, bottom, width, colour) => {
      context.fillStyle = colour;
      context.fillRect(left, top, right - left, width);
      context.fillRect(left, bottom - width, right - left, width);
      context.fillRect(left, top, width, bottom - top);
      context.fillRect(right - width, top, width, bottom - top);
    };
    frame(left, top, right, bottom, thickness, '#' + colour.toString(16).padStart(6, '0'));
    frame(left + thickness, top + thickness, right - thickness, bottom - thickness, inner, '#000');
  }
}

function tap(event) {
  if (event.button !== 0) return;
  event.preventDefault();
  closeMenu();
  const ratio = window.devicePixelRatio || 1;
  const box = canvas.getBoundingClientRect();
  call('mirovane_tap', [Math.floor((event.clientX - box.left) * ratio), Math.floor((event.clientY - box.top) * ratio)]);
}

// Keyboard play: the arrows, Space, Return and the digits go to the game; chords and every other key
// stay the browser's.
function key(event) {
  if (document.querySelector('dialog[open]')) return;
  if (event.ctrlKey || event.metaKey) {
    const chord = 'Ctrl+' + (event.shiftKey ? 'Shift+' : '') + event.key.toUpperCase();
    if (shortcuts.has(chord)) {
      event.preventDefault();
      command(shortcuts.get(chord));
    }
    return;
  }
  if (event.altKey) return;
  if (event.key !== ' ' && event.key !== 'Enter' && !/^(Arrow(Left|Right|Up|Down)|[1-9])$/.test(event.key)) return;
  event.preventDefault();
  closeMenu();
  call('mirovane_key', [event.key], 'number');
}

// ---- The command bar ----------------------------------------------------------------------------

const menu = byId('menu');
const menuButton = byId('menu-button');

function closeMenu() {
  menu.hidden = true;
}

function command(id) {
  closeMenu();
  call('mirovane_command', [id]);
}

let toolStrip = null;  // the tool bar's pictures, side by side
const commandLabels = new Map();  // what shows each command's label, by id
const shortcuts = new Map();      // command ids by chord, as "Ctrl+Shift+Z"

menuButton.addEventListener('click', event => {
  event.stopPropagation();
  const box = menuButton.getBoundingClientRect();
  menu.style.left = box.left + 'px';
  menu.style.top = box.bottom + 'px';
  menu.hidden = !menu.hidden;
});
document.addEventListener('click', event => { if (!menu.contains(event.target)) closeMenu(); });

// ---- Message boxes and dialogs ------------------------------------------------------------------

function element(tag, className, content) {
  const made = document.createElement(tag);
  if (className) made.className = className;
  if (content !== undefined) made.textContent = content;
  return made;
}

function buttonLabel(id) {
  return id === answerIds.ok ? 'OK' : french ? 'Annuler' : 'Cancel';
}

// A modal HTML dialog with a caption, `body` and the buttons of `ids`; resolves to the id of the
// button pressed, `escape` for the Escape key.
function modal(caption, body, ids, escape, onButton) {
  const dialog = element('dialog');
  dialog.appendChild(element('h1', '', caption));
  dialog.appendChild(body);
  const row = element('div', 'buttons');
  dialog.appendChild(row);
  document.body.appendChild(dialog);
  return new Promise(resolve => {
    const finish = id => {
      dialog.close();
      dialog.remove();
      resolve(id);
    };
    for (const id of ids) {
      const button = element('button', '', buttonLabel(id));
      button.dataset.id = id;
      button.addEventListener('click', () => onButton ? onButton(id, finish) : finish(id));
      row.appendChild(button);
    }
    dialog.addEventListener('cancel', event => {
      event.preventDefault();
      onButton ? onButton(escape, finish) : finish(escape);
    });
    dialog.showModal();
    row.firstChild.focus();
  });
}

let running = null;  // the dialog built from a template, while it runs

function dialogUnits() {
  glyphs.font = kDialogFont;
  const letters = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz';
  const metrics = glyphs.measureText(letters);
  const height = (metrics.fontBoundingBoxAscent || 11) + (metrics.fontBoundingBoxDescent || 3);
  return {x: Math.ceil(metrics.width / letters.length) / 4, y: height / 8};
}

function place(control, x, y, width, height) {
  const unit = running.unit;
  const left = Math.round(x * unit.x);
  const top = Math.round(y * unit.y);
  control.style.left = left + 'px';
  control.style.top = top + 'px';
  control.style.width = Math.round((x + width) * unit.x) - left + 'px';
  control.style.height = Math.round((y + height) * unit.y) - top + 'px';
}

function clicked(id) {
  if (running.waiting) {
    const resolve = running.waiting;
    running.waiting = null;
    resolve(id);
  } else {
    running.clicks.push(id);
  }
}

function controlText(control) {
  if (control.tagName === 'TEXTAREA') return control.value.replace(/\r?\n/g, '\r\n');
  if (control.tagName === 'INPUT' && control.type === 'text') return control.value;
  return control.textContent;
}

function setControlText(control, value) {
  if (control.tagName === 'TEXTAREA') control.value = value.replace(/\r\n/g, '\n');
  else if (control.tagName === 'INPUT' && control.type === 'text') control.value = value;
  else if (control.label) control.label.textContent = value;
  else control.textContent = value;
}

// ---- What the game calls ------------------------------------------------------------------------

const web = {
  setTimer(id, milliseconds) {
    web.killTimer(id);
    timers.set(id, setInterval(() => call('mirovane_timer', [id]), milliseconds));
  },
  killTimer(id) {
    clearInterval(timers.get(id));
    timers.delete(id);
  },
  schedulePaint() {
    if (paintScheduled) return;
    paintScheduled = true;
    requestAnimationFrame(() => {
      paintScheduled = false;
      if (!call('mirovane_paint')) web.schedulePaint();
    });
  },
  present(address, left, top, right, bottom) {
    const data = frame.data;
    for (let y = top; y < bottom; ++y) {
      const row = y * kWidth;
      for (let x = left; x < right; ++x) {  // 0xFFRRGGBB, little-endian: B G R A
        const from = address + (row + x) * 4;
        const to = (row + x) * 4;
        data[to] = HEAPU8[from + 2];
        data[to + 1] = HEAPU8[from + 1];
        data[to + 2] = HEAPU8[from];
        data[to + 3] = 255;
      }
    }
    bufferContext.putImageData(frame, 0, 0, left, top, right - left, bottom - top);
    show();
    if (presented.length < 4) presented.push(performance.now());
  },
  view(zoom, left, top) {
    view = {zoom, left, top};
  },
  outlines(address, count) {
    const v = HEAP32.subarray(address >> 2, (address >> 2) + 7 * count);
    outlines = [];
    for (let i = 0; i < 7 * count; i += 7) {
      outlines.push({left: v[i], top: v[i + 1], right: v[i + 2], bottom: v[i + 3], thickness: v[i + 4],
                     inner: v[i + 5], colour: v[i + 6]});
    }
  },
  messageBox(address, length, captionAddress, captionLength, okCancel, exclamation, okId, cancelId) {
    answerIds = {ok: okId, cancel: cancelId};
    const body = element('div', 'message', text(address, length).replace(/\r\n/g, '\n'));
    if (exclamation) body.prepend('\u26a0 ');
    const ids = okCancel ? [okId, cancelId] : [okId];
    return modal(text(captionAddress, captionLength), body, ids, ids[ids.length - 1]);
  },
  language(isFrench) {
    french = isFrench !== 0;
    document.documentElement.lang = french ? 'fr' : 'en';
  },
  menuTitle(address, length) {
    menuButton.textContent = text(address, length);
  },
  // Whether the option of command `id` was left on, 0 or 1.
  option(id) {
    try {
      return localStorage.getItem(kOptionKey + id) === '1' ? 1 : 0;
    } catch (error) {
      return 0;
    }
  },
  // A command's label in the player's language, whether it can be chosen, and for an option (checked
  // 0 or 1; -1 for a plain command) whether it is on; an option is kept in local storage.
  commandLabel(id, address, length, enabled, checked) {
    const shown = commandLabels.get(id);
    if (!shown) return;
    shown.textContent = (checked === 1 ? '\u2611 ' : checked === 0 ? '\u2610 ' : '') + text(address, length);
    shown.disabled = !enabled;
    if (checked >= 0) {
      shown.setAttribute('aria-pressed', checked ? 'true' : 'false');
      try {
        if (checked) localStorage.setItem(kOptionKey + id, '1');
        else localStorage.removeItem(kOptionKey + id);
      } catch (error) {
        // a page without storage keeps the option for this visit only
      }
    }
  },
  toolPictures(address, width, height) {
    toolStrip = document.createElement('canvas');
    toolStrip.width = width;
    toolStrip.height = height;
    const context = toolStrip.getContext('2d');
    const image = context.createImageData(width, height);
    const pixels = HEAPU8.subarray(address, address + width * height * 4);
    for (let i = 0; i < pixels.length; i += 4) {
      image.data.set([pixels[i + 2], pixels[i + 1], pixels[i], 255], i);
    }
    context.putImageData(image, 0, 0);
  },
  // One command of the game's table: an item of "Menu", a button of the tool bar with its picture, or
  // a button of the bar with its label (Undo, Redo, the helps). Its shortcuts ("Ctrl+Z; Ctrl+Y") act on the page.
  command(id, place, picture, separatorAfter, keys, address, length) {
    const label = text(address, length);
    for (const chord of keys.split('; ')) if (chord) shortcuts.set(chord, id);
    if (place === 'bar') {
      const button = element('button', 'command', label);
      button.dataset.command = id;
      button.addEventListener('click', () => command(id));
      byId('bar').appendChild(button);
      commandLabels.set(id, button);
      return;
    }
    if (place === 'toolbar') {
      const bar = byId('bar');
      const button = element('button');
      button.dataset.command = id;
      if (toolStrip && picture >= 0) {
        const cut = document.createElement('canvas');
        cut.width = 16;
        cut.height = 15;
        cut.getContext('2d').drawImage(toolStrip, picture * 16, 0, 16, 15, 0, 0, 16, 15);
        const img = element('img');
        img.src = cut.toDataURL();
        img.alt = label;
        button.appendChild(img);
      }
      button.addEventListener('click', () => command(id));
      bar.appendChild(button);
      if (separatorAfter) bar.appendChild(element('span', 'separator'));
      return;
    }
    const item = element('li', '', label);
    item.setAttribute('role', 'menuitem');
    item.tabIndex = -1;
    item.dataset.command = id;
    item.addEventListener('click', () => command(id));
    menu.appendChild(item);
    commandLabels.set(id, item);
  },
  close() {
    for (const id of [...timers.keys()]) web.killTimer(id);
    byId('bar').remove();
    byId('screen').replaceChildren(element('button', '', 'Mirovane \u21bb'));
    byId('screen').firstChild.addEventListener('click', () => location.reload());
  },
  randomSeed() {
    return crypto.getRandomValues(new Uint32Array(1))[0];
  },

  // The stores (the settings text, the game in progress): bytes, kept as one character a byte, each
  // under the key the game names.
  storedLength(key) {
    let stored;
    try {
      stored = localStorage.getItem(key);
    } catch (error) {
      return -2;
    }
    if (stored === null) return -1;
    web.readBytes = /[^\x00-\xff]/.test(stored) ? new TextEncoder().encode(stored)
                                                : Uint8Array.from(stored, c => c.charCodeAt(0));
    return web.readBytes.length;
  },
  copyStored(address, length) {
    HEAPU8.set(web.readBytes.subarray(0, length), address);
    web.readBytes = null;
  },
  writeStored(key, address, length) {
    let stored = '';
    for (let at = address, end = address + length; at < end; at += 4096) {
      stored += String.fromCharCode.apply(null, HEAPU8.subarray(at, Math.min(end, at + 4096)));
    }
    try {
      if (length === 0) localStorage.removeItem(key);
      else localStorage.setItem(key, stored);
      return 0;
    } catch (error) {
      return kWriteFault;
    }
  },

  // Text: the font's lines and a line's coverage.
  metrics() {
    glyphs.font = kTextFont;
    const measured = glyphs.measureText('Hg');
    const ascent = Math.round(measured.fontBoundingBoxAscent || 10);
    return {ascent, height: ascent + Math.round(measured.fontBoundingBoxDescent || 3)};
  },
  lineHeight() { return web.metrics().height; },
  ascent() { return web.metrics().ascent; },
  lineWidth(address, length) {
    glyphs.font = kTextFont;
    return Math.round(glyphs.measureText(text(address, length)).width);
  },
  drawLine(address, length, mask, width, height, ascent) {
    if (glyphCanvas.width < width || glyphCanvas.height < height) {
      glyphCanvas.width = Math.max(glyphCanvas.width, width);
      glyphCanvas.height = Math.max(glyphCanvas.height, height);
    }
    glyphs.clearRect(0, 0, width, height);
    glyphs.font = kTextFont;
    glyphs.fillStyle = '#000';
    glyphs.textBaseline = 'alphabetic';
    glyphs.fillText(text(address, length), 0, ascent);
    const coverage = glyphs.getImageData(0, 0, width, height).data;
    for (let i = 0; i < width * height; ++i) HEAPU8[mask + i] = coverage[i * 4 + 3];
  },

  // Dialogs built from the game's templates.
  dialogBegin(address, length, width, height, okId, cancelId) {
    answerIds = {ok: okId, cancel: cancelId};
    const body = element('div', 'body');
    running = {unit: dialogUnits(), body, controls: new Map(), group: null, groups: 0, clicks: [], waiting: null};
    running.body.style.font = kDialogFont;
    running.body.style.width = Math.round(width * running.unit.x) + 'px';
    running.body.style.height = Math.round(height * running.unit.y) + 'px';
    running.result = modal(text(address, length), body, [okId, cancelId], cancelId,
                           (id, finish) => { running.finish = finish; clicked(id); });
  },
  dialogControl(kind, id, x, y, width, height, address, length, style) {
    const label = text(address, length);
    let control;
    let clickable = null;
    const styles = style.split(' ');
    if (kind === 'radio' || kind === 'check') {
      control = element('label', 'control');
      const input = element('input');
      input.type = kind === 'radio' ? 'radio' : 'checkbox';
      control.appendChild(input);
      const caption = element('span', '', label);
      control.appendChild(caption);
      input.label = caption;
      if (kind === 'radio') {
        if (styles.includes('opens-group') || running.group === null) {
          running.group = [];
          running.group.name = 'group' + ++running.groups;
        }
        running.group.push(input);
        input.group = running.group;
        input.name = running.group.name;
      }
      clickable = input;
    } else if (kind === 'button') {
      control = element('button', 'control', label);
      control.type = 'button';
      clickable = control;
    } else if (kind === 'group') {  // a frame behind the controls placed over it
      control = element('fieldset', 'control');
      control.appendChild(element('legend', '', label));
    } else if (kind === 'label') {
      control = element('div', 'control label', label);
    } else {  // 'edit', 'multiline'
      control = element(kind === 'edit' ? 'input' : 'textarea', 'control');
      if (kind === 'edit') control.type = 'text';
      for (const name of ['bordered', 'centred', 'right']) {
        if (styles.includes(name)) control.classList.add(name);
      }
      if (kind === 'multiline') control.style.overflowY = styles.includes('scroll') ? 'auto' : 'hidden';
      setControlText(control, label);
    }
    place(control, x, y, width, height);
    control.dataset.id = id;
    if (clickable !== null) clickable.addEventListener('click', () => clicked(id));
    if (id !== -1) running.controls.set(id, clickable || control);
    if (kind === 'group') running.body.prepend(control);
    else running.body.appendChild(control);
  },
  dialogClick() {
    if (running.clicks.length > 0) return Promise.resolve(running.clicks.shift());
    return new Promise(resolve => { running.waiting = resolve; });
  },
  dialogEnd() {
    if (running.finish) running.finish(answerIds.cancel);
    running = null;
  },
  controlTextLength(id) {
    const control = running.controls.get(id);
    running.pulled = control ? controlText(control) : '';
    return running.pulled.length;
  },
  copyControlText(id, address, length) {
    putText(running.pulled, address, length);
  },
  setControlText(id, address, length) {
    const control = running.controls.get(id);
    if (control) setControlText(control, text(address, length));
  },
  exchangeCheck(id, pull, value) {
    const control = running.controls.get(id);
    if (!control) return value;
    if (pull) return control.checked ? 1 : 0;
    control.checked = value !== 0;
    return value;
  },
  exchangeRadio(firstId, pull, value) {
    const first = running.controls.get(firstId);
    if (!first || !first.group) return value;
    if (pull) return first.group.findIndex(input => input.checked);
    first.group.forEach((input, i) => { input.checked = i === value; });
    return value;
  },
};

// ---- Start-up -----------------------------------------------------------------------------------

window.Module = {
  web,
  onRuntimeInitialized() {
    call('mirovane_start');
    resizePending = true;  // once the game has started
  },
};

canvas.addEventListener('pointerdown', tap);
canvas.addEventListener('contextmenu', event => event.preventDefault());
window.addEventListener('resize', layout);
document.addEventListener('keydown', key);

// What the page's own tests read: the game's pixels as 0xRRGGBB, row after row, a game point's place
// in the page, the timers, the drawing time of a frame.
window.mirovane = {
  presented,
  busy: () => busy,
  pixels(left, top, right, bottom) {
    const found = [];
    for (let y = top; y < bottom; ++y) {
      for (let x = left; x < right; ++x) {
        const at = (y * kWidth + x) * 4;
        found.push(frame.data[at] << 16 | frame.data[at + 1] << 8 | frame.data[at + 2]);
      }
    }
    return found;
  },
  pagePoint(x, y) {
    const ratio = window.devicePixelRatio || 1;
    const box = canvas.getBoundingClientRect();
    return [box.left + (view.left + (x + 0.5) * view.zoom) / ratio,
            box.top + (view.top + (y + 0.5) * view.zoom) / ratio];
  },
  zoom: () => view.zoom,
  // The game point at the top-left corner inside an outline's frame.
  outlinedPoint: colour => {
    const o = window.mirovane.outline(colour);
    return o && [Math.round((o.left + o.thickness / 2 - view.left) / view.zoom),
                 Math.round((o.top + o.thickness / 2 - view.top) / view.zoom)];
  },
  // The outlines over the picture, by colour: 'ffa000' the key cursor, '00ffff' a sure cell.
  outline: colour => outlines.find(o => o.colour === parseInt(colour, 16)) || null,
  timers: () => [...timers.keys()],
  // The game's drawing time of a whole frame in ms, the mean of `count` frames.
  frameMs: count => Module.ccall('mirovane_frame_ms', 'number', ['number'], [count]),
};

if ('serviceWorker' in navigator && location.protocol !== 'file:') {
  navigator.serviceWorker.register('service-worker.js');
}
})();
