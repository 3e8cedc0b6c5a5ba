#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <utility>

#include "communication_prompts.h"
#include "ui_prompter.h"

namespace kav {

// Answers every modal question of the program the way a test scripted it, for the main window, the
// display and the channels alike, and keeps what was shown. It installs itself as the display's
// prompter while it lives.
class ScriptedPrompter : public UiPrompter, public CommunicationPrompts {
public:
    ScriptedPrompter() { setPrompter(this); }
    ~ScriptedPrompter() override { setPrompter(nullptr); }

    std::deque<Answer> answers;        // taken in turn by every question; No once they run out
    QStringList questions;             // every question asked, in order
    QStringList messages;              // every warning, error and note shown, in order
    bool documentOpens = true;         // false: as a desktop without a program for the document
    QStringList shown;                 // every question and message, in order
    std::function<void()> whileAsking; // runs once, while the next question is on screen
    int mostOpenAtOnce = 0;
    bool asking() const { return m_open > 0; }

    std::function<int(QDialog&)> onExec; // plays the person at a modal dialog; rejects when unset
    int execCount = 0;
    std::optional<QFont> fontAnswer;
    std::optional<QColor> colorAnswer;
    QColor colorAsked;
    bool printerAnswer = false;
    QString openAnswer; // the open and save dialogs' file, empty for cancel
    QString saveAnswer;
    QString filterAsked;
    QStringList opened; // documents handed to the desktop

    Answer ask(BoxKind, const QString& text, bool withCancel, QWidget*) override
    {
        questions << text;
        shown << text;
        mostOpenAtOnce = std::max(mostOpenAtOnce, ++m_open);
        if (whileAsking)
            std::exchange(whileAsking, nullptr)();
        --m_open;
        if (answers.empty())
            return Answer::No;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer == Answer::Cancel && !withCancel ? Answer::No : answer;
    }
    bool askYesNo(const QString& text) override { return ask(BoxKind::Warning, text, false, nullptr) == Answer::Yes; }
    bool confirm(const QString& text, QWidget* parent) override
    {
        return ask(BoxKind::Confirmation, text, false, parent) == Answer::Yes;
    }
    void warn(const QString& text) override { tell(BoxKind::Warning, text, nullptr); }
    void showError(const QString& text) override { tell(BoxKind::Error, text, nullptr); }
    void tell(BoxKind, const QString& text, QWidget*) override
    {
        messages << text;
        shown << text;
    }
    int exec(QDialog& dialog) override
    {
        ++execCount;
        return onExec ? onExec(dialog) : int(QDialog::Rejected);
    }
    std::optional<QFont> chooseFont(const QFont&, QWidget*) override { return fontAnswer; }
    std::optional<QColor> chooseColor(const QColor& initial, QWidget*) override
    {
        colorAsked = initial;
        return colorAnswer;
    }
    bool setUpPrinter(QPrinter&, QWidget*) override { return printerAnswer; }
    QString openFileName(const QString& filter, QWidget*) override
    {
        filterAsked = filter;
        return openAnswer;
    }
    QString saveFileName(const QString&, const QString&, const QString&, QWidget*) override { return saveAnswer; }
    bool openDocument(const QString& path) override
    {
        opened << path;
        return documentOpens;
    }

private:
    int m_open = 0;
};

} // namespace kav
