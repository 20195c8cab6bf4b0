#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

// The one way the program waits for slow work (a page, a radio on the
// network, a helper program starting): the work runs on a thread of its own
// while the window's thread goes on painting and answering the desktop. User
// input waits meanwhile, so no handler of the window runs in between, as if
// the work had blocked the thread; only the window no longer looks dead. The
// wait wakes when the work ends, or at the time limit.
//
// A work that outlives its limit ends on its own thread and its result is
// dropped: it must hold what it uses itself (values, shared pointers), never
// a reference to something the window may destroy.

namespace WhileWindowPaints {

// True when the work ended within the limit.
bool run(std::function<void()> work, std::chrono::milliseconds limit);

// The work's result, or nothing when it did not end within the limit.
template <class Result>
std::optional<Result> result(std::function<Result()> work, std::chrono::milliseconds limit) {
    auto kept = std::make_shared<std::optional<Result>>();
    if (!run([work = std::move(work), kept] { *kept = work(); }, limit))
        return std::nullopt;
    return std::move(*kept);
}

} // namespace WhileWindowPaints
