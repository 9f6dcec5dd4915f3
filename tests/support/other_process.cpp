#include "support/other_process.h"

#include "base/error.h"

#include <csignal>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace arkona::test {

void whileAnotherProcessHolds(const std::function<std::shared_ptr<void>()>& hold,
                              const std::function<void()>& check) {
    int ready[2];
    int done[2];
    if (pipe(ready) != 0 || pipe(done) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t child = fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        close(ready[0]);
        close(done[1]);
        try {
            const auto held = hold();
            char c = 1;
            (void)!write(ready[1], &c, 1);
            (void)!read(done[0], &c, 1);
        } catch (...) {
            _exit(1);
        }
        _exit(0);
    }
    close(ready[1]);
    close(done[0]);
    char c = 0;
    const bool held = read(ready[0], &c, 1) == 1;
    std::exception_ptr failure;
    if (held) {
        try {
            check();
        } catch (...) {
            failure = std::current_exception();
        }
    }
    // A child that failed has closed its end: writing must not kill this program.
    const auto previous = signal(SIGPIPE, SIG_IGN);
    (void)!write(done[1], &c, 1);
    signal(SIGPIPE, previous);
    waitpid(child, nullptr, 0);
    close(ready[0]);
    close(done[1]);
    if (!held) {
        throw std::runtime_error("the other process could not take hold");
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace arkona::test
