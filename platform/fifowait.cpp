#include "platform/fifowait.h"

namespace {
std::chrono::milliseconds g_wait = std::chrono::seconds(30);
}  // namespace

std::chrono::milliseconds FifoWait() { return g_wait; }

void SetFifoWait(std::chrono::milliseconds wait) { g_wait = wait; }

std::string FifoWaitText() {
    const auto ms = g_wait.count();
    if (ms % 1000 != 0) return std::to_string(ms) + " milliseconds";
    return std::to_string(ms / 1000) + (ms == 1000 ? " second" : " seconds");
}
