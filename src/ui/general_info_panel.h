#pragma once

#include <QString>
#include <QWidget>

#include <array>

#include "main_settings.h"
#include "run_info.h"

class QLabel;

namespace kav {

class PictureBox;
class StatusLamp;

// The general information panel along the bottom of the main window: caption and value labels of
// the nine items, the flag lamp, the busy lamps with the error hint, and the maker logo.
class GeneralInfoPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLabelItems = RunInfo::kTextItems;
    static constexpr int kHeight = 40;

    explicit GeneralInfoPanel(QWidget* parent = nullptr);

    // Shows the run's information and follows each change of it: the items' values, their places,
    // the flag lamp, the busy lamps and the error hint.
    void watch(const RunInfo& info);

    // Items 1 to 9.
    QLabel* caption(int item) const { return m_captions.at(static_cast<std::size_t>(item - 1)); }
    QLabel* value(int item) const { return m_values.at(static_cast<std::size_t>(item - 1)); }
    QString valueText(int item) const;

    StatusLamp& greenLamp() const { return *m_green; }
    StatusLamp& redLamp() const { return *m_red; }
    StatusLamp& flagLamp() const { return *m_flagLamp; }
    QWidget& flagPanel() const { return *m_flag; }
    QWidget& busyPanel() const { return *m_busy; }
    PictureBox& makerLogo() const { return *m_logo; }

    QString errorHint() const;

    void applyGeneralInfoLayout(const GeneralInfoItems& layout);
    // Keeps the busy lamps and the maker logo at the right end.
    void placeItems();
    // Keeps a widget of the panel's just left of the maker logo (the stale-feed indicator).
    void placeBesideLogo(QWidget* widget);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Paints the busy lamps red (lit) or green at once.
    void paintBusy(bool lit);
    void createLabels();
    void createLamps();
    void colourPole();
    int placeItem(int item, int left);

    std::array<QLabel*, kLabelItems> m_captions{};
    std::array<QLabel*, kLabelItems> m_values{};
    QWidget* m_flag = nullptr;
    QWidget* m_pole = nullptr;
    StatusLamp* m_flagLamp = nullptr;
    QWidget* m_busy = nullptr;
    StatusLamp* m_green = nullptr;
    StatusLamp* m_red = nullptr;
    PictureBox* m_logo = nullptr;
    QWidget* m_besideLogo = nullptr;
};

} // namespace kav
