#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kav {

// Chooses the logo picture file and whether the logo window is shown.
class TLogoSettDlg : public QDialog {
    Q_OBJECT
public:
    explicit TLogoSettDlg(QWidget* parent = nullptr);

    void SetLogoVisible(bool visible);
    bool GetLogoVisible() const;
    void SetLogoFileName(const QString& fileName);
    QString GetLogoFileName() const;

    QPushButton* BrowseButton() const { return m_browse; }
    static const QString& FileFilter();

private:
    void Browse();

    QLineEdit* m_fileName;
    QPushButton* m_browse;
    QCheckBox* m_showLogo;
};

} // namespace kav
