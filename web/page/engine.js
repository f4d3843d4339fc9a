// The engine's worker: started from the page's own copy of its script, handed the compiled
// module, and asked to run one handler at a time.
export const Handler = { Load: 0, Start: 1, Change: 2, Konec: 3 };

function bytesOf(base64) {
  const text = atob(base64.trim());
  const bytes = new Uint8Array(text.length);
  for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
  return bytes;
}

// The locale's decimal point, as the desktop takes it from the system.
function decimalPoint() {
  const parts = new Intl.NumberFormat(navigator.language).formatToParts(1.5);
  return parts.find((part) => part.type === 'decimal')?.value ?? '.';
}

export class Engine {
  constructor(onMessage) {
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

  async start() {
    const module = await WebAssembly.compile(bytesOf(document.getElementById('engine').textContent));
    const sleeper = this.isolated ? new SharedArrayBuffer(4) : null;
    this.worker.postMessage({ kind: 'init', module, decimalPoint: decimalPoint(), sleeper });
  }

  run(handler, { texts, values }) {
    this.worker.postMessage({ kind: 'run', handler, texts, values });
  }

  stop() {
    this.worker.terminate();
  }
}
