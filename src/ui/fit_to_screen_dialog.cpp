#include "fit_to_screen_dialog.h"

#include "dialog_buttons.h"
#include "result_window_settings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kav {

namespace {

QSpinBox* makeSpinBox(int maximum, const QString& zeroText, const QString& suffix)
{
    auto* box = new QSpinBox;
    box->setRange(0, maximum);
    box->setSpecialValueText(zeroText);
    box->setSuffix(suffix);
    return box;
}

} // namespace

FitToScreenDialog::FitToScreenDialog(QWidget* parent)
    : QDialog(parent), m_rows(makeSpinBox(kMaxFitRows, QStringLiteral("All rows"), QString())),
      m_pageSeconds(makeSpinBox(kMaxPageSeconds, QStringLiteral("Never"), QStringLiteral(" s")))
{
    setWindowTitle(QStringLiteral("Fit to screen"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Rows on the screen:"), m_rows);
    form->addRow(QStringLiteral("Next page every:"), m_pageSeconds);
    auto* help = new QLabel(QStringLiteral("Used while the window is full screen with \"Fit to screen\" on."));
    auto* buttons = okCancelButtons(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(help);
    layout->addWidget(buttons);
}

void FitToScreenDialog::setRows(int rows)
{
    m_rows->setValue(rows);
}

int FitToScreenDialog::rows() const
{
    return m_rows->value();
}

void FitToScreenDialog::setPageSeconds(int seconds)
{
    m_pageSeconds->setValue(seconds);
}

int FitToScreenDialog::pageSeconds() const
{
    return m_pageSeconds->value();
}

} // namespace kav
