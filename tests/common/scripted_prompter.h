#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <utility>

#include "comm_prompts.h"
#include "ui_prompter.h"

namespace kav {

// Answers every modal question of the program the way a test scripted it, for the main window, the
// display and the channels alike, and keeps what was shown. It installs itself as the display's
// prompter while it lives.
class ScriptedPrompter : public TUiPrompter, public TCommPrompts {
public:
    ScriptedPrompter() { SetPrompter(this); }
    ~ScriptedPrompter() override { SetPrompter(nullptr); }

    std::deque<TAnswer> answers;       // taken in turn by every question; No once they run out
    QStringList questions;             // every question asked, in order
    QStringList messages;              // every warning, error and note shown, in order
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

    TAnswer Ask(TBoxKind, const QString& text, bool withCancel, QWidget*) override
    {
        questions << text;
        shown << text;
        mostOpenAtOnce = std::max(mostOpenAtOnce, ++m_open);
        if (whileAsking)
            std::exchange(whileAsking, nullptr)();
        --m_open;
        if (answers.empty())
            return TAnswer::No;
        const TAnswer answer = answers.front();
        answers.pop_front();
        return answer == TAnswer::Cancel && !withCancel ? TAnswer::No : answer;
    }
    bool AskYesNo(const QString& text) override { return Ask(TBoxKind::Warning, text, false, nullptr) == TAnswer::Yes; }
    bool Confirm(const QString& text, QWidget* parent) override
    {
        return Ask(TBoxKind::Confirmation, text, false, parent) == TAnswer::Yes;
    }
    void Warn(const QString& text) override { Tell(TBoxKind::Warning, text, nullptr); }
    void ShowError(const QString& text) override { Tell(TBoxKind::Error, text, nullptr); }
    void Tell(TBoxKind, const QString& text, QWidget*) override
    {
        messages << text;
        shown << text;
    }
    int Exec(QDialog& dialog) override
    {
        ++execCount;
        return onExec ? onExec(dialog) : int(QDialog::Rejected);
    }
    std::optional<QFont> ChooseFont(const QFont&, QWidget*) override { return fontAnswer; }
    std::optional<QColor> ChooseColor(const QColor& initial, QWidget*) override
    {
        colorAsked = initial;
        return colorAnswer;
    }
    bool SetUpPrinter(QPrinter&, QWidget*) override { return printerAnswer; }
    QString OpenFileName(const QString& filter, QWidget*) override
    {
        filterAsked = filter;
        return openAnswer;
    }
    QString SaveFileName(const QString&, const QString&, const QString&, QWidget*) override { return saveAnswer; }
    bool OpenDocument(const QString& path) override
    {
        opened << path;
        return true;
    }

private:
    int m_open = 0;
};

} // namespace kav
