// The teacher's picture of the finished drawing, from the corner's picture button, a right click
// or a long press on the drawing: saved as the engine's SVG, or as a PNG at print resolution
// drawn from it, or printed alone on a landscape page. The entries wait for a run to have drawn
// something, and one chosen during a run is carried out after it, as other input is.
const longPress = 550; // ms, as a touch screen's own menus take
const slop = 10; // px a finger may move and still be holding

export class PictureMenu {
  // engine: the engine; layout: its layout; gate: the input gate; root: the window's element;
  // tell(words): what a screen reader hears.
  constructor({ button, menu, engine, layout, gate, root, tell }) {
    Object.assign(this, { button, menu, engine, layout, gate, tell });
    const { words } = layout;
    this.entries = [
      [words.SavePictureAs.replace('%1', 'SVG'), () => this.saveSvg()],
      [words.SavePictureAs.replace('%1', 'PNG'), () => this.savePng()],
      [words.PrintPictureAlone, () => this.print()],
    ].map(([label, action]) => {
      const entry = document.createElement('button');
      entry.type = 'button';
      entry.setAttribute('role', 'menuitem');
      entry.tabIndex = -1;
      entry.textContent = label;
      // Disabled entries stay in reach of the arrows, and say that they are disabled.
      entry.addEventListener('click', () => {
        if (entry.getAttribute('aria-disabled') === 'true') return;
        this.close(true);
        gate.run(() => this.safely(action));
      });
      menu.append(entry);
      return entry;
    });
    menu.setAttribute('aria-label', words.PictureMenu);
    button.setAttribute('aria-label', words.PictureMenu);
    button.title = words.PictureMenu;
    button.setAttribute('aria-haspopup', 'menu');
    button.setAttribute('aria-expanded', 'false');
    button.hidden = false;
    button.addEventListener('click', () => {
      if (menu.hidden) this.open(button.getBoundingClientRect(), true);
      else this.close(true);
    });
    menu.addEventListener('keydown', (event) => this.key(event));
    addEventListener('pointerdown', (event) => {
      if (!menu.hidden && !menu.contains(event.target) && !button.contains(event.target))
        this.close(false);
    }, { capture: true });
    this.watchDrawing(root);
  }

  // A right click, or a long press where the browser gives no menu of its own for one.
  watchDrawing(root) {
    root.addEventListener('contextmenu', (event) => {
      if (event.target instanceof HTMLInputElement) return;
      event.preventDefault();
      this.openAt(event.clientX, event.clientY);
    });
    let timer = null;
    let from = null;
    const stop = () => {
      clearTimeout(timer);
      timer = null;
    };
    root.addEventListener('pointerdown', (event) => {
      stop();
      if (event.pointerType !== 'touch' || event.target instanceof HTMLInputElement) return;
      from = { x: event.clientX, y: event.clientY };
      timer = setTimeout(() => {
        timer = null;
        this.openAt(from.x, from.y);
      }, longPress);
    });
    root.addEventListener('pointermove', (event) => {
      if (timer && Math.hypot(event.clientX - from.x, event.clientY - from.y) > slop) stop();
    });
    for (const type of ['pointerup', 'pointercancel']) root.addEventListener(type, stop);
  }

  openAt(x, y) {
    if (this.menu.hidden) this.open(new DOMRect(x, y, 0, 0), false);
  }

  // Only once a run has drawn something.
  get available() {
    return this.engine.kept().length > 0;
  }

  open(near, fromButton) {
    const available = this.available;
    for (const entry of this.entries) entry.setAttribute('aria-disabled', String(!available));
    this.menu.hidden = false;
    this.button.setAttribute('aria-expanded', 'true');
    // Beside where it was asked for, within the view.
    const { width, height } = this.menu.getBoundingClientRect();
    const left = Math.max(0, Math.min(near.left, innerWidth - width));
    const top = fromButton ? near.top - height - 4 : Math.min(near.top, innerHeight - height);
    this.menu.style.left = `${left}px`;
    this.menu.style.top = `${Math.max(0, top)}px`;
    this.returnFocus = document.activeElement;
    this.entries[0].focus();
  }

  close(refocus) {
    if (this.menu.hidden) return;
    this.menu.hidden = true;
    this.button.setAttribute('aria-expanded', 'false');
    if (refocus) this.returnFocus?.focus({ preventScroll: true });
  }

  key(event) {
    const at = this.entries.indexOf(document.activeElement);
    const step = { ArrowDown: 1, ArrowUp: -1 }[event.key];
    if (step) {
      event.preventDefault();
      this.entries[(at + step + this.entries.length) % this.entries.length].focus();
    } else if (event.key === 'Escape' || event.key === 'Tab') {
      if (event.key === 'Escape') event.preventDefault();
      this.close(event.key === 'Escape');
    }
  }

  // A failure to make the picture is the page's, not the run's: it is logged and said.
  async safely(action) {
    if (!this.available) return;
    try {
      await action();
    } catch (fault) {
      console.error(fault);
      this.tell(this.layout.words.PictureNotSaved.replace('%1', String(fault?.message ?? fault)));
    }
  }

  svgBlob() {
    return new Blob([this.engine.pictureSvg()], { type: 'image/svg+xml' });
  }

  download(blob, name) {
    const address = URL.createObjectURL(blob);
    const link = document.createElement('a');
    link.href = address;
    link.download = name;
    link.hidden = true;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(address), 60000);
    this.tell(this.layout.words.PictureSaved.replace('%1', name));
  }

  saveSvg() {
    this.download(this.svgBlob(), `${this.layout.picture.fileName}.svg`);
  }

  // The browser draws the SVG itself, at print resolution; the engine adds the PNG's text.
  async savePng() {
    const image = await this.decoded(this.svgBlob());
    const scale = this.layout.twipsPerPixel / this.layout.picture.printTwipsPerPixel;
    const canvas = document.createElement('canvas');
    canvas.width = Math.ceil(image.naturalWidth * scale);
    canvas.height = Math.ceil(image.naturalHeight * scale);
    canvas.getContext('2d').drawImage(image, 0, 0, canvas.width, canvas.height);
    const png = await new Promise((done, failed) => canvas.toBlob(
      (blob) => (blob ? done(blob) : failed(new Error('PNG'))), 'image/png'));
    const said = this.engine.picturePng(await png.arrayBuffer());
    this.download(new Blob([said], { type: 'image/png' }), `${this.layout.picture.fileName}.png`);
  }

  async decoded(blob) {
    const image = new Image();
    image.src = URL.createObjectURL(blob);
    try {
      await image.decode();
    } finally {
      URL.revokeObjectURL(image.src);
    }
    return image;
  }

  // The picture alone on a landscape page, for as long as the browser prints; the browser's own
  // Ctrl+P still prints the page as it shows.
  print() {
    const printed = document.createElement('div');
    printed.id = 'printed';
    const image = new Image();
    image.alt = this.layout.words.SceneDescription;
    image.src = URL.createObjectURL(this.svgBlob());
    printed.append(image);
    const style = document.createElement('style');
    style.media = 'print';
    style.textContent = '@page { size: A4 landscape; margin: 10mm; }' +
      ' html, body { margin: 0 !important; padding: 0 !important; }' +
      ' body > :not(#printed) { display: none !important; }' +
      ' #printed { display: flex; width: 277mm; height: 186mm; align-items: center;' +
      ' justify-content: center; }' +
      ' #printed img { max-width: 100%; max-height: 100%; width: 100%; height: 100%;' +
      ' object-fit: contain; }';
    document.head.append(style);
    document.body.append(printed);
    const done = () => {
      URL.revokeObjectURL(image.src);
      style.remove();
      printed.remove();
    };
    addEventListener('afterprint', done, { once: true });
    return image.decode().then(() => window.print());
  }
}
