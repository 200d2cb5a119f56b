#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qs {

class Progress;

// About: the program's own box, titled after it and showing its icon.
enum class MessageKind { Information, Warning, Error, Confirmation, About };
// NoYes offers Yes and No as YesNo does, with No the default: for a question
// whose Yes cannot be taken back.
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, NoYes };
enum class Answer { Ok, Cancel, Yes, No };

// A file-open dialog: its title (a plain "Open" when empty), where it
// starts (a path, in the file system's bytes), what it offers, what it
// proposes (a name the catalogue holds).
struct FileDialogRequest {
    std::string caption;
    std::string directory;
    // Description and patterns separated by "|", e.g. "Image Files (*.jpg)|*.jpg".
    std::string filter;
    std::string initialName;
};

// How the core's commands ask and tell. Every text is Windows-1252 bytes (the
// paths of the file dialog excepted); the
// face that implements this converts for the screen or the terminal.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A message box with an OK button.
    virtual void message(std::string_view text, MessageKind kind) = 0;
    // A question; the answer is one of the buttons offered.
    virtual Answer ask(std::string_view text, MessageKind kind, Buttons buttons) = 0;
    // An input box; empty when cancelled.
    virtual std::optional<std::string> inputText(std::string_view caption, std::string_view prompt,
                                                 std::string_view initial) = 0;
    // A file-open dialog; the chosen path in the file system's bytes (not
    // Windows-1252), or empty when cancelled.
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    // A message about a folder on this computer, offering to open it in the
    // file manager; a face without one tells the text alone.
    virtual void messageWithFolder(std::string_view text, const std::string& /*folder*/)
    {
        message(text, MessageKind::Information);
    }
    // The shared "Please Wait..." progress window.
    virtual Progress& progress() = 0;
};

} // namespace qs
