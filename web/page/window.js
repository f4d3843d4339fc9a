// The window built from the engine's layout table: each control an element whose id is its
// name, placed in pixels at 96 dpi, in tab order, with the canvas above the windowless
// controls and below the windowed ones.
import { ScrollBar } from './scrollbar.js';

export const twipsPerPixel = 15;
const fallbackFonts = '"Liberation Sans", Arial, sans-serif';

export function twipsToPixels(twips) {
  return Math.round(twips / twipsPerPixel);
}

export function cssColour(colour) {
  return `rgb(${colour & 0xff}, ${(colour >> 8) & 0xff}, ${(colour >> 16) & 0xff})`;
}

// Sized in pixels at 96 dpi, as on the desktop, so the texts fit their boxes.
function font(layout, row) {
  const points = row.fontPoints > 0 ? row.fontPoints : layout.defaultFontPoints;
  const weight = row.bold ? 700 : 400;
  return `${weight} ${Math.round((points * 96) / 72)}px "${layout.fontFamily}", ${fallbackFonts}`;
}

function makeElement(row, layout, pictures) {
  switch (row.kind) {
    case 'textBox': {
      const box = document.createElement('input');
      box.type = 'text';
      box.spellcheck = false;
      box.autocomplete = 'off';
      box.value = row.text;
      if (row.captionBox) {
        // A caption on the window's background, which Tab passes over.
        box.className = 'caption';
        box.style.background = cssColour(layout.backColor);
        box.tabIndex = -1;
      }
      return box;
    }
    case 'commandButton': {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = row.text;
      // A held Enter clicks once, or it would queue a run for every repeat.
      button.addEventListener('keydown', (event) => {
        if (event.repeat && event.key === 'Enter') event.preventDefault();
      });
      return button;
    }
    case 'scrollBar':
      return new ScrollBar(layout.scrollMinimum, layout.scrollMaximum, layout.scrollStep).element;
    case 'image': {
      const image = document.createElement('img');
      image.src = pictures[row.text] ?? '';
      image.alt = row.accessibleName ?? '';
      image.className = 'windowless';
      return image;
    }
    case 'pictureBox': {
      const box = document.createElement('div');
      box.className = 'picture-box';
      box.setAttribute('role', 'img');
      return box;
    }
    case 'label': {
      const label = document.createElement('div');
      label.className = 'windowless';
      label.textContent = row.text;
      label.style.background = cssColour(layout.backColor);
      return label;
    }
  }
  throw new Error(`no such kind of control: ${row.kind}`);
}

export class HalmiraWindow {
  constructor(root, layout, pictures) {
    this.root = root;
    this.controls = new Map();
    document.title = layout.caption;
    root.setAttribute('aria-label', layout.name);
    root.style.width = `${twipsToPixels(layout.width)}px`;
    root.style.height = `${twipsToPixels(layout.height)}px`;
    root.style.background = cssColour(layout.backColor);
    root.style.font = font(layout, {});

    root.addEventListener('keydown', (event) => this.cycleFocus(event));
    this.canvas = document.createElement('canvas');
    root.append(this.canvas);
    // The document's order is the tab order; controls without a tab stop come last.
    const rows = [...layout.controls].sort(
      (a, b) => (a.tabIndex < 0) - (b.tabIndex < 0) || a.tabIndex - b.tabIndex);
    for (const row of rows) {
      const element = makeElement(row, layout, pictures);
      element.id = row.name;
      element.style.left = `${twipsToPixels(row.left)}px`;
      element.style.top = `${twipsToPixels(row.top)}px`;
      element.style.width = `${twipsToPixels(row.width)}px`;
      element.style.height = `${twipsToPixels(row.height)}px`;
      if (row.fontPoints > 0) element.style.font = font(layout, row);
      if (row.kind !== 'image')
        element.setAttribute('aria-label', row.accessibleName ?? row.text);
      element.hidden = !row.shown;
      root.append(element);
      this.controls.set(row.name, element);
    }
  }

  // Tab and Shift+Tab go round the window's visible controls, as in a window of its own.
  cycleFocus(event) {
    if (event.key !== 'Tab' || event.altKey || event.ctrlKey || event.metaKey) return;
    const order = [...this.controls.values()].filter((e) => !e.hidden && e.tabIndex >= 0);
    const at = order.indexOf(document.activeElement);
    const step = event.shiftKey ? -1 : 1;
    order[(at + step + order.length) % order.length]?.focus();
    event.preventDefault();
  }

  control(name) {
    return this.controls.get(name);
  }

  // What the text boxes and the scroll bar hold, for a handler to read.
  state() {
    const texts = {};
    const values = {};
    for (const [name, element] of this.controls) {
      if (element instanceof HTMLInputElement) texts[name] = element.value;
      else if (element.scrollBar) values[name] = element.scrollBar.value;
    }
    return { texts, values };
  }

  // A change a handler made: a text, a place in twips, or the visibility.
  apply(name, change) {
    const element = this.controls.get(name);
    if ('text' in change) element.value = change.text;
    if ('left' in change) element.style.left = `${twipsToPixels(change.left)}px`;
    if ('top' in change) element.style.top = `${twipsToPixels(change.top)}px`;
    if ('visible' in change) element.hidden = !change.visible;
  }
}
