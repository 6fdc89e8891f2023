#pragma once
// A UI service for tests: records everything shown and answers questions from a script.

#include "common/ui_service.h"

#include <deque>
#include <string>
#include <vector>

namespace lv::testing {

struct ShownMessage {
    std::string text;
    std::string title;
    ui::Icon icon;
    bool question;
};

class UiRecorder final : public ui::Service {
public:
    UiRecorder()
        : guard_(*this)
    {
    }

    void showMessage(std::string_view text, std::string_view title, ui::Icon icon) override
    {
        messages.push_back({std::string(text), std::string(title), icon, false});
    }
    ui::Answer ask(std::string_view text, std::string_view title, ui::Buttons, ui::Icon icon) override
    {
        messages.push_back({std::string(text), std::string(title), icon, true});
        if (answers.empty())
            return ui::Answer::Cancel;
        const ui::Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void beep() override { ++beeps; }
    void setBusy(bool busy) override
    {
        busyDepth += busy ? 1 : -1;
        if (busy)
            ++busyCount;
    }
    void reportProgress(std::string_view caption, int percent) override
    {
        progress.push_back({std::string(caption), percent});
    }
    bool escapeHeld() override
    {
        ++escapePolls;
        return escapeAfterPolls >= 0 && escapePolls > escapeAfterPolls;
    }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const auto& m : messages)
            out.push_back(m.text);
        return out;
    }

    std::vector<ShownMessage> messages;
    std::deque<ui::Answer> answers;  // scripted replies, in order; Cancel when exhausted
    std::vector<std::pair<std::string, int>> progress;
    int beeps = 0;
    int busyDepth = 0;
    int busyCount = 0;
    int escapePolls = 0;
    int escapeAfterPolls = -1;  // Esc reads as held once this many polls have passed; -1 never

private:
    ui::ScopedService guard_;
};

}  // namespace lv::testing
