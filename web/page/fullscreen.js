// A button beside the window that puts the page in full screen, for a projector, and takes it
// out again; hidden where the browser has no Fullscreen API. The window scales to the screen by
// the same rule as anywhere. Its name comes from the engine's words.
export function offerFullScreen(button, words) {
  if (!document.fullscreenEnabled) return;
  button.hidden = false;
  const label = () => {
    const text = document.fullscreenElement ? words.LeaveFullScreen : words.FullScreen;
    button.setAttribute('aria-label', text);
    button.title = text;
  };
  button.addEventListener('click', () => {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen().catch(() => {});
  });
  document.addEventListener('fullscreenchange', label);
  label();
}
