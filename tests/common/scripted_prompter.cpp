#include "scripted_prompter.h"

#include <algorithm>
#include <utility>

namespace kav {

TAnswer ScriptedPrompter::Ask(TBoxKind /*kind*/, const QString& text, bool withCancel, QWidget* /*parent*/)
{
    questions << text;
    mostOpenAtOnce = std::max(mostOpenAtOnce, ++m_open);
    if (whileAsking)
        std::exchange(whileAsking, nullptr)();
    --m_open;
    const TAnswer answer = answers.empty() ? TAnswer::No : answers.front();
    if (!answers.empty())
        answers.pop_front();
    return answer == TAnswer::Cancel && !withCancel ? TAnswer::No : answer;
}

bool ScriptedPrompter::Confirm(const QString& text, QWidget* parent)
{
    return Ask(TBoxKind::Confirmation, text, false, parent) == TAnswer::Yes;
}

int ScriptedPrompter::Exec(QDialog& dialog)
{
    ++execCount;
    return onExec ? onExec(dialog) : int(QDialog::Rejected);
}

std::optional<QColor> ScriptedPrompter::ChooseColor(const QColor& initial, QWidget* /*parent*/)
{
    colorAsked = initial;
    return colorAnswer;
}

QString ScriptedPrompter::OpenFileName(const QString& filter, QWidget* /*parent*/)
{
    filterAsked = filter;
    return openAnswer;
}

bool ScriptedPrompter::OpenDocument(const QString& path)
{
    opened << path;
    return true;
}

} // namespace kav
