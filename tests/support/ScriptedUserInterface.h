#pragma once

#include "core/ui/Progress.h"
#include "core/ui/UserInterface.h"

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qs::test {

// A user who answers from a script: every message and question is recorded,
// and answers are taken from queues filled in advance. A question nobody
// prepared an answer for fails the test loudly instead of guessing.
class ScriptedUserInterface : public UserInterface {
public:
    struct Said {
        std::string text;
        MessageKind kind;
        bool question;
    };

    std::vector<Said> said;
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> inputs;
    // What each input box showed to begin with.
    std::vector<std::string> inputInitials;
    std::deque<std::optional<std::string>> files;
    std::vector<FileDialogRequest> fileRequests;
    // The folders a message offered to open.
    std::vector<std::string> offeredFolders;

    class RecordingProgress : public Progress {
    public:
        std::vector<std::string> labels;
        long long minimum = 0, maximum = 0, position = 0, steps = 0;
        bool visible = false;
        bool cancelOffered = false;
        int shows = 0;
        // The merchant presses Cancel, or the work fails, at this step.
        long long cancelAtStep = -1;
        long long failAtStep = -1;

        void setLabel(std::string_view text) override { labels.emplace_back(text); }
        void setRange(long long lo, long long hi) override { minimum = lo, maximum = hi; }
        void setPosition(long long p) override { position = p; }
        void show() override { visible = true, ++shows; }
        void step() override
        {
            ++position, ++steps;
            if (steps == failAtStep)
                throw std::runtime_error("Out of memory");
        }
        void hide() override { visible = false; }
        void offerCancel(bool offered) override { cancelOffered = offered; }
        bool cancelRequested() const override { return cancelAtStep >= 0 && steps >= cancelAtStep; }
    } progressWindow;

    void message(std::string_view text, MessageKind kind) override
    {
        said.push_back({std::string(text), kind, false});
    }

    void messageWithFolder(std::string_view text, const std::string& folder) override
    {
        message(text, MessageKind::Information);
        offeredFolders.push_back(folder);
    }

    Answer ask(std::string_view text, MessageKind kind, Buttons) override
    {
        said.push_back({std::string(text), kind, true});
        if (answers.empty())
            throw std::logic_error("Unexpected question: " + std::string(text));
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::optional<std::string> inputText(std::string_view caption, std::string_view prompt,
                                         std::string_view initial) override
    {
        said.push_back({std::string(caption) + " / " + std::string(prompt), MessageKind::Information, true});
        inputInitials.emplace_back(initial);
        if (inputs.empty())
            throw std::logic_error("Unexpected input box: " + std::string(caption));
        auto input = inputs.front();
        inputs.pop_front();
        return input;
    }

    std::optional<std::string> openFile(const FileDialogRequest& request) override
    {
        fileRequests.push_back(request);
        if (files.empty())
            throw std::logic_error("Unexpected file dialog");
        auto file = files.front();
        files.pop_front();
        return file;
    }

    Progress& progress() override { return progressWindow; }

    // The texts said, in order.
    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const auto& s : said)
            result.push_back(s.text);
        return result;
    }
};

} // namespace qs::test
