#pragma once

#include "core/ui/UserInterface.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

namespace qs::gui {

class TProgressForm;

// The core's questions and messages as Qt dialogs over a parent window. Texts
// arrive as Windows-1252 bytes and are decoded here, at the screen's edge.
class QtUserInterface : public qs::UserInterface {
public:
    explicit QtUserInterface(QWidget* parent = nullptr);
    ~QtUserInterface() override;

    void setParentWidget(QWidget* parent) { parent_ = parent; }

    void message(std::string_view text, MessageKind kind) override;
    void messageWithFolder(std::string_view text, const std::string& folder) override;
    Answer ask(std::string_view text, MessageKind kind, Buttons buttons) override;
    std::optional<std::string> inputText(std::string_view caption, std::string_view prompt,
                                         std::string_view initial) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    Progress& progress() override;

    // Any of CR LF, LF CR, CR or LF as the screen's line break.
    static QString displayText(std::string_view text);
    // The same, with a place to break inside every run of characters too long
    // for a line (a long name), so that a message box wraps it instead of
    // growing off the screen.
    static QString wrappableText(std::string_view text);
    static constexpr qsizetype longestUnbrokenRun = 60;
    static QString title(MessageKind kind);
    // "Image Files (*.jpg;*.gif)|*.jpg;*.gif" as Qt writes it: "Image Files (*.jpg *.gif)".
    static QString qtFilter(std::string_view filter);

private:
    QPointer<QWidget> parent_;
    // Owned by the parent window when there is one, else here.
    QPointer<TProgressForm> progress_;
    std::unique_ptr<TProgressForm> ownedProgress_;
};

} // namespace qs::gui
