#pragma once

#include <QWidget>

class QLabel;

namespace kav {

// A short notice such as "Please stand by.....", on top, without title bar or border.
class StandByMessage : public QWidget {
    Q_OBJECT
public:
    explicit StandByMessage(QWidget* parent = nullptr);

    void setMessage(const QString& text);
    QString message() const;

private:
    QLabel* m_panel;
};

} // namespace kav
