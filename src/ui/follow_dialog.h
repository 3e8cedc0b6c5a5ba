#pragma once

#include "main_settings.h"

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace kav {

// What the follow dialog needs of a competitor; its caller takes these from the competitor list.
struct FollowCandidate {
    std::string RegNo;
    std::string Number;
    std::string FirstName;
    std::string LastName;
};

// Chooses the drivers whose rows are shown in the follow marker colours. The right list always shows
// the followed drivers in follow-list order, one line each, so that removing a line removes the driver
// it shows. Each list holds at most 160 drivers; a move beyond that is refused.
class FollowDialog : public QDialog {
    Q_OBJECT
public:
    explicit FollowDialog(QWidget* parent = nullptr);

    void setFollowList(const FollowedCompetitors& list);
    void setCompetitors(std::vector<FollowCandidate> competitors) { m_competitors = std::move(competitors); }
    FollowedCompetitors followList() const { return m_followed; }

    // Fills both lists, as showing the dialog does.
    void populate();
    void addSelected();
    void removeSelected();

    QListWidget* driversList() const { return m_drivers; }
    QListWidget* followedList() const { return m_followedList; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* removeButton() const { return m_remove; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    const FollowCandidate* findEntry(const std::string& regNo) const;
    QString displayLine(const std::string& regNo) const;
    std::size_t followedCount() const;
    bool isFollowed(const std::string& regNo) const;
    bool addOne();
    bool removeOne();

    FollowedCompetitors m_followed;
    std::vector<std::string> m_notFollowed; // the left list's drivers, line by line
    std::vector<FollowCandidate> m_competitors;
    std::size_t m_numberWidth = 0;
    QListWidget* m_drivers;
    QListWidget* m_followedList;
    QPushButton* m_add;
    QPushButton* m_remove;
};

} // namespace kav
