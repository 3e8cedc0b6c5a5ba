#pragma once

#include <QDialog>
#include <cstdint>
#include <utility>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace kav {

// Track name and length, marker delay, speed decimals and the flag window option.
class MiscellaneousSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit MiscellaneousSettingsDialog(QWidget* parent = nullptr);

    void setMarkerDelay(int seconds);
    std::uint8_t markerDelay() const;
    void setSpeedDecimals(int decimals);
    std::uint8_t speedDecimals() const;
    // The length in whole metres, shown in kilometres with three decimals.
    void setTrack(const QString& name, std::int32_t length);
    std::pair<QString, std::int32_t> track() const;
    void setShowFlag(bool show);
    bool showFlag() const;

    QLineEdit* lengthField() const { return m_length; }
    QSpinBox* markerDelayField() const { return m_markerDelay; }
    QSpinBox* speedDecimalsField() const { return m_speedDecimals; }

    // The length text in whole metres; 0 for a text that is not a decimal number.
    static std::int32_t parseLength(const QString& text);

private:
    QLineEdit* m_name;
    QLineEdit* m_length;
    QSpinBox* m_markerDelay;
    QSpinBox* m_speedDecimals;
    QCheckBox* m_showFlag;
};

} // namespace kav
