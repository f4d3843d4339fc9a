// Halmira in the browser: the window built from the engine's layout, its controls wired to
// the engine's handlers, which run in a worker one at a time behind the input gate.
import { FigureCanvas } from './canvas.js';
import { Engine, Handler } from './engine.js';
import { Gate } from './gate.js';
import { HalmiraWindow } from './window.js';

const root = document.getElementById('halmira');
const pictures = JSON.parse(document.getElementById('pictures').textContent);
const gate = new Gate(root);

// What the benchmark and the tests read: when the window was ready, each run's times, and the
// worst delay from a figure made in the worker to its pixels on the canvas.
const stats = { ready: null, runs: [], worstDelay: 0, isolated: false, ended: false };
window.halmiraStats = stats;

let window_ = null;
let canvas = null;
let unloading = false;
let error = null;
let current = null;

const engine = new Engine((message) => {
  switch (message.kind) {
    case 'figures': {
      canvas.draw(message.records);
      const delay = performance.timeOrigin + performance.now() - message.madeAt;
      stats.worstDelay = Math.max(stats.worstDelay, delay);
      current.records += message.records.length / 6;
      break;
    }
    case 'control':
      window_.apply(message.name, message);
      break;
    case 'unload':
      unloading = true;
      break;
    case 'error':
      error = message;
      break;
    case 'trap':
      report(error);
      break;
    case 'done':
      finished(message);
      break;
  }
});
stats.isolated = engine.isolated;
engine.start().then(open);

function open(layout) {
  window_ = new HalmiraWindow(root, layout, pictures);
  canvas = new FigureCanvas(window_.canvas, layout.sceneWidth, layout.sceneHeight);
  window_.control('comStart').addEventListener('click', () => run(Handler.Start));
  window_.control('comKonec').addEventListener('click', () => run(Handler.Konec));
  window_.control('HScroll1').addEventListener('change', () => run(Handler.Change));
  run(Handler.Load);
}

// Runs a handler after any that is running, with what the controls hold at that moment.
function run(handler) {
  gate.run(() => {
    gate.begin();
    current = { handler, started: performance.now(), records: 0 };
    stats.runs.push(current);
    engine.run(handler, window_.state());
  });
}

function finished({ handler, worker }) {
  current.ended = performance.now();
  current.worker = worker;
  if (handler === Handler.Load) {
    stats.ready = performance.now();
    window_.control('comStart').focus();
  }
  if (unloading) return end();
  gate.end();
}

// The run-time error report: a modal box naming the error, then the end of the program.
function report({ code, name }) {
  const box = document.getElementById('errorReport');
  document.getElementById('errorText').textContent = `Chyba za běhu ${code}:\n\n${name}`;
  box.addEventListener('close', end, { once: true });
  box.showModal();
}

// The program ends as a closed window would: its window leaves the page, and nothing runs on.
function end() {
  gate.discard();
  engine.stop();
  root.replaceChildren();
  root.hidden = true;
  stats.ended = true;
  document.getElementById('ended').hidden = false;
}

document.getElementById('reopen').addEventListener('click', () => location.reload());
