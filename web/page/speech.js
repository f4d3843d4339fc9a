// What a screen reader hears of the window, in the engine's words: the drawing's name, and what
// it shows once a run has drawn it; what a run announces, through a polite live region; the
// window busy meanwhile. What a run paints over, the windowless controls, is no longer read out,
// and the drawing is not read while there is nothing on it.
//
// Each announcement is a line of its own in the live region, added in a frame of its own, so
// that runs one after another are each heard, their start and their end. A screen reader takes
// the words as the line comes; the line goes soon after, so that reading the page does not find
// the description again beside the drawing's own.
const keptFor = 3000; // ms

export class Speech {
  constructor(root, canvas, windowless, words) {
    this.root = root;
    this.canvas = canvas;
    this.windowless = windowless;
    this.status = document.getElementById('status');
    this.queue = [];
    this.sending = false;
    canvas.setAttribute('role', 'img');
    canvas.setAttribute('aria-label', words.SceneName);
    canvas.setAttribute('aria-hidden', 'true');
    // Read as the drawing's description only: hidden, it is no text of the page's own.
    this.description = document.createElement('span');
    this.description.id = 'sceneDescription';
    this.description.hidden = true;
    document.body.append(this.description);
  }

  busy(running) {
    if (running) this.root.setAttribute('aria-busy', 'true');
    else this.root.removeAttribute('aria-busy');
  }

  sceneCovers() {
    for (const element of this.windowless) element.setAttribute('aria-hidden', 'true');
    this.canvas.removeAttribute('aria-hidden');
  }

  describeScene(words) {
    this.description.textContent = words;
    this.canvas.setAttribute('aria-describedby', this.description.id);
  }

  announce(words) {
    this.queue.push(words);
    if (!this.sending) this.send();
  }

  // One line a frame; a hidden tab, which draws no frames, sends them on a timer.
  send() {
    const words = this.queue.shift();
    if (words === undefined) {
      this.sending = false;
      return;
    }
    this.sending = true;
    const line = document.createElement('p');
    line.textContent = words;
    this.status.append(line);
    setTimeout(() => line.remove(), keptFor);
    const next = () => this.send();
    if (document.hidden) setTimeout(next, 50);
    else requestAnimationFrame(() => requestAnimationFrame(next));
  }
}
