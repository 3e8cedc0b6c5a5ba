#pragma once

#include <QList>
#include <QString>

#include <algorithm>
#include <functional>
#include <utility>

#include "comm_prompts.h"

namespace kav {

// Answers the operator's boxes the way a test scripted them, and remembers what was shown. Only
// communication_form_test.cpp still uses it; it is to move to the shared ScriptedPrompter (tests/common).
class TScriptedPrompts : public TCommPrompts {
public:
    QList<QString> Questions;
    QList<QString> Warnings;
    QList<QString> Errors;
    QList<bool> Answers;             // taken in turn; No once they run out
    std::function<void()> WhileOpen; // runs while a question is on screen, as its event loop would
    int OpenQuestions = 0;
    int MostOpenAtOnce = 0;

    bool AskYesNo(const QString& text) override
    {
        Questions.append(text);
        MostOpenAtOnce = std::max(MostOpenAtOnce, ++OpenQuestions);
        if (WhileOpen)
            std::exchange(WhileOpen, nullptr)();
        --OpenQuestions;
        return Answers.isEmpty() ? false : Answers.takeFirst();
    }
    void Warn(const QString& text) override { Warnings.append(text); }
    void ShowError(const QString& text) override { Errors.append(text); }
};

} // namespace kav
