#include "cli/CliUserInterface.h"

#include "core/text/Cp1252.h"
#include "core/text/LineBreaks.h"

#include <ostream>

namespace qs::cli {

namespace {

bool offersYes(Buttons buttons)
{
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel || buttons == Buttons::NoYes;
}

// The answer that does nothing: what a person who walked away would give.
Answer refusal(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::NoYes:
        return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
        break;
    }
    return Answer::Cancel;
}

} // namespace

CliUserInterface::CliUserInterface(std::ostream& err) : err_(err) {}

std::string CliUserInterface::forTerminal(std::string_view text)
{
    return cp1252ToUtf8(withLineBreaks(text, "\n"));
}

std::optional<std::string> CliUserInterface::fromTerminal(std::string_view utf8)
{
    Cp1252Conversion converted = utf8ToCp1252(utf8);
    if (!converted.converted()) {
        message(converted.refusal, MessageKind::Error);
        return std::nullopt;
    }
    return std::move(converted.bytes);
}

void CliUserInterface::message(std::string_view text, MessageKind)
{
    err_ << forTerminal(text) << '\n';
}

Answer CliUserInterface::ask(std::string_view text, MessageKind, Buttons buttons)
{
    if (assumeYes_ && offersYes(buttons))
        return Answer::Yes;
    err_ << forTerminal(text) << '\n' << "Not answered: add --yes to answer Yes." << '\n';
    return refusal(buttons);
}

std::optional<std::string> CliUserInterface::inputText(std::string_view, std::string_view, std::string_view)
{
    if (inputs_.empty())
        return std::nullopt;
    std::string text = std::move(inputs_.front());
    inputs_.pop_front();
    return text;
}

std::optional<std::string> CliUserInterface::openFile(const FileDialogRequest&)
{
    return std::nullopt;
}

} // namespace qs::cli
