#include <CLI/CLI.hpp>

#include <iostream>

int main(int argc, char** argv)
{
    CLI::App app{"quaystall-cli: the command-line companion of Quaystall DB"};
    app.set_version_flag("--version", std::string("Quaystall DB v") + QUAYSTALL_VERSION);
    CLI11_PARSE(app, argc, argv);
    return 0;
}
