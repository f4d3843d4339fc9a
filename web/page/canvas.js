// The window's drawing: the figure records the engine sends, replayed onto a canvas with as many
// pixels as the screen shows of it: the device pixel ratio times the window's scale and the pinch
// zoom. A zoom, a rotation or a screen of another ratio draws the scene again, crisp, from the
// records the engine keeps for it, rather than stretching the old pixels. The records' layout,
// the pen's rules and the scale come from the engine.
import { cssColour } from './window.js';

const maxPixels = 16e6;
const settle = 100; // ms
// A rehearsal's first records hold every kind there is; more would only take longer.
export const rehearsedRecords = 2000;

export class FigureCanvas {
  // kept(): the records that draw the scene as it stands, from the engine.
  constructor(element, layout, kept) {
    this.element = element;
    this.kept = kept;
    ({ recordSize: this.recordSize, ops: this.op, fields: this.field,
      foreColor: this.foreColorMark } = layout.figures);
    this.penRules = layout.pen;
    this.twipsPerPixel = layout.twipsPerPixel;
    this.width = layout.canvas.width;
    this.height = layout.canvas.height;
    element.style.width = `${this.width}px`;
    element.style.height = `${this.height}px`;
    this.ratio = 0;
    this.pending = null;
    // Ready to draw at once; the page sets the resolution it fits the screen with.
    this.setResolution(devicePixelRatio || 1);
  }

  // Canvas pixels per window pixel. A pinch or a resize changes it many times a second: the scene
  // is drawn again once it has settled, and at once the first time.
  setResolution(ratio) {
    if (!(ratio > 0)) return; // no pixels to draw on
    // No larger than every browser keeps a canvas: Safari's limit is 16.7 million pixels.
    const capped = Math.min(ratio, Math.sqrt(maxPixels / (this.width * this.height)));
    clearTimeout(this.pending);
    if (!this.ratio) {
      this.ratio = capped;
      this.redraw();
      return;
    }
    this.pending = setTimeout(() => {
      this.ratio = capped;
      this.redraw();
    }, settle);
  }

  // Draws the scene again, at the current ratio.
  redraw() {
    this.scale = this.ratio / this.twipsPerPixel;
    this.element.width = Math.round(this.width * this.ratio);
    this.element.height = Math.round(this.height * this.ratio);
    this.context = this.element.getContext('2d');
    this.reset();
    this.replay(this.kept());
  }

  reset() {
    ({ drawWidth: this.drawWidth, drawStyle: this.drawStyle, fillStyle: this.fillStyle,
      fillColor: this.fillColor } = this.penRules);
  }

  // Draws a rehearsal's records, unseen: the canvas is cleared and the scene drawn again as it
  // stands before the page shows a frame. The drawing code is then compiled before a run needs it.
  rehearse(records) {
    this.reset();
    this.replay(records);
    this.context.clearRect(0, 0, this.element.width, this.element.height);
    this.reset();
    this.replay(this.kept());
  }

  // Draws records the engine made.
  draw(records) {
    this.replay(records);
  }

  // Consecutive lines in one pen are stroked as one path, and a line that lands on the same
  // pixels as the one before adds nothing to it. A run's first batch is replayed before the JIT
  // has warmed, so this loop keeps to locals and plain indexing.
  replay(records) {
    const { recordSize, op: Op, foreColorMark } = this;
    const { x1: X1, y1: Y1, x2: X2, y2: Y2, colour: COLOUR, value: VALUE, x: X, y: Y,
      radius: RADIUS } = this.field;
    const foreColor = this.penRules.foreColor;
    let lastX1 = NaN;
    let lastY1 = NaN;
    let lastX2 = NaN;
    let lastY2 = NaN;
    for (let i = 0; i < records.length; i += recordSize) {
      const op = records[i];
      if (op === Op.Line || op === Op.Band) {
        const recorded = records[i + COLOUR];
        const colour = recorded === foreColorMark ? foreColor : recorded;
        if (colour !== this.pathColour) {
          this.beginLines(colour);
          lastX1 = NaN;
        }
        const scale = this.scale;
        const offset = this.offset;
        const x1 = Math.floor(records[i + X1] * scale) + offset;
        const y1 = Math.floor(records[i + Y1] * scale) + offset;
        const x2 = Math.floor(records[i + X2] * scale) + offset;
        const y2 = Math.floor(records[i + Y2] * scale) + offset;
        if (op === Op.Band) {
          this.lines(x1, y1, x2, records[i + Y1], records[i + Y2]);
          lastX1 = NaN;
          continue;
        }
        if (x1 === lastX1 && y1 === lastY1 && x2 === lastX2 && y2 === lastY2) continue;
        lastX1 = x1;
        lastY1 = y1;
        lastX2 = x2;
        lastY2 = y2;
        this.line(x1, y1, x2, y2);
        continue;
      }
      this.stroke();
      const value = records[i + VALUE];
      switch (op) {
        case Op.DrawWidth: this.drawWidth = value; break;
        case Op.DrawStyle: this.drawStyle = value; break;
        case Op.FillStyle: this.fillStyle = value; break;
        case Op.FillColor: this.fillColor = value; break;
        case Op.Circle: this.circle(records[i + X], records[i + Y], records[i + RADIUS]); break;
      }
    }
    this.stroke();
  }

  // The pen as the desktop's: only the narrowest pens draw dotted, wider ones solid with round
  // ends.
  pen(colour) {
    const g = this.context;
    const rules = this.penRules;
    const width = Math.max(this.drawWidth, 1) * this.ratio;
    const isDotted = this.drawStyle === rules.dotted && this.drawWidth <= rules.widestStyled;
    g.lineWidth = width;
    g.strokeStyle = cssColour(colour);
    this.dash = isDotted ? rules.dotLength * width : 0;
    this.dotsAlongAxis = isDotted && width <= 1;
    g.setLineDash([]);
    g.lineCap = isDotted ? 'butt' : 'round';
    g.fillStyle = g.strokeStyle;
    this.halfWidth = isDotted ? 0 : width / 2;
    // Lines of an odd device width are centred on pixel centres, so they fill whole pixels.
    this.offset = Math.round(width) % 2 ? 0.5 : 0;
  }

  // A coordinate in twips on the device's pixels, as the current pen places it.
  at(twips) {
    return Math.floor(twips * this.scale) + this.offset;
  }

  beginLines(colour) {
    this.stroke();
    this.pen(colour);
    this.pathColour = colour;
    this.bands = [];
    this.context.beginPath();
  }

  // Lines across from p1 to p2, one on every twip from y1 to y2 (twips): with a solid pen they
  // cover one band; a dotted pen draws each row of pixels they fall on.
  lines(p1, q1, p2, y1, y2) {
    if (this.halfWidth) {
      this.band(p1, q1, p2, this.at(y2));
      return;
    }
    let last = NaN;
    for (let y = y1; y <= y2; ++y) {
      const q = this.at(y);
      if (q !== last) this.line(p1, q, p2, q);
      last = q;
    }
  }

  // A line in device pixels, in the current path's pen.
  line(p1, q1, p2, q2) {
    if (this.halfWidth && q1 === q2) {
      this.band(p1, q1, p2);
      return;
    }
    this.context.moveTo(p1, q1);
    this.context.lineTo(p2, q2);
    if (this.dash) this.dashed(p1, q1, p2, q2);
  }

  // A one-pixel dotted line is laid out by the desktop along its longer axis, pixel by pixel, so
  // a slanting line's dots stand further apart than their length along it; wider pens are
  // dashed along the line. Each dotted line keeps its own dash.
  dashed(p1, q1, p2, q2) {
    const g = this.context;
    const longer = Math.max(Math.abs(p2 - p1), Math.abs(q2 - q1), 1);
    const along = this.dotsAlongAxis ? Math.hypot(p2 - p1, q2 - q1) / longer : 1;
    g.setLineDash([this.dash * along, this.dash * along]);
    g.stroke();
    g.beginPath();
  }

  // Solid horizontal lines of one length that overlap one another, as the wipe's 10000 are,
  // cover one band: filled once, rather than stroked line by line.
  band(x1, y1, x2, y2 = y1) {
    const left = Math.min(x1, x2);
    const right = Math.max(x1, x2);
    const b = this.bands[this.bands.length - 1];
    if (b && b.left === left && b.right === right &&
        y1 <= b.bottom + 2 * this.halfWidth && y2 >= b.top - 2 * this.halfWidth) {
      b.top = Math.min(b.top, y1);
      b.bottom = Math.max(b.bottom, y2);
    } else {
      this.bands.push({ left, right, top: y1, bottom: y2 });
    }
  }

  // Strokes the lines gathered so far, and fills their bands with the round ends.
  stroke() {
    if (this.pathColour === undefined) return;
    const g = this.context;
    g.stroke();
    if (this.bands.length) {
      const r = this.halfWidth;
      const shape = new Path2D();
      for (const { left, right, top, bottom } of this.bands) {
        shape.rect(left, top - r, right - left, bottom - top + 2 * r);
        for (const x of [left, right]) {
          shape.rect(x - r, top, 2 * r, bottom - top);
          for (const y of [top, bottom]) {
            shape.moveTo(x + r, y);
            shape.arc(x, y, r, 0, 2 * Math.PI);
          }
        }
      }
      g.fill(shape);
      this.bands = [];
    }
    this.pathColour = undefined;
  }

  circle(x, y, radius) {
    const g = this.context;
    const rules = this.penRules;
    this.pen(rules.foreColor);
    g.beginPath();
    const width = Math.max(this.drawWidth, 1);
    if (this.drawStyle === rules.solid && width / 2 >= radius / this.twipsPerPixel) {
      // A pen this wide covers the whole circle: one disc in the pen's colour.
      g.arc(this.at(x), this.at(y), (radius / this.twipsPerPixel + width / 2) * this.ratio, 0,
        2 * Math.PI);
      g.fill();
      return;
    }
    g.arc(this.at(x), this.at(y), radius * this.scale, 0, 2 * Math.PI);
    if (this.fillStyle === rules.solidFill) {
      g.fillStyle = cssColour(this.fillColor);
      g.fill();
    }
    g.stroke();
  }
}
