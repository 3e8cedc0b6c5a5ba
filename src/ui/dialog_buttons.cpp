#include "dialog_buttons.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>

#include <algorithm>

namespace kav {

namespace {

// Puts the focus on the first field of the tab order whenever the dialog is shown, so that a dialog
// kept for the whole run does not open on whatever had the focus when it last closed.
class FirstFieldFocus : public QObject {
    Q_OBJECT
public:
    explicit FirstFieldFocus(QDialog& dialog) : QObject(&dialog), m_dialog(dialog) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_dialog && event->type() == QEvent::Show) {
            for (auto* buttons : m_dialog.findChildren<QDialogButtonBox*>())
                orderButtonsAsShown(*buttons);
            focusFirstField();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // Tab goes through the buttons from left to right as the platform's button order shows them, not
    // in the order they were added (OK and Cancel first, then Reset, shown to their left).
    static void orderButtonsAsShown(QDialogButtonBox& box)
    {
        QList<QAbstractButton*> buttons = box.buttons();
        std::sort(buttons.begin(), buttons.end(),
                  [](const QAbstractButton* a, const QAbstractButton* b) { return a->x() < b->x(); });
        for (qsizetype i = 1; i < buttons.size(); ++i)
            QWidget::setTabOrder(buttons[i - 1], buttons[i]);
    }

    void focusFirstField()
    {
        for (QWidget* w = m_dialog.nextInFocusChain(); w != &m_dialog; w = w->nextInFocusChain()) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(&m_dialog)) {
                w->setFocus(Qt::TabFocusReason);
                return;
            }
        }
    }

    QDialog& m_dialog;
};

} // namespace

QDialogButtonBox* okCancelButtons(QDialog& dialog)
{
    // No parent yet: a widget joins the tab order when it joins the dialog, and the buttons join last.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    dialog.installEventFilter(new FirstFieldFocus(dialog));
    return buttons;
}

} // namespace kav

#include "dialog_buttons.moc"
