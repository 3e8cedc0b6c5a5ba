#pragma once

#include <QString>

namespace kav {

// The operator's modal boxes, behind one seam: the main window shows them as message boxes, tests
// answer them. Texts come as the program words them, line breaks written as CR.
class CommunicationPrompts {
public:
    virtual ~CommunicationPrompts() = default;

    // A warning with the buttons Yes and No; true for Yes.
    virtual bool askYesNo(const QString& text) = 0;
    // A warning with a single OK button.
    virtual void warn(const QString& text) = 0;
    // An error with a single OK button.
    virtual void showError(const QString& text) = 0;
};

} // namespace kav
