#pragma once

#include "cli/CliUserInterface.h"
#include "core/app/AppState.h"
#include "core/catalogue/EditorState.h"

#include <functional>
#include <iostream>
#include <memory>
#include <string>

namespace qs::cli {

// What the commands of the command line share. Each command group registers
// its sub-commands with CLI11 and, when one is chosen, hands its work to
// setCommand; run() then performs it between the desktop program's start-up
// and shut-down.
class CliContext {
public:
    using Command = std::function<bool(CliContext&)>;

    // --program-dir; when empty, start-up chooses (ProgramFolder.h).
    std::string programDir;
    CliUserInterface ui{std::cerr};
    std::ostream& out = std::cout;

    void setCommand(Command command) { command_ = std::move(command); }
    // A command refused before any work: the message, then exit status 1.
    void refuse(std::string_view message);

    // Start-up, the command, shut-down. Every error is told on standard
    // error; the result is the exit status, 1 when anything failed.
    int run();

    AppState& state() { return *state_; }
    EditorState& editor() { return editor_; }

private:
    bool runCommand();

    std::unique_ptr<AppState> state_;
    EditorState editor_;
    Command command_;
    bool refused_ = false;
};

} // namespace qs::cli
