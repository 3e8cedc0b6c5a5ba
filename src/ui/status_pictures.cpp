#include "status_pictures.h"

#include "ui_resources.h"

namespace kav {

namespace {

constexpr std::size_t kArrowSlot = 7;

} // namespace

TStatusPictures::TStatusPictures()
{
    m_pictures[0] = ResourcePicture(QStringLiteral("white_flag.svg"));
    m_pictures[1] = ResourcePicture(QStringLiteral("grey_flag.svg"));
    m_pictures[2] = ResourcePicture(QStringLiteral("black_flag.svg"));
    m_pictures[3] = ResourcePicture(QStringLiteral("chequered_flag.svg"));
    m_pictures[4] = ResourcePicture(QStringLiteral("green_ball.svg"));
    m_pictures[6] = ResourcePicture(QStringLiteral("red_cross.svg"));
    m_pictures[kArrowSlot] = ResourcePicture(QStringLiteral("green_arrow.svg"));
}

const TPicture* TStatusPictures::ForCode(std::uint8_t code) const
{
    const std::size_t slot = code == 255 ? kArrowSlot : code;
    if ((code != 255 && slot >= kArrowSlot) || m_pictures[slot].IsEmpty())
        return nullptr;
    return &m_pictures[slot];
}

} // namespace kav
