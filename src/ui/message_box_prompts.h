#pragma once

#include "communication_prompts.h"

class QWidget;

namespace kav {

// The operator's boxes as the program shows them: modal message boxes over the given window.
class MessageBoxPrompts : public CommunicationPrompts {
public:
    explicit MessageBoxPrompts(QWidget* parent = nullptr) : m_parent(parent) {}

    bool askYesNo(const QString& text) override;
    void warn(const QString& text) override;
    void showError(const QString& text) override;

private:
    QWidget* m_parent;
};

} // namespace kav
