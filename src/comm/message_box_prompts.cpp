#include "message_box_prompts.h"

#include <QApplication>
#include <QMessageBox>

namespace kav {
namespace {

// The texts break their lines with CR, which a message box does not treat as a line break.
QString Displayed(const QString& text)
{
    QString shown = text;
    return shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

bool TMessageBoxPrompts::AskYesNo(const QString& text)
{
    return QMessageBox::warning(m_parent, QApplication::applicationName(), Displayed(text),
                                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void TMessageBoxPrompts::Warn(const QString& text)
{
    QMessageBox::warning(m_parent, QApplication::applicationName(), Displayed(text));
}

void TMessageBoxPrompts::ShowError(const QString& text)
{
    QMessageBox::critical(m_parent, QApplication::applicationName(), Displayed(text));
}

} // namespace kav
