// The engine's worker: the handlers block for seconds, which only a worker may. It hands the
// figures on to the page at most a frame apart and keeps the pace waits. Messages in: init,
// run. Messages out: figures, control, unload, error, trap, done.
import { EngineHost } from './imports.js';
import { Pacer } from './pacer.js';

let host = null;
let ready = null;

// The locale's decimal point, as the desktop takes it from the system.
function decimalPoint() {
  const parts = new Intl.NumberFormat().formatToParts(1.5);
  return parts.find((part) => part.type === 'decimal')?.value ?? '.';
}

async function init({ module, sleeper }) {
  const pacer = new Pacer(sleeper, (records, madeAt) =>
    postMessage({ kind: 'figures', records, madeAt }, [records.buffer]));
  host = new EngineHost((message) => postMessage(message), pacer);
  await host.instantiate(module);
  host.setDecimalPoint(decimalPoint());
}

function run({ handler, texts, values }) {
  const started = performance.now();
  if (host.run(handler, { texts, values }))
    postMessage({ kind: 'done', handler, worker: { started, ended: performance.now() } });
}

// A handler asked for while the module is still being instantiated runs once it is.
onmessage = ({ data }) => {
  if (data.kind === 'init') ready = init(data);
  else if (data.kind === 'run') ready.then(() => run(data));
};
