#include "sel_color_dlg.h"

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

TSelColorDlg::TSelColorDlg(QWidget* parent)
    : QDialog(parent), m_labels(new QListWidget), m_picker(new TColorGrid),
      m_reset(new QPushButton(QStringLiteral("Reset"))), m_bigScreen(new QPushButton(QStringLiteral("Big screen"))),
      m_alternateRows(new QCheckBox(QStringLiteral("Shade every second row of the results")))
{
    setWindowTitle(QStringLiteral("Colors"));
    m_labels->setMinimumWidth(170);
    auto* buttons = OkCancelButtons(*this);
    buttons->addButton(m_reset, QDialogButtonBox::ResetRole);
    buttons->addButton(m_bigScreen, QDialogButtonBox::ResetRole);
    connect(m_reset, &QPushButton::clicked, this, &TSelColorDlg::OnReset);
    connect(m_bigScreen, &QPushButton::clicked, this, &TSelColorDlg::OnBigScreen);
    connect(m_labels, &QListWidget::currentRowChanged, this, &TSelColorDlg::OnLabelSelected);
    connect(m_picker, &TColorGrid::Changed, this, &TSelColorDlg::OnPickerChanged);
    auto* top = new QHBoxLayout;
    top->addWidget(m_labels);
    top->addWidget(m_picker);
    top->addWidget(MakePreview());
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

QWidget* TSelColorDlg::MakePreview()
{
    m_outer = new TColorSwatch;
    m_outer->setFixedSize(100, 100);
    m_inner = new TColorSwatch(m_outer);
    m_inner->setGeometry(25, 25, 50, 50);
    connect(m_outer, &TColorSwatch::Pressed, this, &TSelColorDlg::OnSwatchPressed);
    connect(m_inner, &TColorSwatch::Pressed, this, &TSelColorDlg::OnSwatchPressed);
    return m_outer;
}

void TSelColorDlg::ClearSlots()
{
    m_labels->clear();
    m_slots.clear();
    m_readIndex = 0;
}

void TSelColorDlg::AddSlot(TColorValue textColor, TColorValue bgColor, const QString& label)
{
    if (SlotCount() >= kMaxSlots)
        return;
    m_slots.push_back({textColor, bgColor});
    m_labels->addItem(label);
}

std::pair<TColorValue, TColorValue> TSelColorDlg::GetNextSlot()
{
    if (m_slots.empty())
        return {kClBlack, kClBlack}; // nothing was added: there is no slot to hand back
    if (m_readIndex < SlotCount())
        ++m_readIndex;
    const TSlot& slot = m_slots[std::size_t(m_readIndex - 1)];
    return {slot.Text, slot.Background};
}

void TSelColorDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_updating = true;
    if (!m_slots.empty()) {
        m_labels->setCurrentRow(0);
        OnLabelSelected();
    }
}

TSelColorDlg::TSlot* TSelColorDlg::Selected()
{
    const int row = m_labels->currentRow();
    return row >= 0 && row < SlotCount() ? &m_slots[std::size_t(row)] : nullptr;
}

void TSelColorDlg::OnLabelSelected()
{
    const TSlot* slot = Selected();
    if (!slot)
        return;
    m_updating = false;
    m_picker->SetForegroundIndex(TColorGrid::IndexOfColor(slot->Text));
    m_picker->SetBackgroundIndex(TColorGrid::IndexOfColor(slot->Background));
    m_updating = true;
    ShowSwatches(*slot);
}

void TSelColorDlg::OnPickerChanged()
{
    TSlot* slot = Selected();
    if (!slot || !m_updating)
        return;
    // A colour outside the sixteen stays until the operator picks one for that role.
    if (const auto text = TColorGrid::ColorOfIndex(m_picker->ForegroundIndex()))
        slot->Text = *text;
    if (const auto background = TColorGrid::ColorOfIndex(m_picker->BackgroundIndex()))
        slot->Background = *background;
    ShowSwatches(*slot);
}

void TSelColorDlg::OnSwatchPressed()
{
    TSlot* slot = Selected();
    if (!slot)
        return;
    const std::optional<QColor> chosen = Prompter().ChooseColor(ToQColor(slot->Background, palette()), this);
    if (!chosen)
        return;
    slot->Background = FromQColor(*chosen);
    m_updating = false;
    m_picker->SetBackgroundIndex(TColorGrid::IndexOfColor(slot->Background));
    m_updating = true;
    ShowSwatches(*slot);
}

void TSelColorDlg::ShowSwatches(const TSlot& slot)
{
    m_inner->SetColor(slot.Text);
    m_outer->SetColor(slot.Background);
}

void TSelColorDlg::OnReset()
{
    if (Prompter().Confirm(QStringLiteral("Reset all colors?"), this))
        done(kDefaultsAnswer);
}

void TSelColorDlg::OnBigScreen()
{
    if (Prompter().Confirm(QStringLiteral("Use the big screen colors?"), this))
        done(kBigScreenAnswer);
}

void TSelColorDlg::SetAlternateRows(bool on)
{
    m_alternateRows->setChecked(on);
}

bool TSelColorDlg::AlternateRows() const
{
    return m_alternateRows->isChecked();
}

} // namespace kav
