// Keeps the pace waits of a handler that suspends at each one, by the engine's pace schedule. A
// wait is a fraction of a millisecond, while timers come a millisecond or more late and nested
// ones no sooner than 4 ms; so the handler runs on through its waits until it is a frame ahead
// of the clock, or has kept the page busy a quarter of a frame, and only then sleeps, once.
// Whatever it overslept or ran ahead is carried into the waits that follow, so a run keeps its
// length. A hidden tab's timers come a second apart or more, and nobody is watching: there the
// handler runs on, without giving the page back, until it has caught up with the clock, and
// sleeps on a worker's timer, which the browser leaves to keep its time.
export class Pacer {
  // The schedule's numbers, in milliseconds: how far the handler may run ahead of the clock,
  // and how long it may keep the page from showing what it drew.
  constructor({ ahead, busy }) {
    this.ahead = ahead;
    this.busy = busy;
    this.late = 0;
    this.since = 0;
    this.timer = null;
    this.resume = null;
    // A tab shown again draws what its throttled timers held back at once.
    document.addEventListener('visibilitychange', () => {
      if (!document.hidden) this.wakeNow();
    });
  }

  // A new handler owes nothing from the last one's waits.
  start() {
    this.late = 0;
    this.since = performance.now();
  }

  // For a wait until the deadline, in milliseconds on performance.now(): null to go on at once,
  // or a promise that resolves when the handler should resume.
  wait(deadline) {
    const now = performance.now();
    const target = deadline - this.late;
    if (target - now < this.ahead && (document.hidden || now - this.since < this.busy)) {
      this.late = now - target;
      return null;
    }
    return new Promise((resolve) => {
      this.resume = () => {
        this.timer = null;
        this.resume = null;
        this.since = performance.now();
        this.late = this.since - target;
        resolve();
      };
      const delay = Math.max(0, target - now);
      this.sleep = (this.sleep ?? 0) + 1;
      if (document.hidden && this.ticker()) this.ticker().postMessage([this.sleep, delay]);
      else this.timer = setTimeout(this.resume, delay);
    });
  }

  // A timer in a worker of its own, made at the first sleep in a hidden tab; none where the
  // page may make no worker, and the page's own timers do.
  ticker() {
    if (this.worker === undefined) {
      try {
        const source = 'onmessage = ({ data: [sleep, delay] }) => ' +
          'setTimeout(() => postMessage(sleep), delay);';
        this.worker = new Worker(URL.createObjectURL(new Blob([source], { type: 'text/javascript' })));
        // Only the sleep it was asked for: one the page woke early has gone already.
        this.worker.onmessage = ({ data }) => {
          if (data === this.sleep) this.resume?.();
        };
      } catch {
        this.worker = null;
      }
    }
    return this.worker;
  }

  wakeNow() {
    if (!this.resume) return;
    clearTimeout(this.timer);
    this.resume();
  }
}
