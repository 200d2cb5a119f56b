#include "core/publish/UploadManifest.h"

#include "core/app/AppState.h"
#include "core/publish/Exporter.h"
#include "core/text/AtomicFile.h"
#include "core/text/FileError.h"
#include "core/text/JoinPath.h"
#include "core/text/ReadFile.h"

#include <charconv>
#include <sstream>

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
    std::istringstream lines(text);
    std::string line;
    bool sameHost = false;
    while (std::getline(lines, line)) {
        if (line.ends_with('\r'))
            line.pop_back();
        if (line.starts_with("Host=")) {
            sameHost = line.substr(5) == host;
            continue;
        }
        const auto firstSpace = line.find(' ');
        const auto secondSpace = line.find(' ', firstSpace + 1);
        if (!sameHost || firstSpace == std::string::npos || secondSpace == std::string::npos)
            continue;
        UploadedFile file;
        const auto [end, error] = std::from_chars(line.data(), line.data() + firstSpace, file.size);
        if (error != std::errc() || end != line.data() + firstSpace)
            continue;
        file.sha256 = line.substr(firstSpace + 1, secondSpace - firstSpace - 1);
        manifest.files[line.substr(secondSpace + 1)] = file;
    }
    return manifest;
}

void writeUploadManifest(const std::string& path, const UploadManifest& manifest)
{
    std::string text = "Host=" + manifest.host + "\r\n";
    for (const auto& [name, file] : manifest.files)
        text += std::to_string(file.size) + " " + file.sha256 + " " + name + "\r\n";
    AtomicFileWriter writer(path);
    writer.write(text);
    writer.commit();
}

} // namespace qs
