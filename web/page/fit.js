// Scales the whole window to the screen, keeping its aspect: the largest size that fits the
// visual viewport, less a small margin, down on phones and up on projectors. The window keeps
// its own size and coordinates inside (one transform on it), so the layout table, the controls
// and the scroll bar's pointer maths stay as on the desktop. ?scale=1 pins it at its own size.
// A phone held upright shows the engine's hint to turn it, above the window.
const margin = 8;

export class Fit {
  // The window's own size in pixels; onResolution(ratio): the canvas's pixels per window pixel
  // changed, as after a zoom. Nothing here asks the page for a layout it has not made yet.
  constructor(root, { width, height, uprightPhoneWidth, words }, onResolution) {
    this.root = root;
    this.width = width;
    this.height = height;
    this.onResolution = onResolution;
    this.pinned = new URLSearchParams(location.search).get('scale') === '1';
    this.scale = 1;
    this.resolution = 0;
    this.hint = document.getElementById('turn');
    this.hint.textContent = words.TurnDevice;
    this.upright = matchMedia(
      `(orientation: portrait) and (max-width: ${uprightPhoneWidth - 1}px)`);
    const showHint = () => document.body.classList.toggle('upright', this.upright.matches);
    this.upright.addEventListener('change', showHint);
    showHint();
    document.body.classList.toggle('pinned', this.pinned);
    const refit = () => this.fit();
    addEventListener('resize', refit);
    visualViewport?.addEventListener('resize', refit);
    document.addEventListener('fullscreenchange', refit);
    this.watchRatio();
  }

  // A move to a screen of another ratio fires no resize, but ends this query's match.
  watchRatio() {
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', () => {
      this.fit();
      this.watchRatio();
    }, { once: true });
  }

  fit() {
    const { root, width, height } = this;
    const viewport = globalThis.visualViewport;
    // The pinch zoom magnifies the page; the window fits the screen as if unzoomed.
    const zoom = viewport?.scale ?? 1;
    if (!this.pinned) {
      const screenWidth = viewport ? viewport.width * zoom : innerWidth;
      const screenHeight = viewport ? viewport.height * zoom : innerHeight;
      // The hint to turn the device stands above the window when it shows.
      const above = this.upright.matches ? this.hint.offsetHeight : 0;
      const scale = Math.min((screenWidth - 2 * margin) / width,
        (screenHeight - above - 2 * margin) / height);
      // A frame collapsed to nothing, or a screen smaller than the margins, has no room: the
      // window keeps its last scale until there is room again, and nothing is drawn anew.
      if (!(scale > 0)) return;
      this.scale = scale;
      // On whole device pixels, so that the window's edges and the canvas stay sharp.
      const snap = (x) => Math.round(x * devicePixelRatio) / devicePixelRatio;
      root.style.left = `${snap((screenWidth - width * this.scale) / 2)}px`;
      root.style.top = `${snap(above + (screenHeight - above - height * this.scale) / 2)}px`;
      root.style.transform = `scale(${this.scale})`;
      // Whole pixels before the scale, which is how browsers lay outlines out, and enough of
      // them that the ring is never thinner than two on the screen.
      root.style.setProperty('--ring', `${Math.max(2, Math.ceil(2 / this.scale))}px`);
    }
    const resolution = devicePixelRatio * this.scale * zoom;
    if (resolution !== this.resolution) {
      this.resolution = resolution;
      this.onResolution(resolution);
    }
  }
}
