// The engine's imports, for whichever thread hosts it. Control changes, unload and errors go
// out as messages through emit; figures and waits go to the pacer, which is the worker's own
// on the worker and draws at once on the page.
const utf8 = new TextDecoder();
const encoder = new TextEncoder();

export class EngineHost {
  constructor(emit, pacer) {
    this.emit = emit;
    this.pacer = pacer;
    this.engine = null;
  }

  async instantiate(module) {
    this.engine = await WebAssembly.instantiate(module, this.imports());
    this.engine.exports._initialize();
    return this.engine.exports;
  }

  memory() {
    return this.engine.exports.memory.buffer;
  }

  text(pointer, length) {
    return utf8.decode(new Uint8Array(this.memory(), pointer, length));
  }

  // Writes a text where the engine asks for it.
  input(value) {
    const bytes = encoder.encode(value);
    const pointer = this.engine.exports.input_buffer(bytes.length);
    new Uint8Array(this.memory(), pointer, bytes.length).set(bytes);
    return bytes.length;
  }

  layout() {
    const bytes = new Uint8Array(this.memory(), this.engine.exports.layout_json());
    return JSON.parse(utf8.decode(bytes.subarray(0, bytes.indexOf(0))));
  }

  setDecimalPoint(point) {
    this.input(point);
    this.engine.exports.set_decimal_point();
  }

  // What the page's controls hold, since the handler may read them; then the handler.
  run(handler, { texts, values }) {
    const exports = this.engine.exports;
    for (const [name, value] of Object.entries(texts)) {
      this.input(name + value);
      exports.set_control_text(encoder.encode(name).length);
    }
    for (const [name, value] of Object.entries(values)) {
      this.input(name);
      exports.set_control_value(value);
    }
    this.pacer.reset();
    this.reported = false;
    try {
      exports.run_handler(handler);
    } catch (trap) {
      // A run-time error traps after reporting itself; any other trap is the engine's own
      // fault, which the engine names as its internal error.
      if (!(trap instanceof WebAssembly.RuntimeError)) throw trap;
      if (!this.reported) exports.report_internal_error();
      this.pacer.flush();
      this.emit({ kind: 'trap', message: String(trap) });
      return false;
    }
    this.pacer.flush();
    return true;
  }

  control(name, nameLength, change) {
    this.pacer.flush();
    this.emit({ kind: 'control', name: this.text(name, nameLength), ...change });
  }

  imports() {
    return {
      halmira: {
        figures: (pointer, count) => this.pacer.add(new Float32Array(this.memory(), pointer, count)),
        set_text: (name, nameLength, value, length) =>
          this.control(name, nameLength, { text: this.text(value, length) }),
        set_left: (name, nameLength, twips) => this.control(name, nameLength, { left: twips }),
        set_top: (name, nameLength, twips) => this.control(name, nameLength, { top: twips }),
        set_visible: (name, nameLength, visible) =>
          this.control(name, nameLength, { visible: visible !== 0 }),
        unload: () => {
          this.pacer.flush();
          this.emit({ kind: 'unload' });
        },
        wait_until: (deadline) => this.pacer.waitUntil(deadline / 1e6),
        runtime_error: (code, name, length) => {
          this.reported = true;
          this.pacer.flush();
          this.emit({ kind: 'error', code, name: this.text(name, length) });
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
