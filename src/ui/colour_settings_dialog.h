#pragma once

#include "system_colors.h"

#include <QDialog>
#include <utility>
#include <vector>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace kav {

class ColorGrid;
class ColorSwatch;

// Edits a list of labelled colour pairs (text and background). The caller adds the pairs, shows the
// dialog and reads them back in the same order; "Reset" answers kDefaultsAnswer and "Big screen"
// kBigScreenAnswer, each a whole look the caller puts in place of the pairs.
class ColourSettingsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDefaultsAnswer = 10;
    static constexpr int kBigScreenAnswer = 11;
    static constexpr int kMaxSlots = 100;

    explicit ColourSettingsDialog(QWidget* parent = nullptr);

    void clearSlots();
    void addSlot(ColorValue textColor, ColorValue bgColor, const QString& label);
    // The next pair in slot order (text, background); past the last slot the last one again.
    std::pair<ColorValue, ColorValue> nextSlot();
    int slotCount() const { return static_cast<int>(m_slots.size()); }

    QListWidget* labels() const { return m_labels; }
    ColorGrid* picker() const { return m_picker; }
    ColorSwatch* outerSwatch() const { return m_outer; }
    ColorSwatch* innerSwatch() const { return m_inner; }
    QPushButton* resetButton() const { return m_reset; }
    QPushButton* bigScreenButton() const { return m_bigScreen; }
    // Every second row of the results a shade apart.
    void setAlternateRows(bool on);
    bool alternateRows() const;
    QCheckBox* alternateRowsBox() const { return m_alternateRows; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Slot {
        ColorValue Text;
        ColorValue Background;
    };

    QWidget* makePreview();
    Slot* selectedSlot();
    void onLabelSelected();
    void onPickerChanged();
    void onSwatchPressed();
    void onReset();
    void confirmBigScreen();
    void showSwatches(const Slot& slot);

    std::vector<Slot> m_slots;
    int m_readIndex = 0;
    bool m_updating = true;
    QListWidget* m_labels;
    ColorGrid* m_picker;
    ColorSwatch* m_outer = nullptr;
    ColorSwatch* m_inner = nullptr;
    QPushButton* m_reset;
    QPushButton* m_bigScreen;
    QCheckBox* m_alternateRows;
};

} // namespace kav
