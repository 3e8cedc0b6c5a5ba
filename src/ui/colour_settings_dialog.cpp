#include "colour_settings_dialog.h"

#include "dialog_buttons.h"

#include "color_grid.h"
#include "color_swatch.h"
#include "ui_prompter.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kav {

ColourSettingsDialog::ColourSettingsDialog(QWidget* parent)
    : QDialog(parent), m_labels(new QListWidget), m_picker(new ColorGrid),
      m_reset(new QPushButton(QStringLiteral("Reset"))), m_bigScreen(new QPushButton(QStringLiteral("Big screen"))),
      m_alternateRows(new QCheckBox(QStringLiteral("Shade every second row of the results")))
{
    setWindowTitle(QStringLiteral("Colors"));
    m_labels->setMinimumWidth(170);
    auto* buttons = okCancelButtons(*this);
    buttons->addButton(m_reset, QDialogButtonBox::ResetRole);
    buttons->addButton(m_bigScreen, QDialogButtonBox::ResetRole);
    connect(m_reset, &QPushButton::clicked, this, &ColourSettingsDialog::onReset);
    connect(m_bigScreen, &QPushButton::clicked, this, &ColourSettingsDialog::confirmBigScreen);
    connect(m_labels, &QListWidget::currentRowChanged, this, &ColourSettingsDialog::onLabelSelected);
    connect(m_picker, &ColorGrid::changed, this, &ColourSettingsDialog::onPickerChanged);
    auto* top = new QHBoxLayout;
    top->addWidget(m_labels);
    top->addWidget(m_picker);
    top->addWidget(makePreview());
    auto* help =
        new QLabel(QStringLiteral("Text colour: left click, or T or Space on the colour framed with the arrow keys.\n"
                                  "Background colour: right click, or B. Any other background: click the preview."));
    help->setObjectName(QStringLiteral("ColorHelp"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(help);
    layout->addWidget(m_alternateRows);
    layout->addWidget(buttons);
}

QWidget* ColourSettingsDialog::makePreview()
{
    m_outer = new ColorSwatch;
    m_outer->setFixedSize(100, 100);
    m_inner = new ColorSwatch(m_outer);
    m_inner->setGeometry(25, 25, 50, 50);
    connect(m_outer, &ColorSwatch::pressed, this, &ColourSettingsDialog::onSwatchPressed);
    connect(m_inner, &ColorSwatch::pressed, this, &ColourSettingsDialog::onSwatchPressed);
    return m_outer;
}

void ColourSettingsDialog::clearSlots()
{
    m_labels->clear();
    m_slots.clear();
    m_readIndex = 0;
}

void ColourSettingsDialog::addSlot(ColorValue textColor, ColorValue bgColor, const QString& label)
{
    if (slotCount() >= kMaxSlots)
        return;
    m_slots.push_back({textColor, bgColor});
    m_labels->addItem(label);
}

std::pair<ColorValue, ColorValue> ColourSettingsDialog::nextSlot()
{
    if (m_slots.empty())
        return {kClBlack, kClBlack}; // nothing was added: there is no slot to hand back
    if (m_readIndex < slotCount())
        ++m_readIndex;
    const Slot& slot = m_slots[std::size_t(m_readIndex - 1)];
    return {slot.Text, slot.Background};
}

void ColourSettingsDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_updating = true;
    if (!m_slots.empty()) {
        m_labels->setCurrentRow(0);
        onLabelSelected();
    }
}

ColourSettingsDialog::Slot* ColourSettingsDialog::selectedSlot()
{
    const int row = m_labels->currentRow();
    return row >= 0 && row < slotCount() ? &m_slots[std::size_t(row)] : nullptr;
}

void ColourSettingsDialog::onLabelSelected()
{
    const Slot* slot = selectedSlot();
    if (!slot)
        return;
    m_updating = false;
    m_picker->setForegroundIndex(ColorGrid::indexOfColor(slot->Text));
    m_picker->setBackgroundIndex(ColorGrid::indexOfColor(slot->Background));
    m_updating = true;
    showSwatches(*slot);
}

void ColourSettingsDialog::onPickerChanged()
{
    Slot* slot = selectedSlot();
    if (!slot || !m_updating)
        return;
    // A colour outside the sixteen stays until the operator picks one for that role.
    if (const auto text = ColorGrid::colorOfIndex(m_picker->foregroundIndex()))
        slot->Text = *text;
    if (const auto background = ColorGrid::colorOfIndex(m_picker->backgroundIndex()))
        slot->Background = *background;
    showSwatches(*slot);
}

void ColourSettingsDialog::onSwatchPressed()
{
    Slot* slot = selectedSlot();
    if (!slot)
        return;
    const std::optional<QColor> chosen = prompter().chooseColor(toQColor(slot->Background, palette()), this);
    if (!chosen)
        return;
    slot->Background = fromQColor(*chosen);
    m_updating = false;
    m_picker->setBackgroundIndex(ColorGrid::indexOfColor(slot->Background));
    m_updating = true;
    showSwatches(*slot);
}

void ColourSettingsDialog::showSwatches(const Slot& slot)
{
    m_inner->setColor(slot.Text);
    m_outer->setColor(slot.Background);
}

void ColourSettingsDialog::onReset()
{
    if (prompter().confirm(QStringLiteral("Reset all colors?"), this))
        done(kDefaultsAnswer);
}

void ColourSettingsDialog::confirmBigScreen()
{
    if (prompter().confirm(QStringLiteral("Use the big screen colors?"), this))
        done(kBigScreenAnswer);
}

void ColourSettingsDialog::setAlternateRows(bool on)
{
    m_alternateRows->setChecked(on);
}

bool ColourSettingsDialog::alternateRows() const
{
    return m_alternateRows->isChecked();
}

} // namespace kav
