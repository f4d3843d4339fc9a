#include "win/inputgate.h"

#include <utility>

namespace {

// The one gate's keys, for the message filter below.
std::function<bool(const MSG &)> *theKeys = nullptr;

// A modal loop of Windows' own shows its messages here before it dispatches them.
LRESULT CALLBACK keysInModalLoops(int code, WPARAM w, LPARAM l)
{
    if (code >= 0 && theKeys && (*theKeys)(*reinterpret_cast<const MSG *>(l)))
        return TRUE;
    return CallNextHookEx(nullptr, code, w, l);
}

// Whether a message given at one time came no later than one given at another, on the clock of
// Windows' messages, which wraps.
bool cameFirst(DWORD time, DWORD other)
{
    return static_cast<LONG>(time - other) <= 0;
}

} // namespace

bool isInput(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

InputGate::InputGate(std::function<bool(const MSG &)> takeKey) : takeKey_(std::move(takeKey))
{
    theKeys = &takeKey_;
    keyFilter_ = SetWindowsHookExW(WH_MSGFILTER, keysInModalLoops, nullptr, GetCurrentThreadId());
}

InputGate::~InputGate()
{
    if (keyFilter_)
        UnhookWindowsHookEx(keyFilter_);
    if (replayTimer_)
        KillTimer(nullptr, replayTimer_);
    theKeys = nullptr;
}

void InputGate::defer(std::function<void()> action)
{
    queue_.defer({static_cast<DWORD>(GetMessageTime()), std::move(action)});
}

void InputGate::hold(const MSG &message)
{
    queue_.defer({message.time, [this, message] { replay(message); }});
}

void InputGate::deliverHeld()
{
    while (const Held *next = queue_.peek()) {
        MSG input;
        if (PeekMessageW(&input, nullptr, 0, 0, PM_NOREMOVE | PM_QS_INPUT) &&
            cameFirst(input.time, next->time))
            return; // the input came first
        if (replayPaused())
            return;
        if (auto item = queue_.next())
            item->action();
    }
}

// Posted input reaches the loop before the input Windows holds, and before the held items that
// deliverHeld() hands back one by one.
bool InputGate::holdInput(const MSG &message)
{
    if (!isInput(message.message) || !queue_.holding())
        return false;
    const Held *next = queue_.peek();
    if (next && cameFirst(message.time, next->time))
        return false; // it came first
    hold(message);
    return true;
}

// Held input, handled as the message loop handles what it takes from the queue.
void InputGate::replay(MSG message) const
{
    if (takeKey_(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool InputGate::replayPaused()
{
    if (replayTimer_) {
        KillTimer(nullptr, replayTimer_);
        replayTimer_ = 0;
    }
    if (replayPause_.count() <= 0)
        return false;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastDelivery_ < replayPause_) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(replayPause_ - (now - lastDelivery_));
        replayTimer_ = SetTimer(nullptr, 0, static_cast<UINT>(left.count()), nullptr);
        return true;
    }
    lastDelivery_ = now;
    return false;
}
