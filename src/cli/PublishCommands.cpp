#include "cli/Commands.h"

#include "cli/ChooseShop.h"
#include "cli/CliContext.h"
#include "core/publish/Exporter.h"

namespace qs::cli {
namespace {

// The export with its confirmation answered Yes. The settings dialogs that
// would put missing mail settings right need a person: their message is
// told and the export stops before building anything.
bool exportShop(CliContext& context, const std::string& name)
{
    if (!openNamedShop(context, name))
        return false;
    context.ui.setAssumeYes(true);
    const ExportDialogs noDialogs{[] { return false; }, [] { return false; }};
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
