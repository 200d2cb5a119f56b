#pragma once

#include <string>

namespace qs {

struct AppState;

// Whether the upload folder is older than the shop: it was never built, or a
// file of the shop's CGI folder (catalogue, settings, data) or of its image
// folder was added, removed or changed in size or content since the export
// last built the folder completely. Dates do not count: a picture replaced by
// an older file is a change. The upload's own settings and known hosts do
// not count, nor the orders and the other files fetched into the folders the
// scripts write in.
bool uploadFolderOutOfDate(const AppState& state);

// Keeps what the shop's files were as the export built the upload folder
// from them; throws FileError.
void recordUploadFolderSources(const AppState& state);

// The record's file: upload/SHOP.sources, in the manifest's form.
std::string uploadSourcesFile(const AppState& state);

} // namespace qs
