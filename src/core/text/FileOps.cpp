#include "core/text/FileOps.h"

#include "core/text/AtomicFile.h"
#include "core/text/FileError.h"
#include "core/text/JoinPath.h"
#include "core/text/LineReader.h"
#include "core/text/ReadFile.h"
#include "core/ui/UserInterface.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace qs {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t copyChunkSize = 1u << 20;
constexpr std::size_t listChunkSize = 64u << 10;

fs::file_type entryType(const fs::path& path)
{
    std::error_code ec;
    return fs::symlink_status(path, ec).type();
}

bool hidden(const std::string& name)
{
    return !name.empty() && name.front() == '.';
}

// A list names files beside itself; anything else would reach outside the
// folders the copy is meant to touch.
void checkListedName(std::string_view name)
{
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string_view::npos)
        throw FileError("The CGI list-file names \"" + std::string(name) +
                        "\", which is not a file in its own folder.");
}

std::string interpreterLine(std::string_view firstLine, const std::string& perlPath)
{
    if (firstLine.starts_with("#!"))
        return "#!" + perlPath;
    return std::string(firstLine);
}

void copyScript(const std::string& source, const std::string& destination, std::string_view name,
                const std::string& perlPath)
{
    checkListedName(name);
    const std::string from = joinPath(source, std::string(name));
    // A link could lead out of the source folder.
    if (entryType(from) != fs::file_type::regular)
        throw FileError::cannotOpen(from, entryType(from) == fs::file_type::not_found ? ENOENT : EINVAL);
    LineReader in(from, copyChunkSize);
    if (!DirExists(destination))
        MakeDirPath(destination);
    std::string_view line;
    // An empty script still gets its (empty) first line. The host's system
    // reads an interpreter line up to a line feed: a carriage return before it
    // would become part of the interpreter's name.
    const bool any = in.next(line);
    const std::string first = interpreterLine(any ? line : std::string_view(), perlPath);
    const bool runnable = first.starts_with("#!");
    AtomicFileWriter out(joinPath(destination, std::string(name)), AtomicFileWriter::Leftovers::RemoveFirst,
                         runnable ? FileAccess::PublishedProgram : FileAccess::Published);
    out.write(first);
    out.write(runnable ? "\n" : "\r\n");
    while (in.next(line)) {
        out.write(line);
        out.write("\r\n");
    }
    out.commit();
}

} // namespace

void copyFileReplacingOrThrow(const std::string& source, const std::string& destination,
                              AtomicFileWriter::Leftovers leftovers, FileAccess access)
{
    // Only a file with an end: a pipe or a device could keep the copy waiting for ever.
    std::error_code ec;
    const fs::file_status status = fs::status(source, ec);
    if (status.type() == fs::file_type::not_found)
        throw FileError::cannotOpen(source, ENOENT);
    if (!ec && status.type() != fs::file_type::regular)
        throw FileError::cannotOpen(source, EINVAL);
    ReadableFile in(source);
    AtomicFileWriter out(destination, leftovers, access);
    // A picture needs a buffer of its own size, not the chunk a big file is read in.
    std::vector<char> buffer(std::clamp<std::size_t>(in.size(), 1, copyChunkSize));
    while (const std::size_t n = in.read(buffer.data(), buffer.size()))
        out.write(std::string_view(buffer.data(), n));
    out.commit();
}

bool DirExists(const std::string& path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

void MakeDirPath(const std::string& path)
{
    if (path.empty())
        throw FileError("Unable to create directory");
    std::error_code ignored;
    fs::create_directories(path, ignored);
}

void CopyDirFiles(const std::string& source, const std::string& target)
{
    std::error_code ec;
    for (fs::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (hidden(name) || entryType(it->path()) != fs::file_type::regular)
            continue;
        const std::string to = joinPath(target, name);
        if (entryType(to) != fs::file_type::not_found)
            continue;
        try {
            copyFileReplacingOrThrow(it->path().string(), to);
        } catch (const FileError&) {
            // A file that cannot be copied is left out; the others still come.
        }
    }
}

void CopyFileReplacing(const std::string& source, const std::string& destination)
{
    try {
        copyFileReplacingOrThrow(source, destination);
    } catch (const FileError&) {
        // The destination is untouched; the caller notices the file is not there.
    }
}

std::string CopyListedScripts(UserInterface& ui, const std::string& localCGI, const std::string& source,
                              const std::string& destination, const std::string& perlPath,
                              const std::string& listFileName, std::vector<std::string>* copied)
{
    if (!DirExists(destination))
        MakeDirPath(destination);
    std::string missing;
    const std::string listPath = joinPath(source, listFileName);
    std::error_code ec;
    if (!DirExists(localCGI))
        missing = "The local CGI directory specified (" + localCGI + ") does not exist.";
    else if (!fs::is_regular_file(listPath, ec))
        missing = "The CGI list-file (" + listPath + ") does not exist.";
    if (!missing.empty())
        return missing;
    std::string name;
    try {
        LineReader list(listPath, listChunkSize);
        std::string_view line;
        while (list.next(line)) {
            name = line;
            copyScript(source, destination, name, perlPath);
            if (copied)
                copied->push_back(name);
        }
    } catch (const FileError&) {
        ui.message("There was an error processing the CGI list-file \"" + listFileName + "\" while copying " +
                       name + ".",
                   MessageKind::Error);
        throw;
    }
    return {};
}

bool DeleteDirTree(const std::string& path)
{
    std::error_code ec;
    const fs::file_type type = entryType(path);
    if (type == fs::file_type::symlink)
        return DirExists(path) && fs::remove(path, ec);
    if (type != fs::file_type::directory)
        return false;
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(it->path());
    // A folder that cannot be read to the end cannot have been emptied.
    bool allDeleted = !ec;
    for (const fs::path& entry : entries) {
        if (!allDeleted)
            break;
        if (entryType(entry) == fs::file_type::directory)
            allDeleted = DeleteDirTree(entry.string());
        else
            allDeleted = fs::remove(entry, ec);
    }
    fs::remove(path, ec);
    return allDeleted;
}

} // namespace qs
