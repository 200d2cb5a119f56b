#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "core/app/About.h"

#include <CLI/CLI.hpp>

#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    qs::cli::CliContext context;
    CLI::App app{"quaystall-cli: the command-line companion of Quaystall DB"};
    app.set_version_flag("--version", std::string(qs::versionLine));
    app.add_option("--program-dir", context.programDir,
                   "The program folder (default: the working directory when it is one, else "
                   "$XDG_DATA_HOME/quaystall or ~/.local/share/quaystall)");
    app.require_subcommand(1);
    qs::cli::addShopCommands(app, context);
    qs::cli::addCatalogueCommands(app, context);
    qs::cli::addPublishCommands(app, context);
    qs::cli::addSearchCommand(app, context);
    qs::cli::addImportCommand(app, context);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // --help and --version end here too, successfully.
        return app.exit(error) == 0 ? 0 : 1;
    }
    const int status = context.run();
    // Leaves without taking the catalogue apart product by product: the
    // operating system frees a big catalogue's memory far faster.
    std::exit(status);
}
