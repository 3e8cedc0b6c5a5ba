#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kav {

// Chooses the logo picture file and whether the logo window is shown.
class LogoSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit LogoSettingsDialog(QWidget* parent = nullptr);

    void setLogoVisible(bool visible);
    bool logoVisible() const;
    void setLogoFileName(const QString& fileName);
    QString logoFileName() const;

    QPushButton* browseButton() const { return m_browse; }
    static const QString& fileFilter();

private:
    void browse();

    QLineEdit* m_fileName;
    QPushButton* m_browse;
    QCheckBox* m_showLogo;
};

} // namespace kav
