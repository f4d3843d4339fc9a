// Holds the user's input back while a handler runs, and delivers it in order afterwards, as
// the desktop's event loop does. Handlers asked for meanwhile wait in the same queue.
const held = ['pointerdown', 'pointerup', 'mousedown', 'mouseup', 'click', 'dblclick',
  'keydown', 'keyup', 'keypress', 'wheel', 'contextmenu'];

export class Gate {
  constructor(root) {
    this.root = root;
    this.busy = false;
    this.queue = [];
    // Pointers pressed before a run: their release goes through, so that a held scroll-bar
    // arrow stops repeating at once.
    this.pressed = new Set();
    this.releasing = false;
    for (const type of [...held, 'pointercancel'])
      addEventListener(type, (event) => this.filter(event), { capture: true });
  }

  filter(event) {
    if (!this.root.contains(event.target)) return;
    if (!this.busy) {
      if (event.type === 'pointerdown') this.pressed.add(event.pointerId);
      if (event.type === 'pointerup' || event.type === 'pointercancel')
        this.pressed.delete(event.pointerId);
      return;
    }
    // A press from before the run ends now, with its mouse events; a click it makes runs its
    // handler after this one, as any handler asked for meanwhile.
    if ((event.type === 'pointerup' || event.type === 'pointercancel') &&
        this.pressed.delete(event.pointerId)) {
      this.releasing = true;
      setTimeout(() => (this.releasing = false));
      return;
    }
    if (this.releasing && (event.type === 'mouseup' || event.type === 'click')) return;
    if (event.type === 'pointercancel') return;
    event.preventDefault();
    event.stopImmediatePropagation();
    this.queue.push(() => replay(event));
  }

  // Runs the action now, or after the handler and whatever is held before it.
  run(action) {
    if (this.busy) this.queue.push(action);
    else action();
  }

  begin() {
    this.busy = true;
  }

  end() {
    this.busy = false;
    // An action that starts another handler leaves the rest for after that one.
    while (!this.busy && this.queue.length) this.queue.shift()();
  }

  // Drops what was held; for a program that is ending.
  discard() {
    this.queue = [];
  }
}

function focusable(element) {
  return element.matches('input, button, [tabindex]') ? element : element.closest('[tabindex]');
}

// A held event, given to its target as the browser would have: synthetic events reach the
// listeners but have no default action, so the few that matter are carried out here.
function replay(event) {
  const target = event.target;
  if (event.type === 'keydown') {
    if (target instanceof HTMLButtonElement && (event.key === 'Enter' || event.key === ' '))
      return event.repeat ? undefined : target.click();
    if (target instanceof HTMLInputElement && event.key.length === 1 && !event.ctrlKey) {
      target.setRangeText(event.key, target.selectionStart, target.selectionEnd, 'end');
      return;
    }
  }
  if (event.type === 'pointerdown') focusable(target)?.focus();
  target.dispatchEvent(new event.constructor(event.type, event));
}
