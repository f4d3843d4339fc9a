// A horizontal scroll bar as the desktop's: arrows, trough and thumb, the arrow keys, PageUp,
// PageDown, Home and End. A press on an arrow or the trough repeats while held; a dragged
// thumb reports its value once, on release. Each change by the user fires 'change'.
const firstRepeat = 500; // ms before a held press repeats
const repeatEvery = 50;

export class ScrollBar {
  constructor({ minimum, maximum, step }) {
    this.minimum = minimum;
    this.maximum = maximum;
    this.step = step;
    this.current = minimum;
    this.repeat = null;

    const element = document.createElement('div');
    element.className = 'scrollbar';
    element.tabIndex = 0;
    element.setAttribute('role', 'scrollbar');
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
    for (const type of ['pointerup', 'pointercancel', 'lostpointercapture'])
      element.addEventListener(type, () => this.release());
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

  show(value = this.current) {
    const travel = this.trough.clientWidth - this.thumb.offsetWidth;
    const span = this.maximum - this.minimum;
    this.thumb.style.left = `${Math.round((travel * (value - this.minimum)) / span)}px`;
    this.element.setAttribute('aria-valuenow', this.current);
  }

  key(event) {
    const moves = {
      ArrowLeft: () => this.current - this.step,
      ArrowRight: () => this.current + this.step,
      PageUp: () => this.current - this.step,
      PageDown: () => this.current + this.step,
      Home: () => this.minimum,
      End: () => this.maximum,
    };
    const move = moves[event.key];
    if (!move || event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) return;
    event.preventDefault();
    this.change(move());
  }

  // The value a point of the trough stands for.
  valueAt(clientX) {
    const box = this.trough.getBoundingClientRect();
    const travel = box.width - this.thumb.offsetWidth;
    const ratio = (clientX - box.left - this.thumb.offsetWidth / 2) / Math.max(travel, 1);
    return Math.round(this.minimum + ratio * (this.maximum - this.minimum));
  }

  press(event) {
    if (event.button !== 0) return;
    this.element.focus();
    const target = event.target;
    if (target.setPointerCapture && event.isTrusted) target.setPointerCapture(event.pointerId);
    if (target === this.thumb) {
      this.drag(event);
      return;
    }
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
    this.repeat = setTimeout(() => {
      this.repeat = setInterval(action, repeatEvery);
    }, firstRepeat);
  }

  drag(event) {
    const startX = event.clientX;
    const startValue = this.current;
    const startLeft = this.thumb.offsetLeft;
    const travel = this.trough.clientWidth - this.thumb.offsetWidth;
    const valueOf = (clientX) => {
      const left = Math.min(travel, Math.max(0, startLeft + clientX - startX));
      return Math.round(this.minimum + (left / Math.max(travel, 1)) * (this.maximum - this.minimum));
    };
    const move = (e) => this.show(valueOf(e.clientX));
    const end = (e) => {
      this.thumb.removeEventListener('pointermove', move);
      this.thumb.removeEventListener('pointerup', end);
      if (e.type === 'pointerup') this.change(valueOf(e.clientX));
      else this.show(startValue);
    };
    this.thumb.addEventListener('pointermove', move);
    this.thumb.addEventListener('pointerup', end);
    this.thumb.addEventListener('pointercancel', end, { once: true });
  }

  release() {
    clearTimeout(this.repeat);
    clearInterval(this.repeat);
    this.repeat = null;
    for (const arrow of this.element.querySelectorAll('.arrow.pressed'))
      arrow.classList.remove('pressed');
  }
}
