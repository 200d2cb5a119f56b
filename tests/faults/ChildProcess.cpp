#include "ChildProcess.h"

#include "core/text/ReadFile.h"

#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>

extern char** environ;

namespace qs::faults {
namespace {

std::vector<std::string> environmentWith(const Environment& extra)
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view text(*entry);
        const std::string_view name = text.substr(0, text.find('='));
        bool replaced = false;
        for (const auto& [key, value] : extra)
            replaced = replaced || name == key;
        if (!replaced)
            entries.emplace_back(text);
    }
    for (const auto& [key, value] : extra)
        entries.push_back(key + "=" + value);
    return entries;
}

std::vector<char*> pointers(std::vector<std::string>& strings)
{
    std::vector<char*> result;
    for (std::string& s : strings)
        result.push_back(s.data());
    result.push_back(nullptr);
    return result;
}

} // namespace

ChildOutcome runChild(const std::vector<std::string>& arguments, const Environment& extra,
                      const std::string& errFile)
{
    std::vector<std::string> argumentCopy = arguments;
    std::vector<std::string> environment = environmentWith(extra);
    std::vector<char*> argv = pointers(argumentCopy);
    std::vector<char*> envp = pointers(environment);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&files);
    if (error != 0)
        throw std::runtime_error("Cannot start " + arguments[0] + ": " + std::strerror(error));
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFileBytes(errFile)};
}

} // namespace qs::faults
