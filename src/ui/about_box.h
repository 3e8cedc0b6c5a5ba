#pragma once

#include <QDialog>

class QLabel;

namespace kav {

// The program's picture, name and version.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    void SetVersion(const QString& version);
    QString Version() const;

private:
    QLabel* m_version;
};

} // namespace kav
