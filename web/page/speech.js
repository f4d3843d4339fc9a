// What a screen reader hears of the window, in the engine's words: the drawing's name, and what
// it shows once a run has drawn it; what a run announces, through a polite live region; the
// window busy meanwhile. What a run paints over, the windowless controls, is no longer read out.
export class Speech {
  constructor(root, canvas, windowless, words) {
    this.root = root;
    this.canvas = canvas;
    this.windowless = windowless;
    this.status = document.getElementById('status');
    canvas.setAttribute('role', 'img');
    canvas.setAttribute('aria-label', words.SceneName);
    this.description = document.createElement('span');
    this.description.id = 'sceneDescription';
    this.description.className = 'unseen';
    document.body.append(this.description);
  }

  busy(running) {
    if (running) this.root.setAttribute('aria-busy', 'true');
    else this.root.removeAttribute('aria-busy');
  }

  sceneCovers() {
    for (const element of this.windowless) element.setAttribute('aria-hidden', 'true');
  }

  describeScene(words) {
    this.description.textContent = words;
    this.canvas.setAttribute('aria-describedby', this.description.id);
  }

  announce(words) {
    this.status.textContent = words;
  }
}
