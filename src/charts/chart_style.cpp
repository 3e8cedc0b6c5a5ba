#include "chart_style.h"

#include <array>

namespace kav {

namespace {

constexpr std::array<QRgb, 8> kClassColors = {0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e,
                                              0x9467bd, 0x8c564b, 0xe377c2, 0x17becf};
// Cars of one class differ in shade so that crossing lines of one class stay apart.
constexpr std::array<int, 5> kShades = {100, 145, 70, 125, 85};
// After every shade, the next cars of the class are told apart by their dashes.
constexpr std::array<Qt::PenStyle, 4> kDashes = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};
constexpr qreal kLineWidth = 1.5;
constexpr qreal kFollowedWidth = 4;

} // namespace

QColor classColor(int classNo)
{
    const auto slot = static_cast<std::size_t>(classNo <= 0 ? 0 : classNo - 1) % kClassColors.size();
    return QColor(kClassColors[slot]);
}

QPen carPen(const CarLabel& label, int rankInClass)
{
    const int shade = kShades[static_cast<std::size_t>(rankInClass) % kShades.size()];
    const QColor base = classColor(label.classNo);
    QPen pen(shade >= 100 ? base.lighter(shade) : base.darker(100 * 100 / shade));
    pen.setStyle(kDashes[static_cast<std::size_t>(rankInClass) / kShades.size() % kDashes.size()]);
    markFollowed(pen, label.followed);
    return pen;
}

void markFollowed(QPen& pen, bool followed)
{
    pen.setWidthF(followed ? kFollowedWidth : kLineWidth);
}

} // namespace kav
