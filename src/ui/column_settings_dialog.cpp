#include "column_settings_dialog.h"

#include "dialog_buttons.h"
#include "feed_text.h"
#include "result_columns.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace kav {

namespace {

// The boxes in the order the dialog shows them: nine on the left, eight in the middle, the class and
// pit columns on the right.
constexpr std::array<std::uint8_t, kColumnIds> kBoxOrder = {0,  1,  2,  3,  4,  5,  15, 16, 6,  7,  8,  9, 10,
                                                            11, 12, 13, 14, 17, 18, 19, 20, 21, 22, 23, 24};
constexpr std::size_t kLeftBoxes = 9;
constexpr std::size_t kMiddleBoxes = 8;

QLabel* redBoldLabel(const QString& text)
{
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: #c00000;"));
    return label;
}

} // namespace

ColumnSettingsDialog::ColumnSettingsDialog(QWidget* parent) : QDialog(parent)
{
    auto* groups = new QHBoxLayout;
    groups->setSpacing(24);
    groups->addLayout(makeGroup(0, kLeftBoxes));
    groups->addLayout(makeGroup(kLeftBoxes, kLeftBoxes + kMiddleBoxes));
    groups->addLayout(makeGroup(kLeftBoxes + kMiddleBoxes, kBoxOrder.size()));
    m_copyLayout = new QCheckBox(QStringLiteral("Copy layout"));
    m_copyLayout->setChecked(true);
    m_buttons = okCancelButtons(*this);
    connect(m_fields[0], &QLineEdit::editingFinished, this, &ColumnSettingsDialog::onPositionHeaderLeft);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(groups);
    layout->addWidget(m_copyLayout);
    layout->addWidget(m_buttons);
    setKind(0);
    updateOk();
}

QGridLayout* ColumnSettingsDialog::makeGroup(std::size_t first, std::size_t last)
{
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(6); // not the wide spacing between the two groups
    grid->setHorizontalSpacing(12);
    grid->addWidget(redBoldLabel(QStringLiteral("Columns:")), 0, 0);
    grid->addWidget(redBoldLabel(QStringLiteral("Headers:")), 0, 1);
    for (std::size_t i = first; i < last; ++i) {
        const std::uint8_t id = kBoxOrder[i];
        const std::size_t index = kColumnCatalogue[id].HeaderIndex;
        m_boxes[id] = new QCheckBox(QString::fromLatin1(kColumnCatalogue[id].DialogCaption));
        m_fields[index] = new QLineEdit;
        m_fields[index]->setMinimumWidth(110);
        const int row = static_cast<int>(i - first) + 1;
        grid->addWidget(m_boxes[id], row, 0);
        grid->addWidget(m_fields[index], row, 1);
        connect(m_boxes[id], &QCheckBox::toggled, this, [this, id](bool checked) { onBoxToggled(id, checked); });
    }
    grid->setRowStretch(static_cast<int>(last - first) + 1, 1);
    return grid;
}

QPushButton* ColumnSettingsDialog::okButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

void ColumnSettingsDialog::setKind(std::uint8_t kind)
{
    setWindowTitle(QStringLiteral("Column Settings for: ") + columnDialogKindName(kind));
}

void ColumnSettingsDialog::setColumns(const ColumnOrder& arrangement)
{
    m_arrangement = arrangement;
    m_settingBoxes = true;
    for (QCheckBox* box : m_boxes)
        box->setChecked(false);
    for (std::size_t p = 0; p < kColumnSlots && arrangement[p] != kNoCode; ++p) {
        if (arrangement[p] < kColumnIds)
            m_boxes[arrangement[p]]->setChecked(true);
    }
    updateOk();
    m_settingBoxes = false;
}

void ColumnSettingsDialog::setHeaders(const HeaderTexts& headers)
{
    m_headers = headers;
    for (std::size_t i = 0; i < kHeaderCount; ++i)
        m_fields[i]->setText(feedText(headers[i]));
}

HeaderTexts ColumnSettingsDialog::headers() const
{
    HeaderTexts headers;
    for (std::size_t i = 0; i < kHeaderCount; ++i)
        headers[i] = storedText(m_fields[i]->text(), m_headers[i]);
    return headers;
}

bool ColumnSettingsDialog::copyLayout() const
{
    return m_copyLayout->isChecked();
}

void ColumnSettingsDialog::onBoxToggled(std::uint8_t id, bool checked)
{
    if (m_settingBoxes)
        return;
    if (checked)
        addColumn(id);
    else
        removeColumn(id);
    updateOk();
}

void ColumnSettingsDialog::addColumn(std::uint8_t id)
{
    const auto free = std::find(m_arrangement.begin(), m_arrangement.end(), kNoCode);
    if (free != m_arrangement.end())
        *free = id;
}

void ColumnSettingsDialog::removeColumn(std::uint8_t id)
{
    const auto place = std::find(m_arrangement.begin(), m_arrangement.end(), id);
    if (place == m_arrangement.end())
        return;
    std::move(place + 1, m_arrangement.end(), place);
    m_arrangement.back() = kNoCode;
}

void ColumnSettingsDialog::updateOk()
{
    okButton()->setEnabled(m_arrangement[0] != kNoCode);
}

void ColumnSettingsDialog::onPositionHeaderLeft()
{
    if (m_fields[0]->text().trimmed().isEmpty())
        m_fields[0]->setText(QStringLiteral("Pos"));
}

} // namespace kav
