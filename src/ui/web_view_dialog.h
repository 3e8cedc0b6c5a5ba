#pragma once

#include <QDialog>

#include "web_view_settings.h"

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace kav {

// "Web view": whether the program serves its results as live web pages, on which port and address,
// and where the pages can be found while it does.
class WebViewDialog : public QDialog {
    Q_OBJECT
public:
    explicit WebViewDialog(QWidget* parent = nullptr);

    void setSettings(const WebViewSettings& settings);
    WebViewSettings settings() const;
    // What the web view is doing now: its address, or why it is not serving.
    void setStatus(const QString& text);

    QCheckBox* enabledField() const { return m_enabled; }
    QLineEdit* bindField() const { return m_bind; }
    QDialogButtonBox* buttons() const { return m_buttons; }

private:
    void checkAddress();

    QCheckBox* m_enabled;
    QSpinBox* m_port;
    QLineEdit* m_bind;
    QLabel* m_addressHint;
    QLabel* m_status;
    QDialogButtonBox* m_buttons;
};

} // namespace kav
