// What a screen reader hears of the window, in the engine's Czech words: the drawing's name,
// and what it shows once a run has drawn it; that a run has started and has finished, through a
// polite live region; the window busy meanwhile. What a run paints over, the windowless
// controls, is no longer read out.
export class Speech {
  constructor(root, canvas, layout) {
    this.root = root;
    this.words = layout.speech;
    this.status = document.getElementById('status');
    this.covered = layout.controls.filter((row) => row.kind === 'image' || row.kind === 'label')
      .map((row) => document.getElementById(row.name));
    canvas.setAttribute('role', 'img');
    canvas.setAttribute('aria-label', this.words.sceneName);
    this.description = document.createElement('span');
    this.description.id = 'sceneDescription';
    this.description.className = 'unseen';
    document.body.append(this.description);
    this.canvas = canvas;
  }

  started() {
    this.root.setAttribute('aria-busy', 'true');
    for (const element of this.covered) element.setAttribute('aria-hidden', 'true');
    this.say(this.words.runStarted);
  }

  finished() {
    this.root.removeAttribute('aria-busy');
    this.description.textContent = this.words.sceneDescription;
    this.canvas.setAttribute('aria-describedby', this.description.id);
    this.say(`${this.words.runFinished} ${this.words.sceneDescription}`);
  }

  say(text) {
    this.status.textContent = text;
  }
}
