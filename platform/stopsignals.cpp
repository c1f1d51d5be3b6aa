#include "platform/stopsignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <csignal>

namespace {

std::atomic<int> received{0};
static_assert(std::atomic<int>::is_always_lock_free);
int wakeRead = -1;
int wakeWrite = -1;

extern "C" void OnStopSignal(int signal) {
    int none = 0;
    received.compare_exchange_strong(none, signal);
    if (wakeWrite >= 0) {
        const char byte = 1;
        // A full pipe is already readable: nothing is lost by a failed write.
        [[maybe_unused]] const auto ignored = ::write(wakeWrite, &byte, 1);
    }
}

void OpenWakePipe() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    wakeRead = ends[0];
    wakeWrite = ends[1];
}

}  // namespace

void StopSignals::Catch() {
    if (wakeRead < 0) OpenWakePipe();
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

int StopSignals::Received() { return received.load(); }

int StopSignals::ExitStatus() { return 128 + Received(); }

int StopSignals::WakeDescriptor() { return wakeRead; }
