// The watcher's rules: which ends of the program are crashes, and when a crash is
// restarted.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "instance/watcher.h"

namespace {

// The wait status of a process that exits with code, or dies of signal.
int statusOf(int code, int signal) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (signal != 0) {
            ::signal(signal, SIG_DFL);
            ::kill(::getpid(), signal);
        }
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

}  // namespace

TEST(Watcher, CrashesAreRestartedOnceAMinuteAndEndsOrStopsNever) {
    struct Case {
        int code;
        int signal;
        bool crash;
    };
    const Case cases[] = {
        {0, 0, false},        // "Esci", or a second start handed over
        {2, 0, false},        // an error the program itself reported
        {0, SIGKILL, true},   // killed, the kernel's out-of-memory killer
        {0, SIGSEGV, true},   // a crash
        {0, SIGABRT, true},   // an abort
        {0, SIGTERM, false},  // asked to stop: a logout, a shutdown
        {0, SIGINT, false},   // Ctrl+C in its terminal
        {0, SIGHUP, false},   // its terminal closed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "exit " << c.code << ", signal " << c.signal);
        EXPECT_EQ(Watcher::isCrash(statusOf(c.code, c.signal)), c.crash);
    }
    EXPECT_TRUE(Watcher::restarts(-1, 5));    // the first crash
    EXPECT_FALSE(Watcher::restarts(10, 69));  // the second within a minute
    EXPECT_TRUE(Watcher::restarts(10, 70));   // a minute apart
}
