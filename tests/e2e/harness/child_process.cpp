#include "harness/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <utility>

extern char** environ;

namespace {
// A wait status as exit code or signal.
ExitStatus decode(int status) {
    if (WIFEXITED(status)) return {true, WEXITSTATUS(status)};
    return {false, WIFSIGNALED(status) ? WTERMSIG(status) : 0};
}

// Name part of a "NAME=value" entry.
std::string nameOf(const std::string& entry) {
    return entry.substr(0, entry.find('='));
}

// The parent's environment with the requested changes, as execve wants it. Built
// before fork so the child only calls async-signal-safe functions.
std::vector<std::string> childEnvironment(const LaunchOptions& options) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string name = nameOf(entry);
        bool dropped = false;
        for (const std::string& unset : options.unsetEnv) dropped = dropped || unset == name;
        for (const std::string& set : options.setEnv) dropped = dropped || nameOf(set) == name;
        if (!dropped) env.push_back(entry);
    }
    for (const std::string& set : options.setEnv) env.push_back(set);
    return env;
}

// The strings as a null-terminated array for execve; valid while `strings` lives.
std::vector<char*> pointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

// The forked child's side: arrange to die with the parent, then exec.
[[noreturn]] void execChild(pid_t parent, const LaunchOptions& options, char** argv, char** envp) {
    // Dies with the parent; the check closes the race where the parent died before prctl.
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent) _exit(127);
    if (options.inheritFd >= 0 && fcntl(options.inheritFd, F_SETFD, 0) != 0) _exit(127);
    if (options.silence) {
        const int devNull = open("/dev/null", O_WRONLY);
        if (devNull < 0) _exit(127);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
    }
    execve(argv[0], argv, envp);
    _exit(127);
}
}  // namespace

std::string describe(const ExitStatus& status) {
    if (status.exited) return "exited with status " + std::to_string(status.code);
    return "killed by signal " + std::to_string(status.code) + " (" + strsignal(status.code) + ")";
}

std::optional<ChildProcess> ChildProcess::launch(const LaunchOptions& options) {
    std::vector<std::string> args = options.argv;
    std::vector<std::string> env = childEnvironment(options);
    std::vector<char*> argv = pointersTo(args);
    std::vector<char*> envp = pointersTo(env);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) return std::nullopt;
    if (pid == 0) execChild(parent, options, argv.data(), envp.data());
    return ChildProcess(pid);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), status_(std::exchange(other.status_, std::nullopt)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        killAndReap();
        pid_ = std::exchange(other.pid_, -1);
        status_ = std::exchange(other.status_, std::nullopt);
    }
    return *this;
}

ChildProcess::~ChildProcess() {
    killAndReap();
}

bool ChildProcess::running() {
    if (pid_ < 0 || status_) return false;
    int status = 0;
    const pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == pid_) status_ = decode(status);
    return r == 0;
}

std::optional<ExitStatus> ChildProcess::waitForExit(const Deadline& deadline) {
    pollUntil(deadline, [&] { return !running(); });
    return status_;
}

ExitStatus ChildProcess::stop(int signal, Milliseconds grace) {
    if (running()) {
        kill(pid_, signal);
        waitForExit(Deadline(grace));
    }
    killAndReap();
    return status_.value_or(ExitStatus{false, SIGKILL});
}

long ChildProcess::voluntarySwitches() const {
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    std::string line;
    const std::string key = "voluntary_ctxt_switches:";
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0) return std::stol(line.substr(key.size()));
    }
    return -1;
}

bool ChildProcess::waitingInPoll() const {
    const std::string proc = "/proc/" + std::to_string(pid_);
    std::ifstream wchan(proc + "/wchan");
    std::string where;
    wchan >> where;
    if (where.find("poll") != std::string::npos || where.find("select") != std::string::npos)
        return true;
    if (!where.empty() && where != "0") return false;
    // Kernels that hide wchan show "0": settle for "asleep", the state after "(comm)".
    std::ifstream stat(proc + "/stat");
    std::string line;
    std::getline(stat, line);
    const size_t close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'S';
}

void ChildProcess::killAndReap() {
    if (pid_ < 0 || status_) return;
    kill(pid_, SIGKILL);
    int status = 0;
    if (waitpid(pid_, &status, 0) == pid_) status_ = decode(status);
}
