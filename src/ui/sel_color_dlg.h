#pragma once

#include "system_colors.h"

#include <QDialog>
#include <utility>
#include <vector>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace kav {

class TColorGrid;
class TColorSwatch;

// Edits a list of labelled colour pairs (text and background). The caller adds the pairs, shows the
// dialog and reads them back in the same order; "Reset" answers kDefaultsAnswer and "Big screen"
// kBigScreenAnswer, each a whole look the caller puts in place of the pairs.
class TSelColorDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDefaultsAnswer = 10;
    static constexpr int kBigScreenAnswer = 11;
    static constexpr int kMaxSlots = 100;

    explicit TSelColorDlg(QWidget* parent = nullptr);

    void ClearSlots();
    void AddSlot(TColorValue textColor, TColorValue bgColor, const QString& label);
    // The next pair in slot order (text, background); past the last slot the last one again.
    std::pair<TColorValue, TColorValue> GetNextSlot();
    int SlotCount() const { return static_cast<int>(m_slots.size()); }

    QListWidget* Labels() const { return m_labels; }
    TColorGrid* Picker() const { return m_picker; }
    TColorSwatch* OuterSwatch() const { return m_outer; }
    TColorSwatch* InnerSwatch() const { return m_inner; }
    QPushButton* ResetButton() const { return m_reset; }
    QPushButton* BigScreenButton() const { return m_bigScreen; }
    // Every second row of the results a shade apart.
    void SetAlternateRows(bool on);
    bool AlternateRows() const;
    QCheckBox* AlternateRowsBox() const { return m_alternateRows; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct TSlot {
        TColorValue Text;
        TColorValue Background;
    };

    QWidget* MakePreview();
    TSlot* Selected();
    void OnLabelSelected();
    void OnPickerChanged();
    void OnSwatchPressed();
    void OnReset();
    void OnBigScreen();
    void ShowSwatches(const TSlot& slot);

    std::vector<TSlot> m_slots;
    int m_readIndex = 0;
    bool m_updating = true;
    QListWidget* m_labels;
    TColorGrid* m_picker;
    TColorSwatch* m_outer = nullptr;
    TColorSwatch* m_inner = nullptr;
    QPushButton* m_reset;
    QPushButton* m_bigScreen;
    QCheckBox* m_alternateRows;
};

} // namespace kav
