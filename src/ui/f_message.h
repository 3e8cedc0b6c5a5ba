#pragma once

#include <QWidget>

class QLabel;

namespace kav {

// A short notice such as "Please stand by.....", on top, without title bar or border.
class TMessage : public QWidget {
    Q_OBJECT
public:
    explicit TMessage(QWidget* parent = nullptr);

    void SetMessage(const QString& text);
    QString Message() const;

private:
    QLabel* m_panel;
};

} // namespace kav
