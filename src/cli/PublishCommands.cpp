#include "cli/Commands.h"

#include "cli/ChooseShop.h"
#include "cli/CliContext.h"
#include "core/publish/Exporter.h"

namespace qs::cli {
namespace {

// The export with its confirmation answered Yes. The settings dialogs that
// would put missing mail settings right need a person: their message is
// told and the export stops before building anything. The warnings of a shop
// that cannot take orders properly are told, each on a line of its own, and
// the export goes on.
bool exportShop(CliContext& context, const std::string& name)
{
    if (!openNamedShop(context, name))
        return false;
    context.ui.setAssumeYes(true);
    const ExportDialogs noDialogs{[] { return false; }, [] { return false; },
                                  [&](const std::vector<std::string>& warnings) {
                                      for (const std::string& warning : warnings)
                                          context.ui.message("warning: " + warning, MessageKind::Warning);
                                      return true;
                                  }};
    return ExportCommand(context.state(), context.ui, noDialogs) == ExportOutcome::Complete;
}

} // namespace

void addPublishCommands(CLI::App& app, CliContext& context)
{
    addShopSubcommand(app, context, "export",
                      "Build the shop in the upload folder, ready to be copied to the web server",
                      exportShop);
}

} // namespace qs::cli
