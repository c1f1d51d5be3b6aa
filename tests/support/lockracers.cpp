#include "tests/support/lockracers.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

#include "platform/documentlock.h"

int LockRacers(const std::string& document, int count) {
    int barrier[2];
    if (::pipe(barrier) != 0) return -1;
    std::vector<pid_t> children;
    for (int i = 0; i < count; ++i) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(barrier[1]);
            char byte;
            [[maybe_unused]] const auto released = ::read(barrier[0], &byte, 1);
            bool won = false;
            {
                DocumentLock lock;
                won = lock.Acquire(document) == DocumentLock::Outcome::Locked;
                if (won) std::this_thread::sleep_for(std::chrono::milliseconds(300));
            }
            ::_exit(won ? 0 : 1);
        }
        children.push_back(child);
    }
    ::close(barrier[0]);
    ::close(barrier[1]);
    int winners = 0;
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) ++winners;
    }
    return winners;
}

long EndedProcessId() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return long(child);
}
