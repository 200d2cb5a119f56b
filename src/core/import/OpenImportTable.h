#pragma once

#include "core/import/ImportSheet.h"

#include <optional>
#include <string>
#include <string_view>

namespace qs {

struct AppState;
class FieldDefinitions;
class UserInterface;

// The importer's open-file dialog, starting in the program folder's Data
// folder (the program folder itself while there is none): the chosen table's
// path, or none when the merchant cancelled.
std::optional<std::string> chooseImportTable(const AppState& app, UserInterface& ui);

// What becomes of a table with a quoted cell that never closes, which holds
// the rest of the table: the importer window shows it with a warning, for the
// merchant to look at; with nobody to look (the command line), it is refused.
enum class UnclosedQuote { Warn, Refuse };

// Reads a table with the assignments of the .sff file beside it, every row a
// product row. Tells the merchant what the reading changed (characters the
// catalogue cannot hold, a quote never closed); a table that cannot be read,
// or is refused, is told and gives none.
std::optional<ImportSheet> openImportTable(const std::string& path, const FieldDefinitions& fields,
                                           UserInterface& ui, UnclosedQuote unclosed = UnclosedQuote::Warn);

inline constexpr std::string_view importDialogCaption = "Choose a database table to import";
inline constexpr std::string_view importDialogFilter =
    "Tab Delimited Database (*.txt)|*.txt|Comma Separated Database (*.csv)|*.csv";

} // namespace qs
