#pragma once

#include "core/window/inputqueue.h"

#include <windows.h>

#include <chrono>
#include <functional>

// What must wait while a handler runs, held in the engine's queue and delivered afterwards in
// time order with the input Windows keeps in its own queue.
//
// While a handler runs, the user's input stays in Windows' queue, as with any busy program; the
// gate holds what reaches the window meanwhile that must not be acted on yet: a close request,
// a handler asked for, input another program posted. The message loop hands it back before
// the first input that came after it, and input that came after what is still held waits
// behind it. A modal loop of Windows' own, such as the scroll bar's while a press on it is
// held, shows its messages to the gate too, so that the window's keys hold there.
class InputGate
{
public:
    // The window's keys, which a key takes before Windows translates it, in the message loop,
    // in Windows' own modal loops and when a held key is handed back: true when it was taken.
    explicit InputGate(std::function<bool(const MSG &)> takeKey);
    ~InputGate();
    InputGate(const InputGate &) = delete;
    InputGate &operator=(const InputGate &) = delete;

    bool busy() const { return queue_.busy(); }
    bool mayRun() const { return queue_.mayRun(); }
    void begin() { queue_.begin(); }
    void end() { queue_.end(); }
    // Drops what was held, and holds nothing more; for a program that is ending.
    void discard() { queue_.discard(); }

    // An action that must wait, in order with the input given at the current message's time.
    void defer(std::function<void()> action);
    // Input a handler's own look at the queue found: it waits with the rest.
    void hold(const MSG &message);

    // The message loop's part, before it waits: the held items that came before any input
    // Windows still holds.
    void deliverHeld();
    // Input from the loop that came after what is still held waits behind it; true when held.
    bool holdInput(const MSG &message);

    // A test build may deliver held items no faster than one in a pause, as a slow machine
    // would, so that a test can give input in between; a timer wakes the loop.
    void paceReplay(std::chrono::milliseconds pause) { replayPause_ = pause; }

private:
    struct Held {
        DWORD time; // when it was given, on the clock of Windows' messages
        std::function<void()> action;
    };

    void replay(MSG message) const;
    bool replayPaused();

    InputQueue<Held> queue_;
    std::function<bool(const MSG &)> takeKey_;
    HHOOK keyFilter_ = nullptr;
    std::chrono::milliseconds replayPause_{0};
    std::chrono::steady_clock::time_point lastDelivery_{};
    UINT_PTR replayTimer_ = 0;
};

// Whether a message is the user's input: keys and the mouse.
bool isInput(UINT message);
