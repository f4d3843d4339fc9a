// Holds the user's input back while a handler runs, and delivers it afterwards in order, as if it
// had been given then, as the desktop's event loop does:
// - a key goes to whatever has the focus when it is delivered;
// - a press and its release pair up wherever the release happens;
// - input that no longer means anything, such as the release of a press the page never saw, is
//   dropped;
// - the browser's own shortcuts stay the browser's.
// Handlers asked for meanwhile wait in the same queue. Synthetic events reach the listeners but
// have no default action, so the few defaults that matter are carried out here.
const pointer = ['pointerdown', 'pointermove', 'pointerup', 'pointercancel'];
const mouse = ['mousedown', 'mousemove', 'mouseup', 'click', 'dblclick', 'auxclick', 'contextmenu'];
const keys = ['keydown', 'keyup', 'keypress'];
const releases = new Set(['pointerup', 'pointercancel', 'mouseup']);

export class Gate {
  constructor(root) {
    this.root = root;
    this.busy = false;
    this.closed = false;
    this.queue = [];
    // Pointers the browser has pressed, by id: whether the press was in the window.
    this.pressed = new Map();
    // Pointers the page has been given a press of, and not yet its release.
    this.down = new Set();
    // The mouse events that follow a release which was dropped.
    this.dropping = false;
    this.spaceDownOn = null;
    for (const type of [...pointer, ...mouse, ...keys, 'wheel'])
      addEventListener(type, (event) => this.filter(event), { capture: true, passive: false });
  }

  // Whether what the page does on its own, a repeat or a drag, must leave the controls alone.
  get holding() {
    return this.busy || this.closed;
  }

  filter(event) {
    if (this.closed || !event.isTrusted) return;
    const inWindow = this.root.contains(event.target);
    const held = this.busy && this.holds(event, inWindow);
    if (event.type === 'pointerdown') this.pressed.set(event.pointerId, inWindow);
    else if (event.type === 'pointerup' || event.type === 'pointercancel')
      this.pressed.delete(event.pointerId);
    if (!held) {
      this.given(event, event.target);
      return;
    }
    event.preventDefault();
    event.stopImmediatePropagation();
    this.queue.push(() => this.deliver(event));
  }

  // What the page's controls have been given: presses not yet released, and a Space held down.
  given(event, target) {
    if (event.type === 'pointerdown') this.down.add(event.pointerId);
    else if (event.type === 'pointerup' || event.type === 'pointercancel')
      return this.down.delete(event.pointerId);
    else if (event.type === 'keydown' && event.key === ' ') this.spaceDownOn = target;
    return true;
  }

  holds(event, inWindow) {
    if (keys.includes(event.type)) return !isShortcut(event);
    if (event.type === 'wheel') return !event.ctrlKey; // a ctrl wheel is the browser's zoom
    const pressedInWindow = event.pointerId === undefined
      ? [...this.pressed.values()].some(Boolean)
      : this.pressed.get(event.pointerId);
    if (event.type === 'pointermove' || event.type === 'mousemove')
      return event.buttons !== 0 && (inWindow || pressedInWindow === true);
    if (releases.has(event.type)) return inWindow || pressedInWindow === true;
    return inWindow;
  }

  // Runs the action now, or after the handler and whatever is held before it.
  run(action) {
    if (this.busy) this.queue.push(action);
    else if (!this.closed) action();
  }

  begin() {
    this.busy = true;
  }

  end() {
    this.busy = false;
    // An action that starts another handler leaves the rest for after that one.
    while (!this.busy && !this.closed && this.queue.length) this.queue.shift()();
  }

  // Drops what was held and holds nothing more; for a program that is ending.
  close() {
    this.queue = [];
    this.busy = false;
    this.closed = true;
  }

  deliver(event) {
    if (event.type.startsWith('key')) return this.deliverKey(event);
    if (event.type === 'wheel') return deliverWheel(event);
    if (event.type === 'pointerdown') {
      this.dropping = false;
      this.given(event);
      focusOn(event.target);
    } else if (event.type === 'pointerup' || event.type === 'pointercancel') {
      // A release whose press the page never saw means nothing, nor do its mouse events.
      this.dropping = !this.given(event);
      if (this.dropping) return;
    } else if (event.type === 'pointermove') {
      if (!this.down.has(event.pointerId)) return;
    } else if (this.dropping && event.type !== 'mousedown') {
      return;
    }
    if (event.target.isConnected) event.target.dispatchEvent(copy(event));
  }

  deliverKey(event) {
    if (event.type === 'keypress') return;
    const focused = document.activeElement ?? document.body;
    // Tab from outside the window goes into it, as a window of its own would take it.
    const target = event.key === 'Tab' && !this.root.contains(focused) ? this.root : focused;
    const delivered = copy(event);
    target.dispatchEvent(delivered);
    if (delivered.defaultPrevented) return;
    if (event.type === 'keyup') {
      if (event.key === ' ' && target === this.spaceDownOn && target instanceof HTMLButtonElement)
        target.click();
      this.spaceDownOn = null;
      return;
    }
    this.given(event, target);
    if (target instanceof HTMLButtonElement && event.key === 'Enter' && !event.repeat)
      target.click();
    else if (target instanceof HTMLInputElement) edit(target, event);
  }
}

function isShortcut(event) {
  return event.ctrlKey || event.metaKey || event.altKey || /^F\d+$/.test(event.key);
}

function copy(event) {
  return new event.constructor(event.type, event);
}

// A press focuses what it lands on, or takes the focus from where it was.
function focusOn(target) {
  const focusable = target.closest?.('input, button, [tabindex]');
  if (focusable && focusable.tabIndex >= -1 && !focusable.disabled)
    focusable.focus({ preventScroll: true });
  else document.activeElement?.blur();
}

function deliverWheel(event) {
  const delivered = copy(event);
  event.target.dispatchEvent(delivered);
  if (delivered.defaultPrevented) return;
  const unit = [1, 16, innerHeight][event.deltaMode] ?? 1;
  document.scrollingElement.scrollBy(event.deltaX * unit, event.deltaY * unit);
}

// What a key does in a text box: typing, deleting, and moving the caret or the selection.
function edit(box, event) {
  const { value, selectionStart: start, selectionEnd: end } = box;
  if (event.key.length === 1) {
    box.setRangeText(event.key, start, end, 'end');
  } else if (event.key === 'Backspace' || event.key === 'Delete') {
    const backspace = event.key === 'Backspace';
    const from = start === end && backspace ? Math.max(0, start - 1) : start;
    const to = start === end && !backspace ? Math.min(value.length, end + 1) : end;
    box.setRangeText('', from, to, 'end');
  } else {
    const backward = box.selectionDirection === 'backward';
    const anchor = backward ? end : start;
    const head = backward ? start : end;
    const moved = { ArrowLeft: head - 1, ArrowRight: head + 1, Home: 0, End: value.length }[event.key];
    if (moved === undefined) return;
    const to = Math.min(value.length, Math.max(0, moved));
    if (event.shiftKey) {
      box.setSelectionRange(Math.min(anchor, to), Math.max(anchor, to),
        to < anchor ? 'backward' : 'forward');
    } else if (start !== end && (event.key === 'ArrowLeft' || event.key === 'ArrowRight')) {
      // An arrow ends a selection at its own side.
      const at = event.key === 'ArrowLeft' ? start : end;
      box.setSelectionRange(at, at);
    } else {
      box.setSelectionRange(to, to);
    }
    return;
  }
  box.dispatchEvent(new InputEvent('input', { bubbles: true }));
}
