#include "message_box_prompts.h"

#include "ui_prompter.h"

namespace kav {
namespace {

// The texts break their lines with CR, which a message box does not treat as a line break.
QString displayed(const QString& text)
{
    QString shown = text;
    return shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

// Through the display's prompter, which puts the boxes above a full-screen result window.
bool MessageBoxPrompts::askYesNo(const QString& text)
{
    return prompter().ask(BoxKind::Warning, displayed(text), false, m_parent) == Answer::Yes;
}

void MessageBoxPrompts::warn(const QString& text)
{
    prompter().tell(BoxKind::Warning, displayed(text), m_parent);
}

void MessageBoxPrompts::showError(const QString& text)
{
    prompter().tell(BoxKind::Error, displayed(text), m_parent);
}

} // namespace kav
