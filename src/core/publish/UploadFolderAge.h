#pragma once

namespace qs {

struct AppState;

// Whether the upload folder is older than the shop: it was never built, or
// a file of the shop's CGI folder (catalogue, settings, data) or of its image
// folder changed after the export last wrote the shop's settings file there.
// The upload's own settings and known hosts do not count, nor the orders
// and the other files fetched into the folders the scripts write in.
bool uploadFolderOutOfDate(const AppState& state);

} // namespace qs
