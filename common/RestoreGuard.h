#pragma once

#include <functional>
#include <utility>
#include <vector>

// Puts back what an operation changed, on every way out of it. The steps run in the order
// they were added, each once, when the guard goes out of scope; run() runs the ones added
// so far ahead of that, where an operation's ordinary end puts its message between two of
// them. A step that raises is passed over: the error that is unwinding matters more, and
// the other steps must still run.
//
// Several guards in one scope unwind in the reverse order of their declaration, as every
// object does: declare the one for what was taken first (the window, the buttons) first,
// and the one for the port last, so that the port is closed before the rest comes back.
class RestoreGuard {
public:
    RestoreGuard() = default;
    ~RestoreGuard() { run(); }
    RestoreGuard(const RestoreGuard&) = delete;
    RestoreGuard& operator=(const RestoreGuard&) = delete;

    void add(std::function<void()> step) { m_steps.push_back(std::move(step)); }

    void run() noexcept {
        auto steps = std::exchange(m_steps, {});
        for (const auto& step : steps) {
            try {
                step();
            } catch (...) {
                // Nothing better can be done with a step that fails while putting back.
            }
        }
    }

private:
    std::vector<std::function<void()>> m_steps;
};
