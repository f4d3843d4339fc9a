#pragma once

class Form;

// The wait after each photon step, set by the pace value in nSpomal's text: the value times
// 0.05 passes of an empty loop. Each pass takes at least passDuration, so the wait can be
// watched on any machine. Returns the number of passes.
long long paceWait(Form &form);
