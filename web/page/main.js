// Halmira in the browser: the window built from the engine's layout, its controls wired to the
// engine's handlers, which run one at a time behind the input gate.
import { FigureCanvas } from './canvas.js';
import { Engine } from './engine.js';
import { Fit } from './fit.js';
import { offerFullScreen } from './fullscreen.js';
import { Gate } from './gate.js';
import { Speech } from './speech.js';
import { HalmiraWindow } from './window.js';

const root = document.getElementById('halmira');
const pictures = JSON.parse(document.getElementById('pictures').textContent);
const gate = new Gate(root);

// What the benchmark and the tests read: when the window was ready, each run's handler and
// times, and the worst delay from a figure made to the page being free to show it.
const stats = {
  ready: null, runs: [], worstDelay: 0, ended: false, timeRedraw,
  // The figures the canvas keeps to draw the scene again.
  get keptRecords() {
    return canvas.batches.reduce((n, batch) => n + batch.length, 0) / canvas.recordSize;
  },
  // Nothing is running and nothing held is left to deliver.
  get idle() {
    return !gate.busy && gate.queue.length === 0;
  },
};
window.halmiraStats = stats;

let window_ = null;
let canvas = null;
let speech = null;
let handlers = null;
let unloading = false;
let current = null;

const engine = new Engine({
  figures(records) {
    canvas.draw(records);
    current.records += records.length / canvas.recordSize;
  },
  control(name, change) {
    window_.apply(name, change);
  },
  unload() {
    unloading = true;
  },
});
engine.load().then(open);

function open() {
  const layout = engine.layout();
  handlers = layout.handlers;
  window_ = new HalmiraWindow(root, layout, pictures, () => gate.holding);
  canvas = new FigureCanvas(window_.canvas, layout);
  // Fitted as the first frame is made, before it is painted: reading the screen's size makes
  // the page lay itself out, which the frame does anyway.
  const fit = new Fit(root, layout, (ratio) => canvas.setResolution(ratio));
  requestAnimationFrame(() => fit.fit());
  speech = new Speech(root, window_.canvas, layout);
  offerFullScreen(document.getElementById('fullscreen'));
  // The scene offers no menu to save or copy the picture beneath it.
  root.addEventListener('contextmenu', (event) => {
    if (!(event.target instanceof HTMLInputElement)) event.preventDefault();
  });
  window_.control('comStart').addEventListener('click', () => run('Start'));
  window_.control('comKonec').addEventListener('click', () => run('Konec'));
  window_.control('HScroll1').addEventListener('change', () => run('Change'));
  run('Load');
  stats.ready = performance.now();
  window_.control('comStart').focus({ preventScroll: true });
  // The locale's decimal point, looked up while nothing else is asked of the page.
  setTimeout(() => engine.useLocale());
}

// How long drawing the kept figures again takes, as a zoom does; for the benchmark.
function timeRedraw() {
  const start = performance.now();
  canvas.redraw();
  return performance.now() - start;
}

// Runs a handler after any that is running, with what the controls hold at that moment.
function run(name) {
  gate.run(async () => {
    gate.begin();
    current = { handler: name, started: performance.now(), records: 0 };
    stats.runs.push(current);
    if (name === 'Start') speech.started();
    const error = await engine.run(handlers[name], window_.state(), { numbers: name !== 'Load' });
    current.ended = performance.now();
    if (name === 'Start' && !error) speech.finished();
    stats.worstDelay = engine.worstDelay;
    if (error) return report(error);
    if (unloading) return end();
    gate.end();
  });
}

// The run-time error report: a modal box naming the error, then the end of the program. Enter
// closes it wherever the focus went within it, as the box's default button.
function report({ code, name }) {
  gate.close();
  const box = document.getElementById('errorReport');
  document.getElementById('errorText').textContent = `Chyba za běhu ${code}:\n\n${name}`;
  box.addEventListener('close', end, { once: true });
  box.addEventListener('keydown', (event) => {
    if (event.key !== 'Enter' || event.repeat) return;
    event.preventDefault();
    box.close();
  });
  box.showModal();
}

// The program ends as a closed window would: its window leaves the page, and nothing runs on.
function end() {
  gate.close();
  root.replaceChildren();
  root.hidden = true;
  stats.ended = true;
  document.getElementById('ended').hidden = false;
}

document.getElementById('reopen').addEventListener('click', () => location.reload());
