#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <string>

#include "main_settings.h"

class QLabel;

namespace kav {

class TPictureBox;
class TStatusLamp;

// The general information panel along the bottom of the main window: caption and value labels of
// the nine items, the flag lamp, the busy lamps with the error hint, and the maker logo.
class TGenInfoPanel : public QWidget {
    Q_OBJECT
public:
    // Item codes of the general information layout.
    enum Item : int {
        kLapsToGo = 1,
        kRaceTime,
        kBestLap,
        kBestLapTime,
        kBestSpeed,
        kName,
        kTrackLength,
        kTrackName,
        kRun,
        kFlagLamp,
    };
    static constexpr int kLabelItems = 9;
    static constexpr int kHeight = 40;

    explicit TGenInfoPanel(QWidget* parent = nullptr);

    // Items 1 to 9.
    QLabel* Caption(int item) const { return m_captions.at(static_cast<std::size_t>(item - 1)); }
    QLabel* Value(int item) const { return m_values.at(static_cast<std::size_t>(item - 1)); }
    void SetValue(int item, const QString& text);
    QString ValueText(int item) const;

    TStatusLamp& GreenLamp() const { return *m_green; }
    TStatusLamp& RedLamp() const { return *m_red; }
    TStatusLamp& FlagLamp() const { return *m_flagLamp; }
    QWidget& FlagPanel() const { return *m_flag; }
    QWidget& BusyPanel() const { return *m_busy; }
    TPictureBox& MakerLogo() const { return *m_logo; }

    // Paints the busy lamps red (lit) or green at once.
    void PaintBusy(bool lit);
    void SetErrorHint(const QString& hint);
    QString ErrorHint() const;

    void ApplyGenInfoLayout(const TGenInfo& layout);
    void UpdateTrackLabels(const TMainSettings& settings, const std::string& runName);
    // Keeps the busy lamps and the maker logo at the right end.
    void FormResize();
    // Keeps a widget of the panel's just left of the maker logo (the stale-feed indicator).
    void placeBesideLogo(QWidget* widget);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateLabels();
    void CreateLamps();
    int PlaceItem(int item, int left);

    std::array<QLabel*, kLabelItems> m_captions{};
    std::array<QLabel*, kLabelItems> m_values{};
    QWidget* m_flag = nullptr;
    TStatusLamp* m_flagLamp = nullptr;
    QWidget* m_busy = nullptr;
    TStatusLamp* m_green = nullptr;
    TStatusLamp* m_red = nullptr;
    TPictureBox* m_logo = nullptr;
    QWidget* m_besideLogo = nullptr;
};

} // namespace kav
