#pragma once

#include "main_settings.h"
#include "result_win_rec.h"

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
class TColSettDlg : public QDialog {
    Q_OBJECT
public:
    explicit TColSettDlg(QWidget* parent = nullptr);

    void SetKind(std::uint8_t kind);
    void SetColumns(const TColRel& arrangement);
    void SetHeaders(const THeaderRec& headers);
    TColRel GetColumns() const { return m_arrangement; }
    THeaderRec GetHeaders() const;
    bool GetCopyLayout() const;

    QCheckBox* ColumnBox(std::uint8_t id) const { return m_boxes.at(id); }
    QLineEdit* HeaderField(std::size_t index) const { return m_fields.at(index); }
    QCheckBox* CopyLayoutBox() const { return m_copyLayout; }
    QPushButton* OkButton() const;

private:
    QGridLayout* MakeGroup(std::size_t firstId, std::size_t lastId);
    void OnBoxToggled(std::uint8_t id, bool checked);
    void AddColumn(std::uint8_t id);
    void RemoveColumn(std::uint8_t id);
    void UpdateOk();
    void OnPosHeaderLeft();

    TColRel m_arrangement = EmptyColRel();
    THeaderRec m_headers{}; // as given, so that texts left alone go back byte for byte
    bool m_settingBoxes = false;
    std::array<QCheckBox*, kColumnIds> m_boxes{};    // by column identifier
    std::array<QLineEdit*, kHeaderCount> m_fields{}; // by header index
    QCheckBox* m_copyLayout = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace kav
