#include "message_box_prompts.h"

#include "ui_prompter.h"

namespace kav {
namespace {

// The texts break their lines with CR, which a message box does not treat as a line break.
QString Displayed(const QString& text)
{
    QString shown = text;
    return shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

// Through the display's prompter, which puts the boxes above a full-screen result window.
bool TMessageBoxPrompts::AskYesNo(const QString& text)
{
    return Prompter().Ask(TBoxKind::Warning, Displayed(text), false, m_parent) == TAnswer::Yes;
}

void TMessageBoxPrompts::Warn(const QString& text)
{
    Prompter().Tell(TBoxKind::Warning, Displayed(text), m_parent);
}

void TMessageBoxPrompts::ShowError(const QString& text)
{
    Prompter().Tell(TBoxKind::Error, Displayed(text), m_parent);
}

} // namespace kav
