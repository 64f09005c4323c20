#include "ToolRunner.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace test {

namespace {

struct Pipe {
    int fd[2] = {-1, -1};
    Pipe()
    {
        if (::pipe2(fd, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe failed");
    }
    ~Pipe()
    {
        closeEnd(0);
        closeEnd(1);
    }
    void closeEnd(int i)
    {
        if (fd[i] >= 0)
            ::close(fd[i]);
        fd[i] = -1;
    }
};

[[noreturn]] void execTool(const std::vector<std::string>& args, const ToolEnv& env, Pipe& in, Pipe& out, Pipe& err)
{
    ::dup2(in.fd[0], STDIN_FILENO);
    const int stdoutFd = env.stdoutFile.empty() ? out.fd[1] : ::open(env.stdoutFile.c_str(), O_WRONLY);
    ::dup2(stdoutFd, STDOUT_FILENO);
    ::dup2(err.fd[1], STDERR_FILENO);
    ::setenv("LC_ALL", env.locale.c_str(), 1);
    for (const auto& kv : env.env)
        ::setenv(kv.first.c_str(), kv.second.c_str(), 1);
    std::vector<char*> argv;
    static char tool[] = GNSSIMPORT_TOOL;
    argv.push_back(tool);
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(tool, argv.data());
    ::_exit(127);
}

} // namespace

ToolRun runTool(const std::vector<std::string>& args, const ToolEnv& env)
{
    Pipe in, out, err;
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0)
        execTool(args, env, in, out, err);
    in.closeEnd(0);
    out.closeEnd(1);
    err.closeEnd(1);

    // Feed stdin and drain both outputs together so that no pipe fills up.
    ToolRun run;
    std::size_t written = 0;
    if (env.input.empty())
        in.closeEnd(1);
    std::signal(SIGPIPE, SIG_IGN);
    while (out.fd[0] >= 0 || err.fd[0] >= 0) {
        pollfd fds[3] = {{out.fd[0], POLLIN, 0}, {err.fd[0], POLLIN, 0}, {in.fd[1], POLLOUT, 0}};
        if (::poll(fds, 3, 60000) <= 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buffer[4096];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            Pipe& p = i == 0 ? out : err;
            if (n > 0)
                (i == 0 ? run.out : run.err).append(buffer, static_cast<std::size_t>(n));
            else if (n == 0 || errno != EINTR)
                p.closeEnd(0);
        }
        if (fds[2].fd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t n = ::write(in.fd[1], env.input.data() + written, env.input.size() - written);
            if (n > 0)
                written += static_cast<std::size_t>(n);
            if (n < 0 || written == env.input.size())
                in.closeEnd(1);
        }
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace test
