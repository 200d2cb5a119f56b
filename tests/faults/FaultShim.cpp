// A library preloaded into a program (LD_PRELOAD) that makes one chosen call
// on the files of one folder fail, and records the order of those calls.
//
// Environment, read at the first call:
//   QS_FAULT_FOLDER  the folder whose files count: calls on other files pass untouched
//   QS_FAULT_CALL    the kind of call that fails: write, fsync (fdatasync too), close,
//                    rename or link
//   QS_FAULT_AT      which call of that kind fails, counting from 1; none when unset or 0
//   QS_FAULT_ERRNO   the error number it fails with, EIO when unset
//   QS_FAULT_LOG     a file to which every counted call is appended, one line each:
//                    the kind, the path (or the two paths of a rename or a link) and,
//                    for the one that failed, FAILED, separated by TABs
//
// Only calls that write count: write and close on descriptors open for
// writing, fsync on any descriptor (a folder's is open for reading), rename
// and link; unlink is recorded but never fails. A descriptor is placed by the
// path /proc/self/fd names, since the opens inside the C library (mkostemp)
// cannot be intercepted. A test running in the same process changes the
// arrangement through qs_fault_arm (FaultShim.h).

#include "FaultShim.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace {

enum Kind { Write, Fsync, Close, Rename, Link, Unlink, KindCount };
constexpr const char* kindNames[KindCount] = {"write", "fsync", "close", "rename", "link", "unlink"};

struct Arrangement {
    char folder[PATH_MAX] = {};
    std::size_t folderLength = 0;
    int failingKind = -1;
    long failAt = 0;
    int error = EIO;
    int logFd = -1;
};

Arrangement arrangement;
std::atomic<long> counts[KindCount];
std::once_flag configured;

template <typename Function> Function real(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

ssize_t realWrite(int fd, const void* bytes, size_t size)
{
    static const auto function = real<ssize_t (*)(int, const void*, size_t)>("write");
    return function(fd, bytes, size);
}

int realClose(int fd)
{
    static const auto function = real<int (*)(int)>("close");
    return function(fd);
}

int kindNamed(const char* name)
{
    for (int kind = 0; kind < KindCount; ++kind)
        if (name && std::strcmp(name, kindNames[kind]) == 0)
            return kind;
    return -1;
}

void arrange(const char* folder, const char* kind, long at, int error, const char* logPath)
{
    Arrangement next;
    if (folder && realpath(folder, next.folder))
        next.folderLength = std::strlen(next.folder);
    next.failingKind = kindNamed(kind);
    next.failAt = at;
    next.error = error;
    if (logPath && *logPath)
        next.logFd = open(logPath, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (arrangement.logFd >= 0)
        realClose(arrangement.logFd);
    arrangement = next;
    for (auto& count : counts)
        count = 0;
}

void configureFromEnvironment()
{
    const char* at = std::getenv("QS_FAULT_AT");
    const char* error = std::getenv("QS_FAULT_ERRNO");
    arrange(std::getenv("QS_FAULT_FOLDER"), std::getenv("QS_FAULT_CALL"), at ? std::atol(at) : 0,
            error ? std::atoi(error) : EIO, std::getenv("QS_FAULT_LOG"));
}

const Arrangement& current()
{
    std::call_once(configured, configureFromEnvironment);
    return arrangement;
}

bool insideFolder(const char* path)
{
    const Arrangement& a = current();
    return a.folderLength > 0 && std::strncmp(path, a.folder, a.folderLength) == 0 &&
           (path[a.folderLength] == '\0' || path[a.folderLength] == '/');
}

// The absolute path of a path argument: its folder resolved, its name kept
// (the file itself may not exist yet). False when its folder does not exist.
bool resolvedPath(const char* path, char (&out)[PATH_MAX])
{
    char folder[PATH_MAX];
    const char* slash = std::strrchr(path, '/');
    const char* name = slash ? slash + 1 : path;
    const std::size_t folderLength = slash ? (slash == path ? 1 : std::size_t(slash - path)) : 1;
    if (folderLength >= sizeof folder)
        return false;
    std::memcpy(folder, slash ? path : ".", folderLength);
    folder[folderLength] = '\0';
    char resolved[PATH_MAX];
    if (!realpath(folder, resolved))
        return false;
    return std::snprintf(out, sizeof out, "%s/%s", resolved, name) < int(sizeof out);
}

// A path that cannot be resolved is recorded as given.
bool pathCounts(const char* path, char (&resolved)[PATH_MAX])
{
    if (path && resolvedPath(path, resolved))
        return insideFolder(resolved);
    std::snprintf(resolved, sizeof resolved, "%s", path ? path : "");
    return false;
}

// A rename or a link counts when either end lies inside the folder.
bool pathsCount(const char* from, const char* to, char (&resolvedFrom)[PATH_MAX], char (&resolvedTo)[PATH_MAX])
{
    const bool fromCounts = pathCounts(from, resolvedFrom);
    const bool toCounts = pathCounts(to, resolvedTo);
    return fromCounts || toCounts;
}

bool descriptorCounts(int fd, bool writersOnly, char (&path)[PATH_MAX])
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, path, sizeof path - 1);
    if (length < 0)
        return false;
    path[length] = '\0';
    if (!insideFolder(path))
        return false;
    const int flags = fcntl(fd, F_GETFL);
    return !writersOnly || (flags >= 0 && (flags & O_ACCMODE) != O_RDONLY);
}

// Counts a call, records it, and answers whether it is the one to fail.
bool counted(Kind kind, const char* path, const char* second = nullptr)
{
    const Arrangement& a = current();
    const long number = ++counts[kind];
    const bool fails = kind == a.failingKind && number == a.failAt;
    if (a.logFd >= 0) {
        char line[2 * PATH_MAX + 32];
        const int length = std::snprintf(line, sizeof line, "%s\t%s%s%s%s\n", kindNames[kind], path,
                                         second ? "\t" : "", second ? second : "", fails ? "\tFAILED" : "");
        if (length > 0)
            realWrite(a.logFd, line, std::size_t(length) < sizeof line ? std::size_t(length) : sizeof line - 1);
    }
    return fails;
}

int failWith()
{
    errno = current().error;
    return -1;
}

int syncCall(const char* name, int fd)
{
    static const auto fsyncFunction = real<int (*)(int)>("fsync");
    static const auto fdatasyncFunction = real<int (*)(int)>("fdatasync");
    char path[PATH_MAX];
    if (descriptorCounts(fd, false, path) && counted(Fsync, path))
        return failWith();
    return std::strcmp(name, "fsync") == 0 ? fsyncFunction(fd) : fdatasyncFunction(fd);
}

} // namespace

extern "C" {

void qs_fault_arm(const char* folder, const char* kind, long at, int error, const char* logPath)
{
    std::call_once(configured, [] {});
    arrange(folder, kind, at, error, logPath);
}

ssize_t write(int fd, const void* bytes, size_t size)
{
    char path[PATH_MAX];
    if (descriptorCounts(fd, true, path) && counted(Write, path))
        return failWith();
    return realWrite(fd, bytes, size);
}

int fsync(int fd)
{
    return syncCall("fsync", fd);
}

int fdatasync(int fd)
{
    return syncCall("fdatasync", fd);
}

// The descriptor is released whatever close answers, as Linux does.
int close(int fd)
{
    char path[PATH_MAX];
    const bool fails = descriptorCounts(fd, true, path) && counted(Close, path);
    const int result = realClose(fd);
    return fails ? failWith() : result;
}

int rename(const char* from, const char* to)
{
    static const auto function = real<int (*)(const char*, const char*)>("rename");
    char resolvedFrom[PATH_MAX], resolvedTo[PATH_MAX];
    if (pathsCount(from, to, resolvedFrom, resolvedTo) && counted(Rename, resolvedFrom, resolvedTo))
        return failWith();
    return function(from, to);
}

int link(const char* from, const char* to)
{
    static const auto function = real<int (*)(const char*, const char*)>("link");
    char resolvedFrom[PATH_MAX], resolvedTo[PATH_MAX];
    if (pathsCount(from, to, resolvedFrom, resolvedTo) && counted(Link, resolvedFrom, resolvedTo))
        return failWith();
    return function(from, to);
}

int unlink(const char* path)
{
    static const auto function = real<int (*)(const char*)>("unlink");
    char resolved[PATH_MAX];
    if (pathCounts(path, resolved))
        counted(Unlink, resolved);
    return function(path);
}

} // extern "C"
