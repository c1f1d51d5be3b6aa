#pragma once

#include <deque>
#include <string>
#include <vector>

#include "desktop/messagebox.h"

// Answers the program's questions from a queue (Yes when it runs dry), its
// choices between named buttons from another (the default button when it
// runs dry), and keeps every text it was shown and the kind of box, for as
// long as it lives.
class ScriptedAnswers {
  public:
    ScriptedAnswers() {
        SetMessageBoxHook([this](const std::string& text, unsigned type) {
            messages.push_back(text);
            types.push_back(type);
            if (answers.empty()) return int(IDYES);
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        });
        SetChoiceHook([this](const std::string& text, const QStringList&, int defaultButton) {
            messages.push_back(text);
            if (choices.empty()) return defaultButton;
            const int choice = choices.front();
            choices.pop_front();
            return choice;
        });
    }
    ~ScriptedAnswers() {
        SetMessageBoxHook({});
        SetChoiceHook({});
    }
    ScriptedAnswers(const ScriptedAnswers&) = delete;
    ScriptedAnswers& operator=(const ScriptedAnswers&) = delete;

    std::vector<std::string> messages;
    std::vector<unsigned> types;  // of the boxes, as MB_ flags
    std::deque<int> answers;
    std::deque<int> choices;
};
