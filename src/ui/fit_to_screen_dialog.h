#pragma once

#include <QDialog>

class QSpinBox;

namespace kav {

// The rows a fitted full-screen window shows at once (0: all of them) and the seconds between two
// pages of rows (0: no paging).
class FitToScreenDialog : public QDialog {
    Q_OBJECT
public:
    explicit FitToScreenDialog(QWidget* parent = nullptr);

    void setRows(int rows);
    int rows() const;
    void setPageSeconds(int seconds);
    int pageSeconds() const;

    QSpinBox* rowsField() const { return m_rows; }
    QSpinBox* pageSecondsField() const { return m_pageSeconds; }

private:
    QSpinBox* m_rows;
    QSpinBox* m_pageSeconds;
};

} // namespace kav
