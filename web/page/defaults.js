// What the browser would have done itself with input the page gives back after a run: events
// dispatched by a script have no default action, so the few that matter are carried out here.

// What a key does in a text box: typing, deleting, and moving the caret or the selection.
export function edit(box, event) {
  const { value, selectionStart: start, selectionEnd: end } = box;
  if (event.key.length === 1) {
    box.setRangeText(event.key, start, end, 'end');
  } else if (event.key === 'Backspace' || event.key === 'Delete') {
    const backspace = event.key === 'Backspace';
    const from = start === end && backspace ? Math.max(0, start - 1) : start;
    const to = start === end && !backspace ? Math.min(value.length, end + 1) : end;
    box.setRangeText('', from, to, 'end');
  } else {
    moveCaret(box, event);
    return;
  }
  box.dispatchEvent(new InputEvent('input', { bubbles: true }));
}

function moveCaret(box, event) {
  const { value, selectionStart: start, selectionEnd: end } = box;
  const backward = box.selectionDirection === 'backward';
  const anchor = backward ? end : start;
  const head = backward ? start : end;
  const moved = { ArrowLeft: head - 1, ArrowRight: head + 1, Home: 0, End: value.length }[event.key];
  if (moved === undefined) return;
  const to = Math.min(value.length, Math.max(0, moved));
  if (event.shiftKey) {
    box.setSelectionRange(Math.min(anchor, to), Math.max(anchor, to),
      to < anchor ? 'backward' : 'forward');
  } else if (start !== end && (event.key === 'ArrowLeft' || event.key === 'ArrowRight')) {
    // An arrow ends a selection at its own side.
    const at = event.key === 'ArrowLeft' ? start : end;
    box.setSelectionRange(at, at);
  } else {
    box.setSelectionRange(to, to);
  }
}

// The wheel scrolls the page, by its lines, pages or pixels.
export function scrollPage(event) {
  const unit = [1, 16, innerHeight][event.deltaMode] ?? 1;
  document.scrollingElement.scrollBy(event.deltaX * unit, event.deltaY * unit);
}

// Tab: the next control the page's order stops at, or the one before; past the last, out of the
// page.
export function moveFocus(backward) {
  const stops = [...document.querySelectorAll('button, input, select, [tabindex]')]
    .filter((e) => e.tabIndex >= 0 && !e.disabled && e.getClientRects().length > 0);
  const at = stops.indexOf(document.activeElement);
  const next = at < 0 ? (backward ? stops.length - 1 : 0) : at + (backward ? -1 : 1);
  if (stops[next]) stops[next].focus({ preventScroll: true });
  else document.activeElement?.blur();
}
