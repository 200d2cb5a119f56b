#include "core/publish/LocalWebServer.h"

#include "core/text/ReadFile.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace qs {
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto startTimeout = std::chrono::seconds(10);
constexpr auto stopTimeout = std::chrono::seconds(5);
constexpr auto pollInterval = std::chrono::milliseconds(20);

bool isExecutableFile(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

// This process's environment, with the given variables set.
std::vector<std::string> environmentWith(const std::vector<std::pair<std::string, std::string>>& variables)
{
    std::vector<std::string> result;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string_view line(*entry);
        const bool replaced = std::any_of(variables.begin(), variables.end(), [&](const auto& variable) {
            return line.starts_with(variable.first + "=");
        });
        if (!replaced)
            result.emplace_back(line);
    }
    for (const auto& [name, value] : variables)
        result.push_back(name + "=" + value);
    return result;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Reaps the child if it has ended.
bool hasEnded(pid_t pid)
{
    int status = 0;
    const pid_t result = ::waitpid(pid, &status, WNOHANG);
    return result == pid || (result < 0 && errno == ECHILD);
}

// lighttpd writes "2024-01-31 12:00:00: (network.c.537) can't bind ...": the
// merchant needs only the words after the place in its source.
std::string withoutLogPrefix(std::string line)
{
    const std::size_t place = line.find(") ");
    if (line.find(": (") != std::string::npos && place != std::string::npos)
        line.erase(0, place + 2);
    return line;
}

} // namespace

LocalWebServer::LocalWebServer(std::string program) : program_(std::move(program)) {}

LocalWebServer::~LocalWebServer()
{
    stop();
}

bool LocalWebServer::installed() const
{
    return !program_.empty() && isExecutableFile(program_);
}

std::string LocalWebServer::findLighttpd()
{
    std::vector<std::string> folders;
    if (const char* path = std::getenv("PATH")) {
        std::string_view rest(path);
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            folders.emplace_back(rest.substr(0, colon));
            rest.remove_prefix(colon == std::string_view::npos ? rest.size() : colon + 1);
        }
    }
    // Debian keeps servers where an ordinary user's search path does not look.
    folders.insert(folders.end(), {"/usr/sbin", "/usr/local/sbin", "/sbin"});
    for (const std::string& folder : folders)
        if (!folder.empty() && isExecutableFile(folder + "/lighttpd"))
            return folder + "/lighttpd";
    return {};
}

bool LocalWebServer::answers(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (!connected && errno == EINPROGRESS) {
        pollfd waiting{fd, POLLOUT, 0};
        int error = 0;
        socklen_t size = sizeof error;
        connected = ::poll(&waiting, 1, 1000) == 1 &&
                    ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
    ::close(fd);
    return connected;
}

std::string LocalWebServer::start(const std::string& configuration, int port, const Roots& roots)
{
    stop();
    std::string log = (fs::temp_directory_path() / "quaystall-preview-XXXXXX").string();
    const int logFd = ::mkostemp(log.data(), O_CLOEXEC);
    if (logFd < 0)
        return std::string("no log file could be made: ") + std::strerror(errno);
    logPath_ = log;

    std::vector<std::string> arguments{program_, "-D", "-f", configuration};
    std::vector<std::string> environment = environmentWith({{portVariable, std::to_string(port)},
                                                            {cgiRootVariable, roots.cgi},
                                                            {imagesRootVariable, roots.images}});
    std::vector<char*> argv = pointersTo(arguments);
    std::vector<char*> envp = pointersTo(environment);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&files, logFd, STDERR_FILENO);
    // The server starts with the signals as a new program expects them,
    // whatever this program blocked or caught.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, program_.c_str(), &files, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
    ::close(logFd);
    if (spawned != 0) {
        forgetLog();
        return std::string(std::strerror(spawned));
    }
    pid_ = pid;

    const Clock::time_point deadline = Clock::now() + startTimeout;
    while (Clock::now() < deadline) {
        if (hasEnded(pid_)) {
            pid_ = -1;
            std::string reason = lastLogLine();
            forgetLog();
            return reason.empty() ? "it stopped without saying why." : reason;
        }
        if (answers(port))
            return {};
        std::this_thread::sleep_for(pollInterval);
    }
    stop();
    return "it did not answer within " + std::to_string(startTimeout.count()) + " seconds.";
}

void LocalWebServer::stop()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        const Clock::time_point deadline = Clock::now() + stopTimeout;
        while (!hasEnded(pid_) && Clock::now() < deadline)
            std::this_thread::sleep_for(pollInterval);
        if (!hasEnded(pid_)) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }
    forgetLog();
}

std::string LocalWebServer::lastLogLine() const
{
    std::string text;
    try {
        text = readFileBytes(logPath_);
    } catch (...) {
        return {};
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    const std::size_t lineStart = text.find_last_of('\n');
    return withoutLogPrefix(lineStart == std::string::npos ? text : text.substr(lineStart + 1));
}

void LocalWebServer::forgetLog()
{
    if (!logPath_.empty()) {
        std::error_code ignored;
        fs::remove(logPath_, ignored);
        logPath_.clear();
    }
}

} // namespace qs
