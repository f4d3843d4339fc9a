// The engine: the C++ handlers as WebAssembly, on the page's own thread as on the desktop's UI
// thread. A handler that waits suspends there (the module is built with binaryen's asyncify):
// the wait_until import unwinds its stack, the page's event loop runs on, and the pacer's timer
// rewinds it where it stopped. The figures made meanwhile go to the host in one batch whenever
// the page is about to be free to show them, or before a control changes.
import { Pacer } from './pacer.js';

const utf8 = new TextDecoder();
const encoder = new TextEncoder();

export class Engine {
  // The host: figures(records), control(name, change) and unload().
  constructor(host) {
    this.host = host;
    this.pacer = new Pacer();
    this.exports = null;
    this.sleep = null;
    this.area = 0;
    this.resuming = false;
    this.decimalPoint = null;
    this.pending = [];
    // Since when figures have waited for the page to be free to show them; for the benchmark.
    this.drawnSince = null;
    this.worstDelay = 0;
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

  layout() {
    const bytes = new Uint8Array(this.memory(), this.exports.layout_json());
    return JSON.parse(utf8.decode(bytes.subarray(0, bytes.indexOf(0))));
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
    this.worstDelay = Math.max(this.worstDelay, performance.now() - this.drawnSince);
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
        runtime_error: (code, name, length) => {
          this.error = { code, name: this.text(name, length) };
        },
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
