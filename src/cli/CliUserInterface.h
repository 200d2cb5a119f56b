#pragma once

#include "core/ui/Progress.h"
#include "core/ui/UserInterface.h"

#include <deque>
#include <iosfwd>
#include <string>

namespace qs::cli {

// The user interface of the command line: messages go to standard error as
// UTF-8, questions are answered Yes only when the command line says so
// (--yes), and input boxes take the texts the command's arguments gave.
class CliUserInterface : public UserInterface {
public:
    explicit CliUserInterface(std::ostream& err);

    void setAssumeYes(bool assumeYes) { assumeYes_ = assumeYes; }
    // Windows-1252 text for the next input box.
    void queueInput(std::string text) { inputs_.push_back(std::move(text)); }

    void message(std::string_view text, MessageKind kind) override;
    Answer ask(std::string_view text, MessageKind kind, Buttons buttons) override;
    std::optional<std::string> inputText(std::string_view caption, std::string_view prompt,
                                         std::string_view initial) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    Progress& progress() override { return progress_; }

    // Windows-1252 text as a terminal shows it: UTF-8 with LF line ends.
    static std::string forTerminal(std::string_view text);
    // A UTF-8 argument in Windows-1252; none, after telling which character
    // the catalogue cannot hold, when it holds one.
    std::optional<std::string> fromTerminal(std::string_view utf8);

private:
    std::ostream& err_;
    bool assumeYes_ = false;
    std::deque<std::string> inputs_;
    SilentProgress progress_;
};

} // namespace qs::cli
