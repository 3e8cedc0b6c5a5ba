#pragma once

#include "ui_prompter.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

namespace kav {

// Answers the display's modal questions the way a test prepared, and installs itself while it lives.
class TScriptedPrompter : public TUiPrompter {
public:
    TScriptedPrompter() { SetPrompter(this); }
    ~TScriptedPrompter() override { SetPrompter(nullptr); }

    // Runs on the dialog in place of a person, and gives the answer.
    std::function<int(QDialog&)> OnExec = [](QDialog&) { return int(QDialog::Rejected); };
    std::optional<QFont> FontAnswer;
    std::optional<QColor> ColorAnswer;
    QColor ColorAsked;
    bool PrinterAnswer = false;
    QString FileAnswer;
    QString FilterAsked;
    bool ConfirmAnswer = false;
    QString ConfirmAsked;
    int ExecCount = 0;

    int Exec(QDialog& dialog) override;
    std::optional<QFont> ChooseFont(const QFont& initial, QWidget* parent) override;
    std::optional<QColor> ChooseColor(const QColor& initial, QWidget* parent) override;
    bool SetUpPrinter(QPrinter& printer, QWidget* parent) override;
    QString OpenFileName(const QString& filter, QWidget* parent) override;
    bool Confirm(const QString& text, QWidget* parent) override;
};

} // namespace kav
