#pragma once

#include "main_settings.h"

#include <QDialog>
#include <array>

class QCheckBox;

namespace kav {

// Chooses the items of the general information panel; the panel lists them in the order in which
// their boxes were checked.
class GeneralInfoDialog : public QDialog {
    Q_OBJECT
public:
    explicit GeneralInfoDialog(QWidget* parent = nullptr);

    void setItems(const GeneralInfoItems& codes);
    GeneralInfoItems items() const { return m_items; }
    // The box of an item code 1 to 10.
    QCheckBox* box(int code) const { return m_boxes.at(std::size_t(code - 1)); }

private:
    void onBoxToggled(std::uint8_t code, bool checked);

    GeneralInfoItems m_items{};
    bool m_settingBoxes = false;
    std::array<QCheckBox*, kGenInfoCount> m_boxes{}; // by code - 1
};

} // namespace kav
