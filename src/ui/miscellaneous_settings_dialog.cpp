#include "miscellaneous_settings_dialog.h"

#include "dialog_buttons.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

namespace kav {

namespace {

QSpinBox* makeSpinBox(int minimum, int maximum, int value)
{
    auto* box = new QSpinBox;
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

} // namespace

MiscellaneousSettingsDialog::MiscellaneousSettingsDialog(QWidget* parent)
    : QDialog(parent), m_name(new QLineEdit), m_length(new QLineEdit), m_markerDelay(makeSpinBox(1, 30, 1)),
      m_speedDecimals(makeSpinBox(0, 3, 2)), m_showFlag(new QCheckBox(QStringLiteral("Show Flag")))
{
    setWindowTitle(QStringLiteral("Miscellaneous"));
    auto* track = new QGroupBox(QStringLiteral(" Track: "));
    auto* trackForm = new QFormLayout(track);
    trackForm->addRow(QStringLiteral("Name:"), m_name);
    trackForm->addRow(QStringLiteral("Length:"), m_length);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Marker Delay:"), m_markerDelay);
    form->addRow(QStringLiteral("Decimals for Speed:"), m_speedDecimals);
    form->addRow(m_showFlag);
    auto* buttons = okCancelButtons(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(track);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void MiscellaneousSettingsDialog::setMarkerDelay(int seconds)
{
    m_markerDelay->setValue(seconds);
}

std::uint8_t MiscellaneousSettingsDialog::markerDelay() const
{
    return static_cast<std::uint8_t>(m_markerDelay->value());
}

void MiscellaneousSettingsDialog::setSpeedDecimals(int decimals)
{
    m_speedDecimals->setValue(decimals);
}

std::uint8_t MiscellaneousSettingsDialog::speedDecimals() const
{
    return static_cast<std::uint8_t>(m_speedDecimals->value());
}

void MiscellaneousSettingsDialog::setTrack(const QString& name, std::int32_t length)
{
    m_name->setText(name);
    m_length->setText(QString::asprintf("%5.3f", length / 1000.0).trimmed());
}

std::pair<QString, std::int32_t> MiscellaneousSettingsDialog::track() const
{
    return {m_name->text(), parseLength(m_length->text())};
}

std::int32_t MiscellaneousSettingsDialog::parseLength(const QString& text)
{
    bool ok = false;
    const double kilometres = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(kilometres))
        return 0;
    const double metres = std::round(kilometres * 1000.0);
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(std::clamp(metres, kMin, kMax));
}

void MiscellaneousSettingsDialog::setShowFlag(bool show)
{
    m_showFlag->setChecked(show);
}

bool MiscellaneousSettingsDialog::showFlag() const
{
    return m_showFlag->isChecked();
}

} // namespace kav
