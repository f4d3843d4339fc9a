// Keeps the pace waits and hands figures on to the page at most a frame apart. Where the page
// is cross-origin isolated it sleeps on a shared buffer with Atomics.wait; elsewhere there is
// no such buffer, and it spins.
export class Pacer {
  // Batches go at most this far apart, and figures wait at most this long in the worker; the
  // page draws them on arrival.
  static frame = 4;

  constructor(sleeper, send) {
    this.sleeper = sleeper ? new Int32Array(sleeper) : null;
    this.send = send;
    this.batches = [];
    this.count = 0;
    this.since = -1;
    this.sent = -Infinity;
    this.late = 0;
  }

  // A new handler owes nothing from the last one's waits.
  reset() {
    this.late = 0;
  }

  add(records) {
    if (this.since < 0) this.since = performance.now();
    this.batches.push(records.slice());
    this.count += records.length;
  }

  flush() {
    if (this.since < 0) return;
    const records = new Float32Array(this.count);
    let at = 0;
    for (const batch of this.batches) {
      records.set(batch, at);
      at += batch.length;
    }
    this.send(records, performance.timeOrigin + this.since);
    this.batches = [];
    this.count = 0;
    this.since = -1;
    this.sent = performance.now();
  }

  // Returns at the deadline, in milliseconds on performance.now(), flushing as frames fall due.
  // Atomics.wait wakes a tenth of a millisecond late or so; rather than spin that away, the
  // time overslept is taken off the waits that follow, so a run keeps its length.
  waitUntil(deadline) {
    const target = deadline - this.late;
    for (;;) {
      const now = performance.now();
      // The first figures after a quiet spell go at once, the rest a frame after the last.
      const due = this.since < 0 ? Infinity : Math.max(this.since, this.sent + Pacer.frame);
      if (now >= due) {
        this.flush();
        continue;
      }
      if (now >= target) break;
      const until = Math.min(target, due);
      if (this.sleeper) Atomics.wait(this.sleeper, 0, 0, until - now);
      else while (performance.now() < until);
    }
    this.late = Math.max(0, performance.now() - target);
  }
}
