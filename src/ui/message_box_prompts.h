#pragma once

#include "comm_prompts.h"

class QWidget;

namespace kav {

// The operator's boxes as the program shows them: modal message boxes over the given window.
class TMessageBoxPrompts : public TCommPrompts {
public:
    explicit TMessageBoxPrompts(QWidget* parent = nullptr) : m_parent(parent) {}

    bool AskYesNo(const QString& text) override;
    void Warn(const QString& text) override;
    void ShowError(const QString& text) override;

private:
    QWidget* m_parent;
};

} // namespace kav
