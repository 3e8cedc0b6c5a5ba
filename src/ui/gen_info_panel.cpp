#include "gen_info_panel.h"

#include "picture_box.h"
#include "status_lamp.h"
#include "ui_resources.h"

#include <QLabel>
#include <QResizeEvent>

#include "feed_text.h"

#include <algorithm>

#include <cstdlib>

namespace kav {

namespace {

struct TItemLook {
    const char* caption;
    int captionWidth;
    int valueWidth;
};

constexpr std::array<TItemLook, TGenInfoPanel::kLabelItems> kItems = {{
    {"Laps to Go:", 81, 57},
    {"Racetime:", 73, 89},
    {"Best lap:", 65, 41},
    {"Best laptime:", 97, 89},
    {"Best speed:", 81, 57},
    {"Name:", 57, 153},
    {"Length track:", 97, 49},
    {"Name Track:", 89, 209},
    {"Run:", 41, 233},
}};

constexpr TColorValue kLime = 0x00FF00;
constexpr TColorValue kRed = 0x0000FF;
constexpr int kLabelTop = 8;
constexpr int kHiddenTop = 50;
constexpr int kLabelGap = 10;
constexpr int kLogoSize = 32;
// The black pole the flag lamp hangs on, just left of the lamp.
constexpr int kPoleLeft = 17;
constexpr int kPoleWidth = 3;

} // namespace

TGenInfoPanel::TGenInfoPanel(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(kHeight);
    setAutoFillBackground(true);
    CreateLabels();
    CreateLamps();
    m_logo = new TPictureBox(this);
    m_logo->SetPicture(ResourcePicture(QStringLiteral("maker_logo.svg")));
    m_logo->setGeometry(0, 4, kLogoSize, kLogoSize);
    SetErrorHint(QStringLiteral("No Errors"));
    hide();
    FormResize();
}

void TGenInfoPanel::CreateLabels()
{
    for (std::size_t i = 0; i < kItems.size(); ++i) {
        m_captions[i] = new QLabel(QString::fromLatin1(kItems[i].caption), this);
        m_captions[i]->setFixedWidth(kItems[i].captionWidth);
        // Red until the colours are applied; a palette, unlike a style sheet, lets the chosen colour show.
        QPalette palette = m_captions[i]->palette();
        palette.setColor(QPalette::WindowText, Qt::red);
        m_captions[i]->setPalette(palette);
        m_values[i] = new QLabel(this);
        m_values[i]->setFixedWidth(kItems[i].valueWidth);
    }
}

void TGenInfoPanel::CreateLamps()
{
    m_flag = new QWidget(this);
    m_flag->setGeometry(4, 4, 41, 32);
    auto* pole = new QWidget(m_flag);
    pole->setObjectName(QStringLiteral("FlagPole"));
    pole->setGeometry(kPoleLeft, 4, kPoleWidth, 28);
    pole->setAutoFillBackground(true);
    QPalette polePalette = pole->palette();
    polePalette.setColor(QPalette::Window, Qt::black);
    pole->setPalette(polePalette);
    m_flagLamp = new TStatusLamp(kLime, m_flag);
    m_flagLamp->move(20, 4);
    m_flag->hide();
    m_busy = new QWidget(this);
    m_busy->setGeometry(0, 4, 36, 32);
    m_green = new TStatusLamp(kLime, m_busy);
    m_green->move(2, 9);
    m_red = new TStatusLamp(kClBtnFace, m_busy);
    m_red->move(20, 9);
}

void TGenInfoPanel::SetValue(int item, const QString& text)
{
    Value(item)->setText(text);
}

QString TGenInfoPanel::ValueText(int item) const
{
    return Value(item)->text();
}

void TGenInfoPanel::PaintBusy(bool lit)
{
    m_green->SetColor(lit ? kClBtnFace : kLime);
    m_red->SetColor(lit ? kRed : kClBtnFace);
}

void TGenInfoPanel::SetErrorHint(const QString& hint)
{
    m_busy->setToolTip(hint);
}

QString TGenInfoPanel::ErrorHint() const
{
    return m_busy->toolTip();
}

void TGenInfoPanel::ApplyGenInfoLayout(const TGenInfo& layout)
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
    if (std::find(layout.begin(), layout.end(), std::uint8_t{kFlagLamp}) != layout.end()) {
        m_flag->show();
        left = m_flag->width() + kLabelGap;
    }
    for (std::uint8_t code : layout)
        left = PlaceItem(code, left);
    m_busy->move(width() - m_busy->width() - 6, m_busy->y());
}

int TGenInfoPanel::PlaceItem(int item, int left)
{
    if (item < kLapsToGo || item > kRun)
        return left;
    for (QLabel* label : {Caption(item), Value(item)}) {
        label->move(left, kLabelTop);
        label->show();
        left += label->width() + kLabelGap;
    }
    return left;
}

void TGenInfoPanel::UpdateTrackLabels(const TMainSettings& settings, const std::string& runName)
{
    const std::int32_t length = settings.TrackLength;
    const long long metres = std::llabs(static_cast<long long>(length));
    SetValue(kTrackLength, QStringLiteral("%1%2.%3")
                               .arg(length < 0 ? QStringLiteral("-") : QString())
                               .arg(metres / 1000)
                               .arg(metres % 1000, 3, 10, QLatin1Char('0')));
    SetValue(kTrackName, FeedText(settings.TrackName));
    SetValue(kRun, FeedText(runName));
}

void TGenInfoPanel::FormResize()
{
    m_busy->move(width() - m_busy->width() - 3, m_busy->y());
    m_logo->move(m_busy->x() - m_logo->width() - 3, m_logo->y());
    if (m_besideLogo)
        m_besideLogo->move(m_logo->x() - m_besideLogo->width() - kLabelGap, (height() - m_besideLogo->height()) / 2);
}

void TGenInfoPanel::placeBesideLogo(QWidget* widget)
{
    m_besideLogo = widget;
    FormResize();
}

void TGenInfoPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

} // namespace kav
