#include "core/text/PickFileIntoDirectory.h"

#include "core/text/FileError.h"
#include "core/text/FileOps.h"
#include "core/text/ShopFileName.h"
#include "core/ui/UserInterface.h"

#include <filesystem>

namespace qs {
namespace fs = std::filesystem;

namespace {

// The real path, links and ".." resolved; the path itself when that fails.
fs::path realPath(const fs::path& path)
{
    std::error_code ec;
    fs::path real = fs::weakly_canonical(fs::absolute(path, ec), ec);
    return ec ? path : real;
}

} // namespace

std::string PickFileIntoDirectory(UserInterface& ui, const std::string& directory, std::string_view filter,
                                  std::string_view initialName, std::string* startFolder)
{
    FileDialogRequest request;
    request.directory = startFolder && !startFolder->empty() ? *startFolder : directory;
    request.filter = filter;
    request.initialName = initialName;
    const std::optional<std::string> chosen = ui.openFile(request);
    std::error_code ec;
    if (!chosen || !fs::is_regular_file(*chosen, ec))
        return {};
    if (startFolder)
        *startFolder = fs::path(*chosen).parent_path().string();
    const fs::path source = realPath(*chosen);
    const fs::path folder = realPath(directory);
    const bool inFolder = source.parent_path() == folder;
    // A link into the folder stands for the file it leads to: the catalogue
    // names that file, which the export copies (it leaves links behind).
    const std::string diskName = (inFolder ? source : fs::path(*chosen)).filename().string();
    const std::string name = shopFileName(diskName);
    const fs::path destination = folder / name;
    // Already there under its shared name, by whatever way it was reached:
    // used in place. A link of that name leading out is no file the export takes.
    if ((inFolder && name == diskName) ||
        (!fs::is_symlink(destination, ec) && fs::equivalent(source, destination, ec)))
        return name;
    if (!inFolder && ui.ask("The file needs to be in the " + folder.string() +
                                " directory for upload reasons. Quaystall DB will "
                                "attempt to copy it there.",
                            MessageKind::Information, Buttons::OkCancel) != Answer::Ok)
        return {};
    if (fs::exists(fs::symlink_status(destination, ec)) &&
        ui.ask(replaceFileQuestion, MessageKind::Warning, Buttons::YesNo) != Answer::Yes)
        return {};
    try {
        MakeDirPath(folder.string());
        copyFileReplacingOrThrow(source.string(), destination.string());
    } catch (const FileError& e) {
        ui.message(e.what(), MessageKind::Error);
        return {};
    }
    if (name != diskName)
        ui.message(renamedCopyMessage(name), MessageKind::Information);
    return name;
}

std::string renamedCopyMessage(std::string_view name)
{
    return "The file's name holds characters that the catalogue and the web server would read "
           "differently, so it has been copied as \"" +
           std::string(name) + "\", a name both read alike.";
}

} // namespace qs
