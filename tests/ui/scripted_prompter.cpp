#include "scripted_prompter.h"

namespace kav {

int TScriptedPrompter::Exec(QDialog& dialog)
{
    ++ExecCount;
    return OnExec(dialog);
}

std::optional<QFont> TScriptedPrompter::ChooseFont(const QFont& /*initial*/, QWidget* /*parent*/)
{
    return FontAnswer;
}

std::optional<QColor> TScriptedPrompter::ChooseColor(const QColor& initial, QWidget* /*parent*/)
{
    ColorAsked = initial;
    return ColorAnswer;
}

bool TScriptedPrompter::SetUpPrinter(QPrinter& /*printer*/, QWidget* /*parent*/)
{
    return PrinterAnswer;
}

QString TScriptedPrompter::OpenFileName(const QString& filter, QWidget* /*parent*/)
{
    FilterAsked = filter;
    return FileAnswer;
}

bool TScriptedPrompter::Confirm(const QString& text, QWidget* /*parent*/)
{
    ConfirmAsked = text;
    return ConfirmAnswer;
}

} // namespace kav
