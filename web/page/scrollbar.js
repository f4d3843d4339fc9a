// A horizontal scroll bar as the desktop's: arrows, trough and thumb, and the keys the engine's
// rules give it. A press on an arrow or the trough repeats while held; a dragged thumb reports
// its value once, on release. Each change by the user fires 'change'. A press is released
// wherever its pointer comes up, and while the page holds input back (a handler is running)
// neither the repeat nor the drag moves it.
import { keyName, modified } from './keys.js';

const firstRepeat = 500; // ms before a held press repeats
const repeatEvery = 50;

export class ScrollBar {
  constructor({ scroll: { minimum, maximum, step }, keys }, holding = () => false) {
    this.minimum = minimum;
    this.maximum = maximum;
    this.step = step;
    this.moves = keys.scrollBar;
    this.holding = holding;
    this.current = minimum;
    this.timer = null;
    this.pointer = null; // the press in progress: its pointer and what ends it

    const element = document.createElement('div');
    element.className = 'scrollbar';
    element.tabIndex = 0;
    // A slider to a screen reader, whose browse mode then hands the slider its keys.
    element.setAttribute('role', 'slider');
    element.setAttribute('aria-orientation', 'horizontal');
    element.setAttribute('aria-valuemin', minimum);
    element.setAttribute('aria-valuemax', maximum);
    element.innerHTML =
      '<div class="arrow" data-step="-1">◀</div>' +
      '<div class="trough"><div class="thumb"></div></div>' +
      '<div class="arrow" data-step="1">▶</div>';
    element.scrollBar = this;
    this.element = element;
    this.trough = element.querySelector('.trough');
    this.thumb = element.querySelector('.thumb');

    element.addEventListener('pointerdown', (event) => this.press(event));
    element.addEventListener('keydown', (event) => this.key(event));
    element.addEventListener('wheel', (event) => this.turned(event), { passive: false });
    this.wheel = 0;
    new ResizeObserver(() => this.layout()).observe(element);
    this.show();
  }

  get value() {
    return this.current;
  }

  // Sets the value as the user did: the bar moves and reports the change.
  change(value) {
    const clamped = Math.min(this.maximum, Math.max(this.minimum, value));
    if (clamped === this.current) return;
    this.current = clamped;
    this.show();
    this.element.dispatchEvent(new Event('change'));
  }

  layout() {
    const height = this.element.clientHeight;
    for (const arrow of this.element.querySelectorAll('.arrow'))
      arrow.style.width = `${height}px`;
    this.thumb.style.width = `${Math.min(height, this.trough.clientWidth)}px`;
    this.show();
  }

  // The thumb's travel, in the bar's own pixels whatever the page's scale.
  travel() {
    return Math.max(this.trough.clientWidth - this.thumb.offsetWidth, 1);
  }

  show(value = this.current) {
    const span = this.maximum - this.minimum;
    this.thumb.style.left = `${Math.round((this.travel() * (value - this.minimum)) / span)}px`;
    this.element.setAttribute('aria-valuenow', this.current);
  }

  key(event) {
    const move = this.moves[keyName(event)];
    if (!move || modified(event) || event.shiftKey) return;
    event.preventDefault();
    this.change(this.moved(move));
  }

  // The value a key's move goes to.
  moved(move) {
    switch (move) {
      case 'Back': return this.current - this.step;
      case 'On': return this.current + this.step;
      case 'First': return this.minimum;
      case 'Last': return this.maximum;
    }
    return this.current;
  }

  // The wheel steps the bar as the desktop's does, a step a notch, down and right going on;
  // a touchpad's fine movements add up to notches.
  turned(event) {
    if (modified(event)) return;
    event.preventDefault();
    const notch = [100, 3, 1][event.deltaMode] ?? 100;
    this.wheel += (event.deltaY || event.deltaX) / notch;
    const steps = Math.trunc(this.wheel);
    this.wheel -= steps;
    if (steps) this.change(this.current + steps * this.step);
  }

  // Client pixels to the bar's own: the page may scale the whole window.
  scale() {
    return this.trough.getBoundingClientRect().width / Math.max(this.trough.clientWidth, 1) || 1;
  }

  // The value a point of the trough stands for.
  valueAt(clientX) {
    const box = this.trough.getBoundingClientRect();
    const x = (clientX - box.left) / this.scale() - this.thumb.offsetWidth / 2;
    return Math.round(this.minimum + (x / this.travel()) * (this.maximum - this.minimum));
  }

  press(event) {
    if (event.button !== 0) return;
    this.release();
    this.element.focus({ preventScroll: true });
    const target = event.target;
    if (target.setPointerCapture && event.isTrusted) target.setPointerCapture(event.pointerId);
    // The release may come anywhere, and after a handler, as a held event given back.
    const end = (e) => {
      if (e.pointerId === event.pointerId) this.release(e);
    };
    this.pointer = { id: event.pointerId, end, move: null, drop: null, track: null, over: true };
    addEventListener('pointerup', end);
    addEventListener('pointercancel', end);
    if (target === this.thumb) {
      this.drag(event);
      return;
    }
    // The part pressed steps only while the pointer is over it, and goes on when it comes back.
    const part = target.classList.contains('arrow') ? target : this.trough;
    this.pointer.track = (e) => {
      if (e.pointerId !== event.pointerId) return;
      const box = part.getBoundingClientRect();
      this.pointer.over = e.clientX >= box.left && e.clientX < box.right &&
        e.clientY >= box.top && e.clientY < box.bottom;
    };
    addEventListener('pointermove', this.pointer.track);
    let action;
    if (target.classList.contains('arrow')) {
      target.classList.add('pressed');
      const step = Number(target.dataset.step) * this.step;
      action = () => this.change(this.current + step);
    } else {
      // The trough steps toward the pointer, and stops once the thumb is under it.
      const goal = this.valueAt(event.clientX);
      const step = goal < this.current ? -this.step : this.step;
      action = () => {
        if ((step < 0 && this.current > goal) || (step > 0 && this.current < goal))
          this.change(this.current + step);
      };
    }
    action();
    const repeat = () => {
      // Nothing moves while input is held back; the repeat goes on once it is given back.
      if (!this.element.isConnected) return this.release();
      if (!this.holding() && this.pointer?.over) action();
    };
    this.timer = setTimeout(() => {
      this.timer = setInterval(repeat, repeatEvery);
    }, firstRepeat);
  }

  // The thumb follows the pointer by as far as it has moved, so a press that does not move
  // leaves the value as it was.
  drag(event) {
    const startX = event.clientX;
    const startValue = this.current;
    const valueOf = (clientX) => {
      const moved = (clientX - startX) / this.scale();
      return Math.min(this.maximum, Math.max(this.minimum,
        startValue + Math.round((moved / this.travel()) * (this.maximum - this.minimum))));
    };
    this.pointer.move = (e) => {
      if (e.pointerId === event.pointerId && !this.holding()) this.show(valueOf(e.clientX));
    };
    this.pointer.drop = (e) => {
      if (e.type === 'pointerup') this.change(valueOf(e.clientX));
      else this.show();
    };
    addEventListener('pointermove', this.pointer.move);
  }

  release(event) {
    clearTimeout(this.timer);
    clearInterval(this.timer);
    this.timer = null;
    for (const arrow of this.element.querySelectorAll('.arrow.pressed'))
      arrow.classList.remove('pressed');
    const pointer = this.pointer;
    if (!pointer) return;
    this.pointer = null;
    removeEventListener('pointerup', pointer.end);
    removeEventListener('pointercancel', pointer.end);
    if (pointer.move) removeEventListener('pointermove', pointer.move);
    if (pointer.track) removeEventListener('pointermove', pointer.track);
    if (pointer.drop && event) pointer.drop(event);
    else if (pointer.drop) this.show();
  }
}
