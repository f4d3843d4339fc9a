// The window built from the engine's layout table: each control an element whose id is its
// name, placed in pixels as the engine gives them, in tab order, with the canvas above the
// windowless controls and below the windowed ones. Its words come from the engine too.
import { keyName, modified } from './keys.js';
import { ScrollBar } from './scrollbar.js';

// A colour as &H00BBGGRR, the way the engine's figures and the layout carry it.
export function cssColour(colour) {
  return `rgb(${colour & 0xff}, ${(colour >> 8) & 0xff}, ${(colour >> 16) & 0xff})`;
}

// The design font, then the faces with its metrics, then any sans-serif face.
export function fontFamilies({ family, substitutes }) {
  return [family, ...substitutes].map((name) => `"${name}"`).join(', ') + ', sans-serif';
}

function font(layout, { pixels, bold = false }) {
  return `${bold ? 700 : 400} ${pixels}px ${fontFamilies(layout.font)}`;
}

// A button is clicked by the keys the engine's rules name: Enter as it is pressed, once however
// long it is held, Space as it is released after a press on this button. The page clicks it
// itself, for a key the browser gives and a key given back after a run alike; the browser's own
// click would come twice in one engine and not at all in another.
function clickByKeys(button, keys) {
  let pressed = false;
  button.addEventListener('keydown', (event) => {
    const on = keys[keyName(event)];
    if (!on || modified(event)) return;
    event.preventDefault();
    if (on === 'press' && !event.repeat) button.click();
    if (on === 'release') pressed = true;
  });
  button.addEventListener('keyup', (event) => {
    if (keys[keyName(event)] !== 'release') return;
    event.preventDefault();
    if (pressed) button.click();
    pressed = false;
  });
  button.addEventListener('blur', () => { pressed = false; });
}

function makeElement(row, layout, pictures, holding) {
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
      clickByKeys(button, layout.keys.button);
      return button;
    }
    case 'scrollBar':
      return new ScrollBar(layout, holding).element;
    case 'image': {
      const image = document.createElement('img');
      image.src = pictures[row.picture] ?? '';
      image.alt = row.spokenName;
      image.draggable = false;
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
      label.textContent = row.text;
      label.style.background = cssColour(layout.backColor);
      return label;
    }
  }
  throw new Error(`no such kind of control: ${row.kind}`);
}

export class HalmiraWindow {
  // holding: whether input is held back, so that the controls move on their own no more.
  constructor(root, layout, pictures, holding) {
    this.root = root;
    this.controls = new Map();
    document.title = layout.caption;
    root.setAttribute('aria-label', layout.words.ProgramName);
    root.style.width = `${layout.width}px`;
    root.style.height = `${layout.height}px`;
    root.style.background = cssColour(layout.backColor);
    root.style.font = font(layout, layout.font);

    // A press on what takes no focus leaves the focus where it was, as in a window of its own.
    root.addEventListener('mousedown', (event) => {
      if (!event.target.closest('input, button, [tabindex]')) event.preventDefault();
    });
    this.canvas = document.createElement('canvas');
    root.append(this.canvas);
    // The engine lists the controls in tab order, which is the document's order.
    for (const row of layout.controls) {
      const element = makeElement(row, layout, pictures, holding);
      element.id = row.name;
      element.classList.toggle('windowless', row.windowless);
      element.style.left = `${row.left}px`;
      element.style.top = `${row.top}px`;
      element.style.width = `${row.width}px`;
      element.style.height = `${row.height}px`;
      if (row.font) element.style.font = font(layout, row.font);
      // A control is named by its text; one with no text of its own, by what it does. A caption
      // that names another control is that control's name, and not read again on its own; any
      // other caption box is named as a caption, so that its text is read once, after its name.
      if (row.captionFor) element.setAttribute('aria-hidden', 'true');
      else if (row.captionBox) element.setAttribute('aria-label', layout.words.CaptionBoxName);
      else if (row.spokenName !== row.text && row.kind !== 'image')
        element.setAttribute('aria-label', row.spokenName);
      element.hidden = !row.shown;
      root.append(element);
      this.controls.set(row.name, element);
    }
    this.windowless = layout.controls.filter((row) => row.windowless)
      .map((row) => this.controls.get(row.name));
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

  // A change a handler made: a text, a place in pixels, or the visibility.
  apply(name, change) {
    const element = this.controls.get(name);
    if ('text' in change) element.value = change.text;
    if ('left' in change) element.style.left = `${change.left}px`;
    if ('top' in change) element.style.top = `${change.top}px`;
    if ('visible' in change) element.hidden = !change.visible;
  }
}
