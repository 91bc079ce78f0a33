#pragma once
#include <system_error>
#include <thread>

namespace quirnel {

// Runs two independent pieces of work, the first on a thread of its own
// where one is to be had (else before the second), and returns when both
// are done.
template <typename First, typename Second>
void SideBySide(First&& first, Second&& second) {
    std::thread side;
    try {
        side = std::thread(first);
    } catch (const std::system_error&) {
        first();
    }
    second();
    if (side.joinable()) side.join();
}

}  // namespace quirnel
