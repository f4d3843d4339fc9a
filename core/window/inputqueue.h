#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

// The window's input while a handler runs: held back, and delivered afterwards in order, as if
// it had been given then. A front end catches its platform's input and close requests, holds
// them here, and replays what next() hands back; what an item holds is the front end's own.
//
// - While a handler runs, every item is held: input, a close request, and a handler asked for
//   meanwhile, such as a second Start, which waits for the first.
// - Once it has returned, the held items are delivered one at a time. An item that starts
//   another handler holds the rest until that one has returned too.
// - New input waits behind what is still held, so nothing overtakes it.
// - An error that ends the program drops what was held, and nothing more is delivered.
template <typename Item> class InputQueue
{
public:
    bool busy() const { return busy_; }
    bool closed() const { return closed_; }
    // Whether input given now must wait: a handler runs, or held input has still to come.
    // Replayed input does not ask: it is what came first.
    bool holding() const { return busy_ || !held_.empty(); }
    // Whether a handler asked for may run now, rather than be deferred.
    bool mayRun() const { return !busy_ && !closed_; }

    // A handler starts; it must not be running already.
    void begin() { busy_ = true; }
    // It has returned.
    void end() { busy_ = false; }

    void defer(Item item)
    {
        if (!closed_)
            held_.push_back(std::move(item));
    }

    // The item next() would deliver, left in place: null when it would deliver none.
    const Item *peek() const
    {
        return busy_ || closed_ || first_ == held_.size() ? nullptr : &held_[first_];
    }

    // The next held item to deliver now: none while a handler runs or once the program ends.
    std::optional<Item> next()
    {
        if (!peek())
            return std::nullopt;
        Item item = std::move(held_[first_]);
        if (++first_ == held_.size()) {
            held_.clear();
            first_ = 0;
        }
        return item;
    }

    // Drops what was held and holds nothing more: the program is ending.
    void discard()
    {
        held_.clear();
        first_ = 0;
        busy_ = false;
        closed_ = true;
    }

    std::size_t size() const { return held_.size() - first_; }

private:
    // Delivered from first_ on; emptied once all is delivered.
    std::vector<Item> held_;
    std::size_t first_ = 0;
    bool busy_ = false;
    bool closed_ = false;
};
