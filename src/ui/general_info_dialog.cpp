#include "general_info_dialog.h"

#include "dialog_buttons.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace kav {

namespace {

constexpr std::array<const char*, kGenInfoCount> kCaptions = {
    "Laps to Go", "Current race time", "Best lap",   "Best laptime",    "Best speed",
    "Best name",  "Length track",      "Name track", "Run description", "Flag",
};
// Codes by place: the left column, then the right one.
constexpr std::array<std::uint8_t, kGenInfoCount> kBoxOrder = {10, 1, 2, 3, 4, 5, 6, 7, 8, 9};
constexpr int kRows = 5;

} // namespace

GeneralInfoDialog::GeneralInfoDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("General info"));
    resetGeneralInfo(m_items);
    auto* grid = new QGridLayout;
    for (std::size_t place = 0; place < kBoxOrder.size(); ++place) {
        const std::uint8_t code = kBoxOrder[place];
        auto* box = new QCheckBox(QString::fromLatin1(kCaptions[code - 1]));
        m_boxes[code - 1] = box;
        grid->addWidget(box, int(place) % kRows, int(place) / kRows);
        connect(box, &QCheckBox::toggled, this, [this, code](bool checked) { onBoxToggled(code, checked); });
    }
    auto* buttons = okCancelButtons(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void GeneralInfoDialog::setItems(const GeneralInfoItems& codes)
{
    m_items = codes;
    m_settingBoxes = true;
    for (QCheckBox* box : m_boxes)
        box->setChecked(false);
    for (std::uint8_t code : codes) {
        if (code >= 1 && code <= kGenInfoCount)
            m_boxes[code - 1]->setChecked(true);
    }
    m_settingBoxes = false;
}

void GeneralInfoDialog::onBoxToggled(std::uint8_t code, bool checked)
{
    if (m_settingBoxes)
        return;
    if (checked) {
        const auto free = std::find(m_items.begin(), m_items.end(), kNoCode);
        if (free != m_items.end())
            *free = code;
        return;
    }
    const auto place = std::find(m_items.begin(), m_items.end(), code);
    if (place == m_items.end())
        return;
    std::move(place + 1, m_items.end(), place);
    m_items.back() = kNoCode;
}

} // namespace kav
