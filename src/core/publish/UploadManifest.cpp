#include "core/publish/UploadManifest.h"

#include "core/app/AppState.h"
#include "core/publish/Exporter.h"
#include "core/text/AtomicFile.h"
#include "core/text/FileError.h"
#include "core/text/JoinPath.h"
#include "core/text/LineSplitter.h"
#include "core/text/ReadFile.h"

#include <charconv>

namespace qs {

std::string uploadManifestFile(const AppState& state)
{
    return joinPath(uploadFolder(state), state.ShopName + ".manifest");
}

UploadManifest readUploadManifest(const std::string& path, const std::string& host)
{
    UploadManifest manifest{host, {}};
    std::string text;
    try {
        text = readFileBytes(path);
    } catch (const FileError&) {
        return manifest;
    }
    bool sameHost = false;
    forEachLine(text, [&](std::string_view line) {
        if (line.starts_with("Host=")) {
            sameHost = line.substr(5) == host;
            return;
        }
        const auto firstSpace = line.find(' ');
        const auto secondSpace = line.find(' ', firstSpace + 1);
        if (!sameHost || firstSpace == std::string_view::npos || secondSpace == std::string_view::npos)
            return;
        UploadedFile file;
        const auto [end, error] = std::from_chars(line.data(), line.data() + firstSpace, file.size);
        if (error != std::errc() || end != line.data() + firstSpace)
            return;
        file.sha256 = std::string(line.substr(firstSpace + 1, secondSpace - firstSpace - 1));
        manifest.files[std::string(line.substr(secondSpace + 1))] = file;
    });
    return manifest;
}

void writeUploadManifest(const std::string& path, const UploadManifest& manifest)
{
    std::string text = "Host=" + manifest.host + "\r\n";
    for (const auto& [name, file] : manifest.files)
        text += std::to_string(file.size) + " " + file.sha256 + " " + name + "\r\n";
    writeFileAtomically(path, text);
}

} // namespace qs
