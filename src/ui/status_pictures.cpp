#include "status_pictures.h"

#include "ui_resources.h"

namespace kav {

namespace {

constexpr std::size_t kArrowSlot = 7;

} // namespace

StatusPictures::StatusPictures()
{
    m_pictures[0] = resourcePicture(QStringLiteral("white_flag.svg"));
    m_pictures[1] = resourcePicture(QStringLiteral("grey_flag.svg"));
    m_pictures[2] = resourcePicture(QStringLiteral("black_flag.svg"));
    m_pictures[3] = resourcePicture(QStringLiteral("chequered_flag.svg"));
    m_pictures[4] = resourcePicture(QStringLiteral("green_ball.svg"));
    m_pictures[6] = resourcePicture(QStringLiteral("red_cross.svg"));
    m_pictures[kArrowSlot] = resourcePicture(QStringLiteral("green_arrow.svg"));
}

const Picture* StatusPictures::forCode(std::uint8_t code) const
{
    const std::size_t slot = code == 255 ? kArrowSlot : code;
    if ((code != 255 && slot >= kArrowSlot) || m_pictures[slot].isEmpty())
        return nullptr;
    return &m_pictures[slot];
}

const StatusPictures& statusPictures()
{
    static const StatusPictures pictures;
    return pictures;
}

} // namespace kav
