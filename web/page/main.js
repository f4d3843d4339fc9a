// Halmira in the browser: the window built from the engine's layout, its controls wired to the
// engine's handlers by the engine's table, which run one at a time behind the input gate. Every
// word on the page comes from the engine.
import { FigureCanvas, rehearsedRecords } from './canvas.js';
import { offerApp, watchInstallOffer } from './app.js';
import { Engine } from './engine.js';
import { Fit } from './fit.js';
import { offerFullScreen } from './fullscreen.js';
import { Gate } from './gate.js';
import { PictureMenu } from './picture.js';
import { askedLanguage, offerLanguages, showNotice } from './languages.js';
import { Speech } from './speech.js';
import { HalmiraWindow, fontFamilies } from './window.js';

const root = document.getElementById('halmira');
const pictures = JSON.parse(document.getElementById('pictures').textContent);
const gate = new Gate(root);
watchInstallOffer();

// What the benchmark and the tests read: when the window was ready, each run's handler, times
// and worst delay from a figure made to the page being free to show it, and the worst of all.
const stats = {
  ready: null, runs: [], worstDelay: 0, ended: false, layout: null, timeRedraw,
  // How long the first run's rehearsal kept the page busy, once it has been made.
  rehearsal: null,
  // The figures the engine keeps to draw the scene again.
  get keptRecords() {
    return engine.kept().length / engine.recordSize;
  },
  // Nothing is running and nothing held is left to deliver.
  get idle() {
    return gate.idle;
  },
};
window.halmiraStats = stats;

let layout = null;
let window_ = null;
let canvas = null;
let speech = null;
let unloading = false;
let current = null;
// The drawing misses figures: drawn in a hidden tab, where nobody watches, or lost to a fault.
// It is drawn again from the engine's records once it can be seen.
let stale = false;

// Whatever the page does for the engine must not stop a handler: a fault in drawing, in a
// control or in speech is logged, and the drawing made again later.
function safely(action) {
  return (...args) => {
    try {
      action(...args);
    } catch (fault) {
      console.error(fault);
      stale = true;
    }
  };
}

const engine = new Engine({
  figures: safely((records) => {
    current.records += records.length / canvas.recordSize;
    if (document.hidden || stale) stale = true;
    else canvas.draw(records);
  }),
  control: safely((name, change) => window_.apply(name, change)),
  unload() {
    unloading = true;
  },
  sceneCovers: safely(() => speech.sceneCovers()),
  announce: safely((words) => speech.announce(words)),
  describeScene: safely((words) => speech.describeScene(words)),
});
engine.load().then(open);

// A tab shown again, or a drawing that failed, is drawn again from what the engine keeps.
function redrawIfStale() {
  if (!stale || document.hidden || !canvas) return;
  stale = false;
  safely(() => canvas.redraw())();
}
document.addEventListener('visibilitychange', redrawIfStale);
function open() {
  const asked = askedLanguage();
  if (asked !== null) engine.setLanguage(asked);
  layout = engine.layout();
  stats.layout = layout;
  useWords(layout);
  gate.attach(engine.held, layout);
  window_ = new HalmiraWindow(root, layout, pictures, () => gate.holding);
  canvas = new FigureCanvas(window_.canvas, layout, () => engine.kept());
  // Fitted as the first frame is made, before it is painted: reading the screen's size makes
  // the page lay itself out, which the frame does anyway.
  const fit = new Fit(root, layout, (ratio) => canvas.setResolution(ratio));
  requestAnimationFrame(() => fit.fit());
  speech = new Speech(root, window_.canvas, window_.windowless, layout.words);
  offerFullScreen(document.getElementById('fullscreen'), layout.words);
  offerLanguages(document.getElementById('language'), layout);
  const notice = document.getElementById('notice');
  showNotice(notice, layout.notice);
  offerApp(document.getElementById('install'), layout, (words) => showNotice(notice, words));
  // A right click or a long press on the drawing opens the picture's menu, not the browser's.
  new PictureMenu({
    button: document.getElementById('picture'), menu: document.getElementById('pictureMenu'),
    engine, layout, gate, root, tell: (words) => speech.announce(words),
  });
  wire(layout.wiring);
  stats.ready = performance.now();
  window_.control(layout.firstFocus).focus({ preventScroll: true });
  // The locale's decimal point, looked up while nothing else is asked of the page; then, if no
  // handler has started meanwhile, the first run's rehearsal.
  setTimeout(() => engine.useLocale());
  if (window.requestIdleCallback) requestIdleCallback(rehearse, { timeout: 500 });
  else setTimeout(rehearse, 50);
}

// The first run after the page opened would compile the engine's code, grow its memory and
// compile the drawing code as it goes, and stutter on a slow device; a run rehearsed unseen does
// all that before it.
function rehearse() {
  if (!gate.idle || unloading) return;
  const start = performance.now();
  safely(() => canvas.rehearse(engine.rehearse(rehearsedRecords)))();
  stats.rehearsal = performance.now() - start;
}

// The page's own words, and its language, from the engine.
function useWords({ language, font, words }) {
  document.documentElement.lang = language;
  document.documentElement.style.setProperty('--fonts', fontFamilies(font));
  document.getElementById('endedText').textContent = words.ProgramEnded;
  document.getElementById('reopen').textContent = words.OpenAgain;
  document.getElementById('errorTitle').textContent = words.ProgramName;
  document.getElementById('errorOk').textContent = words.ErrorBoxOk;
}

// Each control's event runs its handler, as the engine's table has it; the window's own Load
// runs now, before any input.
function wire(wiring) {
  for (const { control, event, handler } of wiring) {
    if (event === 'load') run(handler);
    else window_.control(control).addEventListener(event, () => run(handler));
  }
}

// How long drawing the kept figures again takes, as a zoom does; for the benchmark.
function timeRedraw() {
  const start = performance.now();
  canvas.redraw();
  return performance.now() - start;
}

// Runs a handler after any that is running, with what the controls hold at that moment. It
// ends, and the input held meanwhile goes through, whatever happens to the page meanwhile.
function run(name) {
  gate.run(async () => {
    gate.begin();
    current = { handler: name, started: performance.now(), records: 0 };
    stats.runs.push(current);
    speech.busy(true);
    let error = null;
    try {
      error = await engine.run(layout.handlers[name], window_.state(),
        { numbers: name !== 'Load' });
    } finally {
      current.ended = performance.now();
      speech.busy(false);
      stats.worstDelay = engine.worstDelay;
      current.worstDelay = engine.runWorstDelay;
      redrawIfStale();
      if (error) report(error);
      else if (unloading) end();
      else gate.end();
    }
  });
}

// The run-time error report: a modal box with the engine's sentence, then the end of the
// program. Enter closes it wherever the focus went within it, as the box's default button.
function report({ report }) {
  gate.close();
  const box = document.getElementById('errorReport');
  document.getElementById('errorText').textContent = report;
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
