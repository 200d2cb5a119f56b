#pragma once

#include "ServerProcess.h"
#include "TempFolder.h"

#include "core/publish/UploadSettings.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

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
        port_ = freeLoopbackPort();
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
    // How the current user logs in here by key, uploading the shop's scripts
    // and pictures under hostFolder.
    UploadSettings loginFor(const std::string& hostFolder) const
    {
        UploadSettings settings;
        settings.host = "127.0.0.1";
        settings.port = port_;
        settings.user = getpwuid(getuid())->pw_name;
        settings.keyFile = userKey();
        settings.cgiFolder = hostFolder + "/cgi-bin/qstldb";
        settings.imagesFolder = hostFolder + "/images";
        return settings;
    }
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
    void start()
    {
        process_.start({sshServerProgram, "-D", "-e", "-f", folder_.file("sshd_config")}, port_,
                       folder_.file("sshd.log"));
    }
    void stop() { process_.stop(); }

    const TempFolder& folder_;
    int port_ = 0;
    ServerProcess process_;
};

} // namespace qs::test
