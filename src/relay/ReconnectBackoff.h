#pragma once

#include <algorithm>
#include <chrono>

// The waits before each new attempt to reach a node: the first one, then
// twice the last, up to the longest.
class ReconnectBackoff {
public:
    using Delay = std::chrono::milliseconds;

    ReconnectBackoff(Delay first, Delay longest) : first_(first), longest_(longest), next_(first) {}

    Delay next() {
        const Delay delay = next_;
        next_ = std::min(next_ * 2, longest_);
        return delay;
    }
    // After a node that worked: the next wait is the first again.
    void reset() { next_ = first_; }

private:
    Delay first_;
    Delay longest_;
    Delay next_;
};
