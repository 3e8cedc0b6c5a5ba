#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace kav {

// Every modal question, system dialog and modal showing of the display goes through here, so that
// tests can answer them without a person at the screen.
class TUiPrompter {
public:
    TUiPrompter() = default;
    virtual ~TUiPrompter() = default;
    TUiPrompter(const TUiPrompter&) = delete;
    TUiPrompter& operator=(const TUiPrompter&) = delete;

    // Shows the dialog modally and returns its answer.
    virtual int Exec(QDialog& dialog);
    virtual std::optional<QFont> ChooseFont(const QFont& initial, QWidget* parent);
    virtual std::optional<QColor> ChooseColor(const QColor& initial, QWidget* parent);
    // The print dialog; false when the operator cancels.
    virtual bool SetUpPrinter(QPrinter& printer, QWidget* parent);
    // An existing file's full path, empty when cancelled.
    virtual QString OpenFileName(const QString& filter, QWidget* parent);
    // A confirmation with Yes and No; true for Yes.
    virtual bool Confirm(const QString& text, QWidget* parent);
};

TUiPrompter& Prompter();
// Replaces the prompter; nullptr brings back the real dialogs. The caller keeps ownership.
void SetPrompter(TUiPrompter* prompter);

} // namespace kav
