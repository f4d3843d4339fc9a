// Holds the user's input back while a handler runs, in the engine's input queue, and delivers it
// afterwards in order, as if it had been given then, as the desktop's event loop does:
// - a key goes to whatever has the focus when it is delivered;
// - a press and its release pair up wherever the release happens;
// - input that no longer means anything, such as the release of a press the page never saw, is
//   dropped;
// - the browser's own shortcuts stay the browser's.
// Handlers asked for meanwhile wait in the same queue. What the browser would have done itself
// with a given-back key or wheel is done by defaults.js.
import { edit, moveFocus, scrollPage } from './defaults.js';
import { modified } from './keys.js';

const pointer = ['pointerdown', 'pointermove', 'pointerup', 'pointercancel'];
const mouse = ['mousedown', 'mousemove', 'mouseup', 'click', 'dblclick', 'auxclick', 'contextmenu'];
const keys = ['keydown', 'keyup', 'keypress'];
const releases = new Set(['pointerup', 'pointercancel', 'mouseup']);

export class Gate {
  constructor(root) {
    this.root = root;
    this.held = null; // the engine's queue, once it is loaded
    this.closed = false;
    // Pointers the browser has pressed, by id: whether the press was in the window.
    this.pressed = new Map();
    // Pointers the page has been given a press of, and not yet its release.
    this.down = new Set();
    // The mouse events that follow a release which was dropped.
    this.dropping = false;
    // A delivery of held input waits for its turn of the event loop.
    this.scheduled = false;
    this.replaying = false;
    this.replayPause = 0;
    for (const type of [...pointer, ...mouse, ...keys, 'wheel'])
      addEventListener(type, (event) => this.filter(event), { capture: true, passive: false });
  }

  // The engine's queue. A test build may slow the delivery of what was held (?replaypause=ms),
  // so that a test can give input between two deliveries as a slow machine would let a user.
  attach(held, { testHooks = false } = {}) {
    this.held = held;
    const pause = testHooks && new URLSearchParams(location.search).get('replaypause');
    this.replayPause = Number(pause) || 0;
  }

  get busy() {
    return this.held?.busy ?? false;
  }

  // Nothing runs, and nothing held is left to deliver.
  get idle() {
    return !this.held?.holding;
  }

  // Whether what the page does on its own, a repeat or a drag, must leave the controls alone:
  // while a handler runs, and while held input is still to be delivered, but for that input.
  get holding() {
    return this.closed || (Boolean(this.held?.holding) && !this.replaying);
  }

  filter(event) {
    if (this.closed || !event.isTrusted) return;
    const inWindow = this.root.contains(event.target);
    const held = Boolean(this.held?.holding) && this.holds(event, inWindow);
    if (event.type === 'pointerdown') this.pressed.set(event.pointerId, inWindow);
    else if (event.type === 'pointerup' || event.type === 'pointercancel')
      this.pressed.delete(event.pointerId);
    if (!held) {
      this.given(event);
      return;
    }
    event.preventDefault();
    event.stopImmediatePropagation();
    this.held.defer(() => this.deliver(event));
  }

  // What the page's controls have been given: presses not yet released.
  given(event) {
    if (event.type === 'pointerdown') this.down.add(event.pointerId);
    else if (event.type === 'pointerup' || event.type === 'pointercancel')
      return this.down.delete(event.pointerId);
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
    if (this.closed) return;
    if (this.held.mayRun) action();
    else this.held.defer(action);
  }

  begin() {
    this.held.begin();
  }

  // Delivers what was held, an item a turn of the event loop, as the browser's own events come:
  // the page paints and a screen reader is answered in between, and what the user gives meanwhile
  // waits behind what is still held. An item that starts another handler leaves the rest for
  // after that one.
  end() {
    this.held.end();
    this.deliverLater();
  }

  deliverLater() {
    if (this.scheduled) return;
    this.scheduled = true;
    nextTurn(() => {
      this.scheduled = false;
      const item = this.held.next();
      if (!item) return;
      this.replaying = true;
      try {
        item();
      } finally {
        this.replaying = false;
      }
      this.deliverLater();
    }, this.replayPause);
  }

  // Drops what was held and holds nothing more; for a program that is ending.
  close() {
    this.held?.discard();
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

  // To the focus as it is now. The buttons click by their keys themselves; Tab and a text
  // box's keys are done here, as the browser does them for a key it gives.
  deliverKey(event) {
    if (event.type === 'keypress') return;
    const target = document.activeElement ?? document.body;
    const delivered = copy(event);
    target.dispatchEvent(delivered);
    if (delivered.defaultPrevented || event.type !== 'keydown') return;
    if (event.key === 'Tab') moveFocus(event.shiftKey);
    else if (target instanceof HTMLInputElement) edit(target, event);
  }
}

// A task of its own, at once where no pause is asked for: a message is not throttled as a timer
// is.
function nextTurn(action, pause) {
  if (pause > 0) {
    setTimeout(action, pause);
    return;
  }
  const channel = new MessageChannel();
  channel.port1.onmessage = () => {
    channel.port1.close();
    action();
  };
  channel.port2.postMessage(null);
}

function isShortcut(event) {
  return modified(event) || /^F\d+$/.test(event.key);
}

function copy(event) {
  return new event.constructor(event.type, event);
}

// A press focuses what it lands on; on what takes no focus, the focus stays where it was, as for
// a press the browser gives (see the window's mousedown).
function focusOn(target) {
  const focusable = target.closest?.('input, button, [tabindex]');
  if (focusable && focusable.tabIndex >= -1 && !focusable.disabled)
    focusable.focus({ preventScroll: true });
}

function deliverWheel(event) {
  const delivered = copy(event);
  event.target.dispatchEvent(delivered);
  if (!delivered.defaultPrevented) scrollPage(event);
}
