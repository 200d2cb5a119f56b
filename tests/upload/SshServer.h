#pragma once

#include "TempFolder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>

namespace qs::test {

inline constexpr const char* sshServerProgram = "/usr/sbin/sshd";

// An SSH server on loopback for one test, with a throwaway host key and a
// throwaway user key of its own; the current user logs in by that key.
class SshServer {
public:
    explicit SshServer(const TempFolder& folder) : folder_(folder)
    {
        // The server insists on its privilege separation folder.
        std::filesystem::create_directories("/run/sshd");
        makeKey("host_key");
        makeKey("user_key");
        std::filesystem::copy_file(folder.file("user_key.pub"), folder.file("authorized_keys"));
        port_ = freePort();
        folder.write("sshd_config", "ListenAddress 127.0.0.1\nPort " + std::to_string(port_) + "\nHostKey " +
                                        folder.file("host_key") + "\nAuthorizedKeysFile " +
                                        folder.file("authorized_keys") +
                                        "\nStrictModes no\nUsePAM no\nPermitRootLogin prohibit-password\n"
                                        "PasswordAuthentication yes\nSubsystem sftp internal-sftp\nPidFile " +
                                        folder.file("sshd.pid") + "\n");
        start();
    }
    ~SshServer() { stop(); }
    SshServer(const SshServer&) = delete;
    SshServer& operator=(const SshServer&) = delete;

    int port() const { return port_; }
    std::string userKey() const { return folder_.file("user_key"); }
    // The host key's fingerprint as ssh-keygen -l shows it.
    std::string fingerprint() const
    {
        const std::string out = folder_.file("fingerprint");
        run("ssh-keygen -l -f " + folder_.file("host_key.pub") + " > " + out);
        const std::string line = folder_.read("fingerprint");
        const auto start = line.find("SHA256:");
        return line.substr(start, line.find(' ', start) - start);
    }

    // The server comes back on its port with a new host key.
    void changeHostKey()
    {
        stop();
        std::filesystem::remove(folder_.file("host_key"));
        std::filesystem::remove(folder_.file("host_key.pub"));
        makeKey("host_key");
        start();
    }

private:
    static void run(const std::string& command)
    {
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("failed: " + command);
    }
    void makeKey(const std::string& name) const
    {
        run("ssh-keygen -q -t ed25519 -N '' -f " + folder_.file(name));
    }
    static int freePort()
    {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
        close(s);
        return ntohs(address.sin_port);
    }
    bool accepting() const
    {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(std::uint16_t(port_));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const bool connected = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        close(s);
        return connected;
    }
    void start()
    {
        const std::string config = folder_.file("sshd_config");
        const std::string log = folder_.file("sshd.log");
        pid_ = fork();
        if (pid_ == 0) {
            std::freopen(log.c_str(), "a", stderr);
            execl(sshServerProgram, sshServerProgram, "-D", "-e", "-f", config.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int tries = 0; tries < 200 && !accepting(); ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        if (!accepting())
            throw std::runtime_error("the SSH server did not start: " + folder_.read("sshd.log"));
    }
    void stop()
    {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    const TempFolder& folder_;
    int port_ = 0;
    pid_t pid_ = -1;
};

} // namespace qs::test
