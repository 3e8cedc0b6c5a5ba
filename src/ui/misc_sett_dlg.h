#pragma once

#include <QDialog>
#include <cstdint>
#include <utility>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace kav {

// Track name and length, marker delay, speed decimals and the flag window option.
class TMiscSettDlg : public QDialog {
    Q_OBJECT
public:
    explicit TMiscSettDlg(QWidget* parent = nullptr);

    void SetMarkerDelay(int seconds);
    std::uint8_t GetMarkerDelay() const;
    void SetSpeedDecimals(int decimals);
    std::uint8_t GetSpeedDecimals() const;
    // The length in whole metres, shown in kilometres with three decimals.
    void SetTrack(const QString& name, std::int32_t length);
    std::pair<QString, std::int32_t> GetTrack() const;
    void SetShowFlag(bool show);
    bool GetShowFlag() const;

    QLineEdit* LengthField() const { return m_length; }
    QSpinBox* MarkerDelayField() const { return m_markerDelay; }
    QSpinBox* SpeedDecimalsField() const { return m_speedDecimals; }

    // The length text in whole metres; 0 for a text that is not a decimal number.
    static std::int32_t ParseLength(const QString& text);

private:
    QLineEdit* m_name;
    QLineEdit* m_length;
    QSpinBox* m_markerDelay;
    QSpinBox* m_speedDecimals;
    QCheckBox* m_showFlag;
};

} // namespace kav
