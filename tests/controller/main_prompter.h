#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

#include "ui_prompter.h"

namespace kav {

// Answers the main window's questions from a prepared queue and keeps what was asked, in order.
class TMainPrompter : public TUiPrompter {
public:
    TMainPrompter() { SetPrompter(this); }
    ~TMainPrompter() override { SetPrompter(nullptr); }

    std::deque<TAnswer> Answers; // an empty queue answers No
    QStringList Asked;           // questions and messages, in order
    QString SaveAnswer;          // the save dialog's file, empty for cancel
    QString OpenAnswer;          // the open dialog's file, empty for cancel
    QStringList Opened;          // documents handed to the desktop
    // Runs on each modal dialog in place of a person; rejects when unset.
    std::function<int(QDialog&)> OnExec;

    int Exec(QDialog& dialog) override { return OnExec ? OnExec(dialog) : int(QDialog::Rejected); }
    TAnswer Ask(TBoxKind, const QString& text, bool withCancel, QWidget*) override
    {
        Asked << text;
        if (Answers.empty())
            return TAnswer::No;
        const TAnswer answer = Answers.front();
        Answers.pop_front();
        return (answer == TAnswer::Cancel && !withCancel) ? TAnswer::No : answer;
    }
    void Tell(TBoxKind, const QString& text, QWidget*) override { Asked << text; }
    QString SaveFileName(const QString&, const QString&, const QString&, QWidget*) override { return SaveAnswer; }
    QString OpenFileName(const QString&, QWidget*) override { return OpenAnswer; }
    bool OpenDocument(const QString& path) override
    {
        Opened << path;
        return true;
    }
};

} // namespace kav
