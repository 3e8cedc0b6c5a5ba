#pragma once

#include <QDialog>

class QLabel;

namespace kav {

// The program's picture, name and version.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    void setVersion(const QString& version);
    QString version() const;

private:
    QLabel* m_version;
};

} // namespace kav
