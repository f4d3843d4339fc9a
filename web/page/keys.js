// The browser's keys by the engine's names for them, the keys the window's controls answer.
const names = {
  Enter: 'Enter', ' ': 'Space', ArrowLeft: 'Left', ArrowRight: 'Right', PageUp: 'PageUp',
  PageDown: 'PageDown', Home: 'Home', End: 'End',
};

export function keyName(event) {
  return names[event.key] ?? 'Other';
}

// Modifiers make a key another key, or the browser's own shortcut.
export function modified(event) {
  return event.altKey || event.ctrlKey || event.metaKey;
}
