#pragma once

#include "main_settings.h"

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace kav {

// What the follow dialog needs of a competitor; its caller takes these from the competitor list.
struct TFollowCompetitor {
    std::string RegNo;
    std::string Number;
    std::string FirstName;
    std::string LastName;
};

// Chooses the drivers whose rows are shown in the follow marker colours. The right list always shows
// the followed drivers in follow-list order, one line each, so that removing a line removes the driver
// it shows. Each list holds at most 160 drivers; a move beyond that is refused.
class TSelCompetitorDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSelCompetitorDlg(QWidget* parent = nullptr);

    void SetFollowList(const TFollowList& list);
    void SetCompetitors(std::vector<TFollowCompetitor> competitors) { m_competitors = std::move(competitors); }
    TFollowList GetFollowList() const { return m_followed; }

    // Fills both lists, as showing the dialog does.
    void Populate();
    void AddSelected();
    void RemoveSelected();

    QListWidget* DriversList() const { return m_drivers; }
    QListWidget* FollowedList() const { return m_followedList; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* RemoveButton() const { return m_remove; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    const TFollowCompetitor* Find(const std::string& regNo) const;
    QString DisplayLine(const std::string& regNo) const;
    std::size_t FollowedCount() const;
    bool IsFollowed(const std::string& regNo) const;
    bool AddOne();
    bool RemoveOne();

    TFollowList m_followed;
    std::vector<std::string> m_notFollowed; // the left list's drivers, line by line
    std::vector<TFollowCompetitor> m_competitors;
    std::size_t m_numberWidth = 0;
    QListWidget* m_drivers;
    QListWidget* m_followedList;
    QPushButton* m_add;
    QPushButton* m_remove;
};

} // namespace kav
