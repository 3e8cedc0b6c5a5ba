#include "sel_competitor_dlg.h"

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

QListWidget* MakeList()
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
int FirstSelected(const QListWidget& list)
{
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->isSelected())
            return row;
    return -1;
}

} // namespace

TSelCompetitorDlg::TSelCompetitorDlg(QWidget* parent)
    : QDialog(parent), m_drivers(MakeList()), m_followedList(MakeList()), m_add(new QPushButton(QStringLiteral(">"))),
      m_remove(new QPushButton(QStringLiteral("<")))
{
    setWindowTitle(QStringLiteral("Select driver to follow"));
    connect(m_add, &QPushButton::clicked, this, &TSelCompetitorDlg::AddSelected);
    connect(m_remove, &QPushButton::clicked, this, &TSelCompetitorDlg::RemoveSelected);
    connect(m_drivers, &QListWidget::itemDoubleClicked, this, &TSelCompetitorDlg::AddSelected);
    connect(m_followedList, &QListWidget::itemDoubleClicked, this, &TSelCompetitorDlg::RemoveSelected);
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
    auto* buttons = OkCancelButtons(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void TSelCompetitorDlg::SetFollowList(const TFollowList& list)
{
    m_followed = list;
    // Entries after the first empty one are not part of the list; an append must not revive them.
    std::fill(m_followed.begin() + static_cast<std::ptrdiff_t>(FollowedCount()), m_followed.end(), std::string());
}

void TSelCompetitorDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Populate();
}

std::size_t TSelCompetitorDlg::FollowedCount() const
{
    const auto end = std::find(m_followed.begin(), m_followed.end(), std::string());
    return static_cast<std::size_t>(end - m_followed.begin());
}

bool TSelCompetitorDlg::IsFollowed(const std::string& regNo) const
{
    const auto end = m_followed.begin() + static_cast<std::ptrdiff_t>(FollowedCount());
    return std::find(m_followed.begin(), end, regNo.substr(0, kRegNoLength)) != end;
}

const TFollowCompetitor* TSelCompetitorDlg::Find(const std::string& regNo) const
{
    for (const TFollowCompetitor& competitor : m_competitors)
        if (competitor.RegNo.substr(0, kRegNoLength) == regNo)
            return &competitor;
    return nullptr;
}

QString TSelCompetitorDlg::DisplayLine(const std::string& regNo) const
{
    const TFollowCompetitor* competitor = Find(regNo);
    if (!competitor)
        return FeedText(regNo); // followed, but no longer among the competitors
    const std::string line = FixLength(competitor->Number, m_numberWidth + 2) +
                             ComposeName(competitor->FirstName, competitor->LastName, kNameLength);
    return FeedText(line);
}

void TSelCompetitorDlg::Populate()
{
    m_numberWidth = 0;
    for (const TFollowCompetitor& competitor : m_competitors)
        m_numberWidth = std::max(m_numberWidth, competitor.Number.size());
    m_drivers->clear();
    m_followedList->clear();
    m_notFollowed.clear();
    for (std::size_t i = 0; i < FollowedCount(); ++i)
        m_followedList->addItem(DisplayLine(m_followed[i]));
    for (const TFollowCompetitor& competitor : m_competitors) {
        const std::string regNo = competitor.RegNo.substr(0, kRegNoLength);
        if (IsFollowed(regNo) || m_notFollowed.size() >= kFollowCount)
            continue;
        m_notFollowed.push_back(regNo);
        m_drivers->addItem(DisplayLine(regNo));
    }
}

void TSelCompetitorDlg::AddSelected()
{
    while (AddOne()) {
    }
}

void TSelCompetitorDlg::RemoveSelected()
{
    while (RemoveOne()) {
    }
}

// Moves the first selected driver to the right; false when none is selected or the list is full.
bool TSelCompetitorDlg::AddOne()
{
    const int line = FirstSelected(*m_drivers);
    const std::size_t count = FollowedCount();
    if (line < 0 || count >= kFollowCount || std::size_t(line) >= m_notFollowed.size())
        return false;
    delete m_drivers->takeItem(line);
    const std::string regNo = m_notFollowed[std::size_t(line)];
    m_notFollowed.erase(m_notFollowed.begin() + line);
    m_followed[count] = regNo;
    m_followedList->addItem(DisplayLine(regNo));
    return true;
}

bool TSelCompetitorDlg::RemoveOne()
{
    const int line = FirstSelected(*m_followedList);
    const std::size_t count = FollowedCount();
    if (line < 0 || m_notFollowed.size() >= kFollowCount || std::size_t(line) >= count)
        return false;
    delete m_followedList->takeItem(line);
    const std::string regNo = m_followed[std::size_t(line)];
    std::move(m_followed.begin() + line + 1, m_followed.begin() + static_cast<std::ptrdiff_t>(count),
              m_followed.begin() + line);
    m_followed[count - 1].clear();
    m_notFollowed.push_back(regNo);
    m_drivers->addItem(DisplayLine(regNo));
    return true;
}

} // namespace kav
