// child_process.h — a program the suite starts and is sure to end.
//
// The child gets SIGKILL when the thread that started it dies (PR_SET_PDEATHSIG), so
// a crashed or killed test leaves nothing running. The destructor kills and reaps a
// child still running. Move-only; not thread-safe.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "harness/deadline.h"

// How a child ended, decoded from its wait status.
struct ExitStatus {
    bool exited;  // true: ended by exit(), `code` holds its status; false: by a signal
    int code;     // the exit status, or the signal number
};

std::string describe(const ExitStatus& status);

struct LaunchOptions {
    std::vector<std::string> argv;      // argv[0] is the executable's path
    std::vector<std::string> setEnv;    // "NAME=value", replacing NAME if inherited
    std::vector<std::string> unsetEnv;  // names removed from the inherited environment
    int inheritFd = -1;                 // one descriptor the child keeps open, or -1
    bool silence = false;               // send the child's stdout and stderr to /dev/null
};

class ChildProcess {
public:
    // Forks and execs; returns nullopt when fork fails. An exec failure shows as an
    // exit with status 127.
    static std::optional<ChildProcess> launch(const LaunchOptions& options);

    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    pid_t pid() const { return pid_; }
    // Reaps the child if it has ended; true while it runs.
    bool running();
    // Waits for the child to end on its own; nullopt if it still runs at the deadline.
    std::optional<ExitStatus> waitForExit(const Deadline& deadline);
    // Voluntary context switches of the child's main thread so far (from /proc), -1 if
    // unreadable. It grows each time the thread goes to sleep.
    long voluntarySwitches() const;
    // True while the child's main thread sleeps in poll or select, where an event loop
    // waits between events (on kernels that hide where a thread sleeps: while it sleeps).
    bool waitingInPoll() const;
    // Sends `signal`, waits up to `grace` for the child to end, then SIGKILLs and reaps it.
    ExitStatus stop(int signal, Milliseconds grace);

private:
    explicit ChildProcess(pid_t pid) : pid_(pid) {}
    void killAndReap();

    pid_t pid_ = -1;
    std::optional<ExitStatus> status_;  // set once reaped
};
