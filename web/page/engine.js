// The engine: the C++ handlers as WebAssembly, on the page's own thread as on the desktop's UI
// thread. A handler that waits suspends there (the module is built with binaryen's asyncify):
// the wait_until import unwinds its stack, the page's event loop runs on, and the pacer's timer
// rewinds it where it stopped. The figures made meanwhile go to the host in one batch whenever
// the page is about to be free to show them, or before a control changes or words are said.
import { Pacer } from './pacer.js';

const utf8 = new TextDecoder();
const encoder = new TextEncoder();

export class Engine {
  // The host: figures(records), control(name, change), unload(), sceneCovers(), announce(words)
  // and describeScene(words).
  constructor(host) {
    this.host = host;
    this.pacer = null;
    this.exports = null;
    this.sleep = null;
    this.area = 0;
    this.resuming = false;
    this.decimalPoint = null;
    this.pending = [];
    // Since when figures have waited for the page to be free to show them, and the longest
    // wait of all and of the last run; for the benchmark.
    this.drawnSince = null;
    this.worstDelay = 0;
    this.runWorstDelay = 0;
  }

  // Unpacks, compiles and starts the module kept in the page, gzipped.
  async load() {
    const base64 = document.getElementById('engine').textContent.trim();
    const packed = await fetch(`data:application/gzip;base64,${base64}`);
    const module = new Response(packed.body.pipeThrough(new DecompressionStream('gzip')), {
      headers: { 'Content-Type': 'application/wasm' },
    });
    const { instance } = await WebAssembly.instantiateStreaming(module, this.imports());
    this.exports = instance.exports;
    this.exports._initialize();
    this.held = new HeldInput(this.exports);
  }

  memory() {
    return this.exports.memory.buffer;
  }

  text(pointer, length) {
    return utf8.decode(new Uint8Array(this.memory(), pointer, length));
  }

  // Writes a text where the engine asks for it.
  input(value) {
    const bytes = encoder.encode(value);
    const pointer = this.exports.input_buffer(bytes.length);
    new Uint8Array(this.memory(), pointer, bytes.length).set(bytes);
    return bytes.length;
  }

  // The window's language, by its code: false where there is none of it, and it stays Czech.
  setLanguage(code) {
    this.input(code);
    return this.exports.set_language() !== 0;
  }

  // The engine's memory is looked at only after a call into it: a call may grow it, and a view
  // made before would stand on the buffer it leaves behind.
  layout() {
    const pointer = this.exports.layout_json();
    const bytes = new Uint8Array(this.memory(), pointer);
    const layout = JSON.parse(utf8.decode(bytes.subarray(0, bytes.indexOf(0))));
    this.pacer ??= new Pacer(layout.pace);
    this.recordSize = layout.figures.recordSize;
    return layout;
  }

  // The teacher's picture of the scene as it stands, as SVG text.
  pictureSvg() {
    const pointer = this.exports.picture_svg();
    return this.text(pointer, this.exports.picture_size());
  }

  // A PNG the page has drawn of the picture, with what the picture says of itself put in.
  picturePng(png) {
    const length = png.byteLength;
    const into = this.exports.input_buffer(length);
    new Uint8Array(this.memory(), into, length).set(new Uint8Array(png));
    const pointer = this.exports.picture_png();
    return new Uint8Array(this.memory(), pointer, this.exports.picture_size()).slice();
  }

  // The records that draw the scene as it stands, from the state they start in.
  kept() {
    const x = this.exports;
    const pointer = x.kept_figures();
    const count = x.kept_figure_count() * this.recordSize;
    return new Float32Array(this.memory(), pointer, count).slice();
  }

  // The locale's decimal point, as the desktop takes it from the system. The first use of Intl
  // costs tens of milliseconds, so the page asks for it once it is idle.
  useLocale() {
    if (this.decimalPoint !== null) return;
    const parts = new Intl.NumberFormat().formatToParts(1.5);
    this.decimalPoint = parts.find((part) => part.type === 'decimal')?.value ?? '.';
    this.input(this.decimalPoint);
    this.exports.set_decimal_point();
  }

  // A run of Start that shows nothing, made once while nothing runs: see the module's
  // rehearse. Its first records, at most the number asked for, are for the page to rehearse its
  // drawing with.
  rehearse(most) {
    const x = this.exports;
    try {
      const pointer = x.rehearse();
      const count = Math.min(x.rehearsal_count(), most);
      return new Float32Array(this.memory(), pointer, count * this.recordSize).slice();
    } finally {
      // Whatever happened to it, nothing of it is kept.
      x.rehearsal_done();
    }
  }

  // Runs a handler on what the controls hold, and resolves when it has returned: to null, or
  // to the run-time error that ended it.
  async run(handler, { texts, values }, { numbers = true } = {}) {
    const x = this.exports;
    if (numbers) this.useLocale();
    for (const [name, value] of Object.entries(texts)) {
      this.input(name + value);
      x.set_control_text(encoder.encode(name).length);
    }
    for (const [name, value] of Object.entries(values)) {
      this.input(name);
      x.set_control_value(value);
    }
    this.error = null;
    this.runWorstDelay = 0;
    this.pacer.start();
    try {
      x.run_handler(handler);
      while (this.sleep) {
        x.asyncify_stop_unwind();
        this.yielded();
        await this.sleep;
        this.sleep = null;
        this.resuming = true;
        x.asyncify_start_rewind(this.area);
        x.run_handler(handler);
      }
    } catch (trap) {
      // A run-time error traps after reporting itself; any other trap is the engine's own
      // fault, which the engine names as its internal error.
      if (!(trap instanceof WebAssembly.RuntimeError)) throw trap;
      this.sleep = null;
      if (!this.error) x.report_internal_error();
    }
    this.yielded();
    return this.error;
  }

  // Hands the figures made so far to the host, in one array of its own.
  draw() {
    if (!this.pending.length) return;
    let records = this.pending[0];
    if (this.pending.length > 1) {
      records = new Float32Array(this.pending.reduce((n, batch) => n + batch.length, 0));
      let at = 0;
      for (const batch of this.pending) {
        records.set(batch, at);
        at += batch.length;
      }
    }
    this.pending = [];
    this.host.figures(records);
  }

  // The page is about to be free again: what was made is drawn for it to show.
  yielded() {
    this.draw();
    if (this.drawnSince === null) return;
    const delay = performance.now() - this.drawnSince;
    this.worstDelay = Math.max(this.worstDelay, delay);
    this.runWorstDelay = Math.max(this.runWorstDelay, delay);
    this.drawnSince = null;
  }

  waitUntil(deadline) {
    const x = this.exports;
    if (this.resuming) {
      this.resuming = false;
      x.asyncify_stop_rewind();
      return;
    }
    this.sleep = this.pacer.wait(deadline / 1e6);
    if (!this.sleep) return;
    // The stack goes into the area as it unwinds, and comes back from where it stopped.
    this.area = x.suspend_area();
    x.asyncify_start_unwind(this.area);
  }

  control(name, nameLength, change) {
    this.draw();
    this.host.control(this.text(name, nameLength), change);
  }

  // What a run shows and says beyond its drawing, after what it drew before.
  told(action, ...args) {
    this.draw();
    this.host[action](...args);
  }

  imports() {
    return {
      halmira: {
        figures: (pointer, count) => {
          // Made since the handler last resumed, at the latest.
          this.drawnSince ??= this.pacer.since;
          this.pending.push(new Float32Array(this.memory(), pointer, count).slice());
        },
        set_text: (name, nameLength, value, length) =>
          this.control(name, nameLength, { text: this.text(value, length) }),
        set_left: (name, nameLength, pixels) => this.control(name, nameLength, { left: pixels }),
        set_top: (name, nameLength, pixels) => this.control(name, nameLength, { top: pixels }),
        set_visible: (name, nameLength, visible) =>
          this.control(name, nameLength, { visible: visible !== 0 }),
        unload: () => this.host.unload(),
        wait_until: (deadline) => this.waitUntil(deadline),
        runtime_error: (code, report, length) => {
          this.error = { code, report: this.text(report, length) };
        },
        scene_covers: () => this.told('sceneCovers'),
        announce: (words, length) => this.told('announce', this.text(words, length)),
        describe_scene: (words, length) => this.told('describeScene', this.text(words, length)),
      },
      // The C library's few system calls: the clock the pace is kept on, and a diagnostic
      // stream nothing should write to.
      wasi_snapshot_preview1: {
        clock_time_get: (id, precision, result) => {
          const nanoseconds = BigInt(Math.round(performance.now() * 1e6));
          new DataView(this.memory()).setBigUint64(result, nanoseconds, true);
          return 0;
        },
        fd_write: (fd, iovs, count, written) => {
          const view = new DataView(this.memory());
          let total = 0;
          for (let i = 0; i < count; ++i) {
            const length = view.getUint32(iovs + 8 * i + 4, true);
            console.error(this.text(view.getUint32(iovs + 8 * i, true), length));
            total += length;
          }
          view.setUint32(written, total, true);
          return 0;
        },
        fd_close: () => 0,
        fd_seek: () => 0,
      },
    };
  }
}

// The engine's held-input queue, which keeps the order and the rules: the page keeps what each
// ticket stands for, a held event or a handler asked for.
class HeldInput {
  constructor(exports) {
    this.x = exports;
    this.items = new Map();
    this.tickets = 0;
  }

  get busy() {
    return this.x.input_busy() !== 0;
  }

  // Input given now waits: a handler runs, or held input has still to come.
  get holding() {
    return this.x.input_holding() !== 0;
  }

  get mayRun() {
    return this.x.input_may_run() !== 0;
  }

  begin() {
    this.x.input_begin();
  }

  end() {
    this.x.input_end();
  }

  defer(item) {
    const ticket = ++this.tickets;
    this.items.set(ticket, item);
    this.x.input_defer(ticket);
  }

  // The next item to deliver now, or null while a handler runs.
  next() {
    const ticket = this.x.input_next();
    if (ticket < 0) return null;
    const item = this.items.get(ticket);
    this.items.delete(ticket);
    return item;
  }

  discard() {
    this.x.input_discard();
    this.items.clear();
  }
}
