// Worker processes on POSIX: fork, one pipe per job, poll in the parent.
#include "platform/WorkerProcesses.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace platform {

namespace {

struct Running {
    int job;
    pid_t pid;
    int fd;
    std::string output;
};

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

[[noreturn]] void RunChild(int fd, int job, const std::function<std::string(int)>& work) {
    const bool written = WriteAll(fd, work(job));
    std::fflush(nullptr);
    _exit(written ? 0 : 3);
}

std::string DescribeStatus(int status) {
    if (WIFSIGNALED(status)) return std::string("killed by signal ") + strsignal(WTERMSIG(status));
    if (WIFEXITED(status)) return "exit code " + std::to_string(WEXITSTATUS(status));
    return "ended abnormally";
}

WorkerJobResult Finish(Running& running) {
    close(running.fd);
    int status = 0;
    while (waitpid(running.pid, &status, 0) < 0 && errno == EINTR) {
    }
    WorkerJobResult result;
    result.job = running.job;
    result.output = std::move(running.output);
    result.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!result.finished) result.failure = DescribeStatus(status);
    return result;
}

}  // namespace

void RunInWorkerProcesses(int count, int workers, const std::function<std::string(int job)>& work,
                          const std::function<void(const WorkerJobResult&)>& onResult) {
    if (workers < 1) workers = 1;
    std::vector<Running> running;
    int next = 0;
    char buffer[65536];
    while (next < count || !running.empty()) {
        while (next < count && static_cast<int>(running.size()) < workers) {
            const int job = next++;
            int ends[2];
            std::fflush(nullptr);  // nothing buffered may be written twice
            if (pipe(ends) != 0) {
                onResult({job, false, "", std::string("no pipe: ") + std::strerror(errno)});
                continue;
            }
            const pid_t pid = fork();
            if (pid == 0) {
                close(ends[0]);
                for (const Running& other : running) close(other.fd);
                RunChild(ends[1], job, work);
            }
            close(ends[1]);
            if (pid < 0) {
                close(ends[0]);
                onResult({job, false, "", std::string("no worker: ") + std::strerror(errno)});
                continue;
            }
            running.push_back({job, pid, ends[0], std::string()});
        }
        if (running.empty()) continue;
        std::vector<pollfd> polled;
        for (const Running& r : running) polled.push_back({r.fd, POLLIN, 0});
        if (poll(polled.data(), polled.size(), -1) < 0) {
            if (errno == EINTR) continue;
            for (const Running& r : running) kill(r.pid, SIGKILL);
        }
        for (size_t i = running.size(); i-- > 0;) {
            if (polled[i].revents == 0) continue;
            const ssize_t n = read(running[i].fd, buffer, sizeof(buffer));
            if (n > 0) {
                running[i].output.append(buffer, static_cast<size_t>(n));
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            const WorkerJobResult result = Finish(running[i]);
            running.erase(running.begin() + static_cast<long>(i));
            onResult(result);
        }
    }
}

}  // namespace platform
