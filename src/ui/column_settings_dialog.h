#pragma once

#include "main_settings.h"
#include "result_window_settings.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QDialogButtonBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace kav {

// Chooses the columns of a result window, their order (the order in which their boxes were checked)
// and the header texts shared by all result windows. One instance serves the whole run.
class ColumnSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ColumnSettingsDialog(QWidget* parent = nullptr);

    void setKind(std::uint8_t kind);
    void setColumns(const ColumnOrder& arrangement);
    void setHeaders(const HeaderTexts& headers);
    ColumnOrder columns() const { return m_arrangement; }
    HeaderTexts headers() const;
    bool copyLayout() const;

    QCheckBox* columnBox(std::uint8_t id) const { return m_boxes.at(id); }
    QLineEdit* headerField(std::size_t index) const { return m_fields.at(index); }
    QCheckBox* copyLayoutBox() const { return m_copyLayout; }
    QPushButton* okButton() const;

private:
    QGridLayout* makeGroup(std::size_t firstId, std::size_t lastId);
    void onBoxToggled(std::uint8_t id, bool checked);
    void addColumn(std::uint8_t id);
    void removeColumn(std::uint8_t id);
    void updateOk();
    void onPositionHeaderLeft();

    ColumnOrder m_arrangement = emptyColumnOrder();
    HeaderTexts m_headers{}; // as given, so that texts left alone go back byte for byte
    bool m_settingBoxes = false;
    std::array<QCheckBox*, kColumnIds> m_boxes{};    // by column identifier
    std::array<QLineEdit*, kHeaderCount> m_fields{}; // by header index
    QCheckBox* m_copyLayout = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace kav
