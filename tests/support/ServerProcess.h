#pragma once

#include "Loopback.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace qs::test {

inline bool acceptsOnLoopback(int port)
{
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = LoopbackSocket::loopback(port);
    const bool connected = ::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(s);
    return connected;
}

// A server program of a test's own on a loopback port: started with its
// arguments (its messages into a log file), waited for until the port
// takes connections, stopped by its process id.
class ServerProcess {
public:
    ServerProcess() = default;
    ~ServerProcess() { stop(); }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    void start(const std::vector<std::string>& arguments, int port, const std::string& log)
    {
        pid_ = fork();
        if (pid_ == 0) {
            std::freopen(log.c_str(), "a", stdout);
            std::freopen(log.c_str(), "a", stderr);
            std::vector<char*> argv;
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        for (int tries = 0; tries < 400 && !acceptsOnLoopback(port); ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        if (!acceptsOnLoopback(port))
            throw std::runtime_error("the server " + arguments.front() + " did not start; see " + log);
    }

    void stop()
    {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
};

} // namespace qs::test
