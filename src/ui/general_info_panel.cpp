#include "general_info_panel.h"

#include "picture_box.h"
#include "status_lamp.h"
#include "ui_resources.h"

#include <QLabel>
#include <QResizeEvent>

#include <algorithm>

namespace kav {

namespace {

struct ItemWidths {
    int caption;
    int value;
};

constexpr std::array<ItemWidths, RunInfo::kTextItems> kItems = {{
    {81, 57},
    {73, 89},
    {65, 41},
    {97, 89},
    {81, 57},
    {57, 153},
    {97, 49},
    {89, 209},
    {41, 233},
}};

constexpr ColorValue kLime = 0x00FF00;
constexpr ColorValue kRed = 0x0000FF;
constexpr int kLabelTop = 8;
constexpr int kHiddenTop = 50;
constexpr int kLabelGap = 10;
constexpr int kLogoSize = 32;
// The black pole the flag lamp hangs on, just left of the lamp.
constexpr int kPoleLeft = 17;
constexpr int kPoleWidth = 3;

} // namespace

GeneralInfoPanel::GeneralInfoPanel(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(kHeight);
    setAutoFillBackground(true);
    createLabels();
    createLamps();
    m_logo = new PictureBox(this);
    m_logo->setPicture(resourcePicture(QStringLiteral("maker_logo.svg")));
    m_logo->setGeometry(0, 4, kLogoSize, kLogoSize);
    m_busy->setToolTip(QStringLiteral("No Errors"));
    hide();
    placeItems();
}

void GeneralInfoPanel::createLabels()
{
    for (std::size_t i = 0; i < kItems.size(); ++i) {
        m_captions[i] = new QLabel(RunInfo::caption(static_cast<int>(i) + 1), this);
        m_captions[i]->setFixedWidth(kItems[i].caption);
        // Red until the colours are applied; a palette, unlike a style sheet, lets the chosen colour show.
        QPalette palette = m_captions[i]->palette();
        palette.setColor(QPalette::WindowText, Qt::red);
        m_captions[i]->setPalette(palette);
        m_values[i] = new QLabel(this);
        m_values[i]->setFixedWidth(kItems[i].value);
    }
}

void GeneralInfoPanel::createLamps()
{
    m_flag = new QWidget(this);
    m_flag->setGeometry(4, 4, 41, 32);
    m_pole = new QWidget(m_flag);
    m_pole->setObjectName(QStringLiteral("FlagPole"));
    m_pole->setGeometry(kPoleLeft, 4, kPoleWidth, 28);
    m_pole->setAutoFillBackground(true);
    colourPole();
    m_flagLamp = new StatusLamp(kLime, m_flag);
    m_flagLamp->move(20, 4);
    m_flag->hide();
    m_busy = new QWidget(this);
    m_busy->setGeometry(0, 4, 36, 32);
    m_green = new StatusLamp(kLime, m_busy);
    m_green->move(2, 9);
    m_red = new StatusLamp(kClBtnFace, m_busy);
    m_red->move(20, 9);
}

// Black on a light panel; on a dark one (the big screen colours) light grey, or the pole would vanish.
void GeneralInfoPanel::colourPole()
{
    QPalette polePalette = m_pole->palette();
    const bool darkPanel = palette().color(QPalette::Window).lightness() < 96;
    polePalette.setColor(QPalette::Window, darkPanel ? QColor(Qt::lightGray) : QColor(Qt::black));
    m_pole->setPalette(polePalette);
}

void GeneralInfoPanel::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_pole)
        colourPole();
}

void GeneralInfoPanel::watch(const RunInfo& info)
{
    const auto showValue = [this, &info](int item) { value(item)->setText(info.value(item)); };
    const auto showFlag = [this, &info] { m_flagLamp->setColor(lampColour(info.flag())); };
    const auto showErrors = [this, &info] { m_busy->setToolTip(info.errorHint()); };
    for (int item = RunInfo::kLapsToGo; item <= RunInfo::kRun; ++item)
        showValue(item);
    applyGeneralInfoLayout(info.panelLayout());
    showFlag();
    showErrors();
    paintBusy(info.busy());
    connect(&info, &RunInfo::valueChanged, this, showValue);
    connect(&info, &RunInfo::panelLayoutChanged, this, [this, &info] { applyGeneralInfoLayout(info.panelLayout()); });
    connect(&info, &RunInfo::flagChanged, this, showFlag);
    connect(&info, &RunInfo::errorsChanged, this, showErrors);
    connect(&info, &RunInfo::busyChanged, this, &GeneralInfoPanel::paintBusy);
}

QString GeneralInfoPanel::valueText(int item) const
{
    return value(item)->text();
}

void GeneralInfoPanel::paintBusy(bool lit)
{
    m_green->setColor(lit ? kClBtnFace : kLime);
    m_red->setColor(lit ? kRed : kClBtnFace);
}

QString GeneralInfoPanel::errorHint() const
{
    return m_busy->toolTip();
}

void GeneralInfoPanel::applyGeneralInfoLayout(const GeneralInfoItems& layout)
{
    setVisible(layout[0] != kNoCode);
    m_flag->hide();
    for (std::size_t i = 0; i < kItems.size(); ++i) {
        for (QLabel* label : {m_captions[i], m_values[i]}) {
            label->hide();
            label->move(0, kHiddenTop);
        }
    }
    int left = kLabelGap;
    if (std::find(layout.begin(), layout.end(), std::uint8_t{RunInfo::kFlagLamp}) != layout.end()) {
        m_flag->show();
        left = m_flag->width() + kLabelGap;
    }
    for (std::uint8_t code : layout)
        left = placeItem(code, left);
    m_busy->move(width() - m_busy->width() - 6, m_busy->y());
}

int GeneralInfoPanel::placeItem(int item, int left)
{
    if (item < RunInfo::kLapsToGo || item > RunInfo::kRun)
        return left;
    for (QLabel* label : {caption(item), value(item)}) {
        label->move(left, kLabelTop);
        label->show();
        left += label->width() + kLabelGap;
    }
    return left;
}

void GeneralInfoPanel::placeItems()
{
    m_busy->move(width() - m_busy->width() - 3, m_busy->y());
    m_logo->move(m_busy->x() - m_logo->width() - 3, m_logo->y());
    if (m_besideLogo)
        m_besideLogo->move(m_logo->x() - m_besideLogo->width() - kLabelGap, (height() - m_besideLogo->height()) / 2);
}

void GeneralInfoPanel::placeBesideLogo(QWidget* widget)
{
    m_besideLogo = widget;
    placeItems();
}

void GeneralInfoPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeItems();
}

} // namespace kav
