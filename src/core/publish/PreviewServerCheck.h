#pragma once

#include <string>

namespace qs {

// What answers at the preview port of this computer may be another program
// (a development server, another web server) that knows nothing of the shop:
// the browser would show that program's page. The preview's web server
// serves the program's image folder under /images/, so a file written there
// for the moment, with a random text, comes back as written from it and
// from no other program.
enum class PreviewServerCheck {
    // The file came back: the server serves this program's folders.
    Ours,
    // Something else came back, an error, or nothing within a few seconds.
    Foreign,
    // The file could not be written, so nothing can be told.
    Unknown,
};

// Asks the web server at 127.0.0.1:port for a file written into the image
// folder for the question, and removes the file again.
PreviewServerCheck checkPreviewServer(int port, const std::string& imageFolder);

} // namespace qs
