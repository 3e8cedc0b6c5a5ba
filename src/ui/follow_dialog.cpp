#include "follow_dialog.h"

#include "dialog_buttons.h"
#include "feed_text.h"
#include "text_helpers.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace kav {

namespace {

constexpr std::size_t kRegNoLength = 8;
constexpr std::size_t kNameLength = 40;

QListWidget* makeList()
{
    auto* list = new QListWidget;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setBold(true);
    list->setFont(font);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setMinimumSize(260, 300);
    return list;
}

// The first selected line, counted from 0; -1 when none is selected.
int firstSelected(const QListWidget& list)
{
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->isSelected())
            return row;
    return -1;
}

} // namespace

FollowDialog::FollowDialog(QWidget* parent)
    : QDialog(parent), m_drivers(makeList()), m_followedList(makeList()), m_add(new QPushButton(QStringLiteral(">"))),
      m_remove(new QPushButton(QStringLiteral("<")))
{
    setWindowTitle(QStringLiteral("Select driver to follow"));
    connect(m_add, &QPushButton::clicked, this, &FollowDialog::addSelected);
    connect(m_remove, &QPushButton::clicked, this, &FollowDialog::removeSelected);
    connect(m_drivers, &QListWidget::itemDoubleClicked, this, &FollowDialog::addSelected);
    connect(m_followedList, &QListWidget::itemDoubleClicked, this, &FollowDialog::removeSelected);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(m_add);
    moves->addWidget(m_remove);
    moves->addStretch();
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Drivers:")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Drivers to follow:")), 0, 2);
    grid->addWidget(m_drivers, 1, 0);
    grid->addLayout(moves, 1, 1);
    grid->addWidget(m_followedList, 1, 2);
    auto* buttons = okCancelButtons(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void FollowDialog::setFollowList(const FollowedCompetitors& list)
{
    m_followed = list;
    // Entries after the first empty one are not part of the list; an append must not revive them.
    std::fill(m_followed.begin() + static_cast<std::ptrdiff_t>(followedCount()), m_followed.end(), std::string());
}

void FollowDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    populate();
}

std::size_t FollowDialog::followedCount() const
{
    const auto end = std::find(m_followed.begin(), m_followed.end(), std::string());
    return static_cast<std::size_t>(end - m_followed.begin());
}

bool FollowDialog::isFollowed(const std::string& regNo) const
{
    const auto end = m_followed.begin() + static_cast<std::ptrdiff_t>(followedCount());
    return std::find(m_followed.begin(), end, regNo.substr(0, kRegNoLength)) != end;
}

const FollowCandidate* FollowDialog::findEntry(const std::string& regNo) const
{
    for (const FollowCandidate& competitor : m_competitors)
        if (competitor.RegNo.substr(0, kRegNoLength) == regNo)
            return &competitor;
    return nullptr;
}

QString FollowDialog::displayLine(const std::string& regNo) const
{
    const FollowCandidate* competitor = findEntry(regNo);
    if (!competitor)
        return feedText(regNo); // followed, but no longer among the competitors
    const std::string line = fixLength(competitor->Number, m_numberWidth + 2) +
                             composeName(competitor->FirstName, competitor->LastName, kNameLength);
    return feedText(line);
}

void FollowDialog::populate()
{
    m_numberWidth = 0;
    for (const FollowCandidate& competitor : m_competitors)
        m_numberWidth = std::max(m_numberWidth, competitor.Number.size());
    m_drivers->clear();
    m_followedList->clear();
    m_notFollowed.clear();
    for (std::size_t i = 0; i < followedCount(); ++i)
        m_followedList->addItem(displayLine(m_followed[i]));
    for (const FollowCandidate& competitor : m_competitors) {
        const std::string regNo = competitor.RegNo.substr(0, kRegNoLength);
        if (isFollowed(regNo) || m_notFollowed.size() >= kFollowCount)
            continue;
        m_notFollowed.push_back(regNo);
        m_drivers->addItem(displayLine(regNo));
    }
}

void FollowDialog::addSelected()
{
    while (addOne()) {
    }
}

void FollowDialog::removeSelected()
{
    while (removeOne()) {
    }
}

// Moves the first selected driver to the right; false when none is selected or the list is full.
bool FollowDialog::addOne()
{
    const int line = firstSelected(*m_drivers);
    const std::size_t count = followedCount();
    if (line < 0 || count >= kFollowCount || std::size_t(line) >= m_notFollowed.size())
        return false;
    delete m_drivers->takeItem(line);
    const std::string regNo = m_notFollowed[std::size_t(line)];
    m_notFollowed.erase(m_notFollowed.begin() + line);
    m_followed[count] = regNo;
    m_followedList->addItem(displayLine(regNo));
    return true;
}

bool FollowDialog::removeOne()
{
    const int line = firstSelected(*m_followedList);
    const std::size_t count = followedCount();
    if (line < 0 || m_notFollowed.size() >= kFollowCount || std::size_t(line) >= count)
        return false;
    delete m_followedList->takeItem(line);
    const std::string regNo = m_followed[std::size_t(line)];
    std::move(m_followed.begin() + line + 1, m_followed.begin() + static_cast<std::ptrdiff_t>(count),
              m_followed.begin() + line);
    m_followed[count - 1].clear();
    m_notFollowed.push_back(regNo);
    m_drivers->addItem(displayLine(regNo));
    return true;
}

} // namespace kav
