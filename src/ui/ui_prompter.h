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
enum class Answer { Yes, No, Cancel };

// The icon and purpose of a message box.
enum class BoxKind { Information, Warning, Error, Confirmation };

// Every modal question, system dialog and modal showing of the display goes through here, so that
// tests can answer them without a person at the screen.
class UiPrompter {
public:
    UiPrompter() = default;
    virtual ~UiPrompter() = default;
    UiPrompter(const UiPrompter&) = delete;
    UiPrompter& operator=(const UiPrompter&) = delete;

    // Shows the dialog modally and returns its answer.
    virtual int exec(QDialog& dialog);
    virtual std::optional<QFont> chooseFont(const QFont& initial, QWidget* parent);
    virtual std::optional<QColor> chooseColor(const QColor& initial, QWidget* parent);
    // The print dialog; false when the operator cancels.
    virtual bool setUpPrinter(QPrinter& printer, QWidget* parent);
    // An existing file's full path, empty when cancelled.
    virtual QString openFileName(const QString& filter, QWidget* parent);
    // A confirmation with Yes and No; true for Yes.
    virtual bool confirm(const QString& text, QWidget* parent);
    // A question with Yes and No, and Cancel when asked for.
    virtual Answer ask(BoxKind kind, const QString& text, bool withCancel, QWidget* parent);
    // A message with a single OK button.
    virtual void tell(BoxKind kind, const QString& text, QWidget* parent);
    // A file name to save to, empty when cancelled; the caller asks about overwriting.
    virtual QString saveFileName(const QString& filter, const QString& defaultSuffix, const QString& initial,
                                 QWidget* parent);
    // Opens a document with the desktop's default application; false when that failed.
    virtual bool openDocument(const QString& path);
};

UiPrompter& prompter();
// Replaces the prompter; nullptr brings back the real dialogs. The caller keeps ownership.
void setPrompter(UiPrompter* prompter);

} // namespace kav
