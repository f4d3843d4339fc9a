// The engine, compiled once: an instance on the page gives the layout at once and runs the
// Load handler, which never waits, so the window takes input before the worker is up; the
// worker, started from the page's own copy of its script, runs the handlers that may wait.
import { EngineHost } from '../worker/imports.js';

export const Handler = { Load: 0, Start: 1, Change: 2, Konec: 3 };

// On the page, figures are drawn as they come, and there is nothing to wait for.
class DrawAtOnce {
  constructor(emit) {
    this.emit = emit;
  }

  add(records) {
    this.emit({ kind: 'figures', records: records.slice(), madeAt: performance.timeOrigin + performance.now() });
  }

  flush() {}
  reset() {}

  waitUntil() {
    throw new Error('a handler that waits runs in the worker');
  }
}

export class Engine {
  constructor(onMessage) {
    this.onMessage = onMessage;
    const script = document.getElementById('worker').textContent;
    const url = URL.createObjectURL(new Blob([script], { type: 'text/javascript' }));
    this.worker = new Worker(url);
    URL.revokeObjectURL(url);
    this.worker.onmessage = ({ data }) => onMessage(data);
    this.worker.onerror = (event) => console.error('engine worker:', event.message);
    // Served with cross-origin isolation, the worker sleeps through its waits on this buffer;
    // elsewhere there is none, and it spins.
    this.isolated = globalThis.crossOriginIsolated === true;
  }

  // Compiles the engine, starts the worker on it, and returns the window's layout.
  async start() {
    const base64 = document.getElementById('engine').textContent.trim();
    const module = await WebAssembly.compileStreaming(fetch(`data:application/wasm;base64,${base64}`));
    const sleeper = this.isolated ? new SharedArrayBuffer(4) : null;
    this.worker.postMessage({ kind: 'init', module, sleeper });
    // The page's instance keeps the engine's '.' for a decimal point: Load writes a whole
    // number, and the locale's look-up, the first use of Intl, costs tens of milliseconds.
    this.here = new EngineHost(this.onMessage, new DrawAtOnce(this.onMessage));
    await this.here.instantiate(module);
    return this.here.layout();
  }

  run(handler, state) {
    if (handler !== Handler.Load) {
      this.worker.postMessage({ kind: 'run', handler, ...state });
      return;
    }
    const started = performance.now();
    if (this.here.run(handler, state))
      this.onMessage({ kind: 'done', handler, worker: { started, ended: performance.now() } });
  }

  stop() {
    this.worker.terminate();
  }
}
