#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace kav {

// The answers of a question box.
enum class TAnswer { Yes, No, Cancel };

// The icon and purpose of a message box.
enum class TBoxKind { Information, Warning, Error, Confirmation };

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
    // A question with Yes and No, and Cancel when asked for.
    virtual TAnswer Ask(TBoxKind kind, const QString& text, bool withCancel, QWidget* parent);
    // A message with a single OK button.
    virtual void Tell(TBoxKind kind, const QString& text, QWidget* parent);
    // A file name to save to, empty when cancelled; the caller asks about overwriting.
    virtual QString SaveFileName(const QString& filter, const QString& defaultSuffix, const QString& initial,
                                 QWidget* parent);
    // Opens a document with the desktop's default application; false when that failed.
    virtual bool OpenDocument(const QString& path);
};

TUiPrompter& Prompter();
// Replaces the prompter; nullptr brings back the real dialogs. The caller keeps ownership.
void SetPrompter(TUiPrompter* prompter);

} // namespace kav
