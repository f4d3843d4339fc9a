// The engine's host, in a Web Worker: the handlers block for seconds, which only a worker may.
// It hands the figures on to the page at most a frame apart, keeps the pace waits, and reports
// a run-time error. Messages in: init, run. Messages out: ready, figures, control, unload,
// error, done.
import { Pacer } from './pacer.js';

const utf8 = new TextDecoder();
const encoder = new TextEncoder();
let engine = null;
let pacer = null;

function memory() {
  return engine.exports.memory.buffer;
}

function text(pointer, length) {
  return utf8.decode(new Uint8Array(memory(), pointer, length));
}

// Writes a text where the engine asked for it; returns its length in bytes.
function input(value) {
  const bytes = encoder.encode(value);
  const pointer = engine.exports.input_buffer(bytes.length);
  new Uint8Array(memory(), pointer, bytes.length).set(bytes);
  return bytes.length;
}

function control(name, change) {
  pacer.flush();
  postMessage({ kind: 'control', name, ...change });
}

const imports = {
  halmira: {
    figures: (pointer, count) => pacer.add(new Float32Array(memory(), pointer, count)),
    set_text: (name, nameLength, value, length) =>
      control(text(name, nameLength), { text: text(value, length) }),
    set_left: (name, nameLength, twips) => control(text(name, nameLength), { left: twips }),
    set_top: (name, nameLength, twips) => control(text(name, nameLength), { top: twips }),
    set_visible: (name, nameLength, visible) =>
      control(text(name, nameLength), { visible: visible !== 0 }),
    unload: () => {
      pacer.flush();
      postMessage({ kind: 'unload' });
    },
    wait_until: (deadline) => pacer.waitUntil(deadline / 1e6),
    runtime_error: (code, name, length) => {
      pacer.flush();
      postMessage({ kind: 'error', code, name: text(name, length) });
    },
  },
  // The C library's few system calls: the clock the pace is kept on, and a diagnostic
  // stream nothing should write to.
  wasi_snapshot_preview1: {
    clock_time_get: (id, precision, result) => {
      const nanoseconds = BigInt(Math.round(performance.now() * 1e6));
      new DataView(memory()).setBigUint64(result, nanoseconds, true);
      return 0;
    },
    fd_write: (fd, iovs, count, written) => {
      const view = new DataView(memory());
      let total = 0;
      for (let i = 0; i < count; ++i) {
        const pointer = view.getUint32(iovs + 8 * i, true);
        const length = view.getUint32(iovs + 8 * i + 4, true);
        console.error(text(pointer, length));
        total += length;
      }
      view.setUint32(written, total, true);
      return 0;
    },
    fd_close: () => 0,
    fd_seek: () => 0,
  },
};

async function init({ module, decimalPoint, sleeper }) {
  pacer = new Pacer(sleeper, (records, madeAt) =>
    postMessage({ kind: 'figures', records, madeAt }, [records.buffer]));
  engine = await WebAssembly.instantiate(module, imports);
  engine.exports._initialize();
  input(decimalPoint);
  engine.exports.set_decimal_point();
  const layout = engine.exports.layout_json();
  const bytes = new Uint8Array(memory(), layout);
  postMessage({ kind: 'ready', layout: utf8.decode(bytes.subarray(0, bytes.indexOf(0))) });
}

// The page hands in what its controls hold, since the handler may read them.
function run({ handler, texts, values }) {
  for (const [name, value] of Object.entries(texts)) {
    input(name + value);
    engine.exports.set_control_text(encoder.encode(name).length);
  }
  for (const [name, value] of Object.entries(values)) {
    input(name);
    engine.exports.set_control_value(value);
  }
  pacer.reset();
  const started = performance.now();
  try {
    engine.exports.run_handler(handler);
  } catch (trap) {
    // A run-time error traps after reporting itself; anything else is the engine's fault.
    if (!(trap instanceof WebAssembly.RuntimeError)) throw trap;
    pacer.flush();
    postMessage({ kind: 'trap', message: String(trap) });
    return;
  }
  pacer.flush();
  postMessage({ kind: 'done', handler, worker: { started, ended: performance.now() } });
}

onmessage = ({ data }) => {
  if (data.kind === 'init') init(data);
  else if (data.kind === 'run') run(data);
};
