#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

#include "main_settings.h"
#include "race_state.h"
#include "result_win_rec.h"
#include "results_models.h"
#include "status_pictures.h"
#include "zeb_time.h"

namespace kav {

// Turns the race data into the cells, pictures and row colours of the results model of each window
// kind, whether or not a window shows it. Each cell is written once, into the model of its kind;
// the windows only show it. The choice of list, text forms and pictures is made here. Rows count
// from 1, as the windows number them.
class TContentBuilder {
public:
    static constexpr std::uint8_t kColMarker = 1;
    static constexpr std::uint8_t kColGap = 14;
    static constexpr std::size_t kNameLength = 40;

    TContentBuilder(TRaceState& state, ResultsModels& models, const TMainSettings& settings,
                    const TStatusPictures& pictures);

    const TPicture* Picture(std::uint8_t code) const { return m_pictures.ForCode(code); }

    void SetCellText(std::uint8_t kind, std::uint8_t id, const QString& text, int row);
    void SetCellIcon(std::uint8_t kind, std::uint8_t id, const TPicture* picture, int row);
    void SetStatusIcon(std::uint8_t kind, std::string_view regNo, int row);
    void SetRowColours(std::uint8_t kind, std::string_view regNo, int row);

    void FillLapRow(int row, const RaceResRec& entry, int mode);
    void FillRaceRow(int row, const RaceResRec& entry);
    void FillPracRow(int row, const PracResRec& entry);
    void FillTrackRow(int row, const TrackResRec& entry, int mode);
    QString SpeedText(TimeValue lapTime) const;

    void RefillLap(const TCurrentRaceList& list, int mode);
    void RefillRace();
    void RefillPrac();
    void RefillTrack(const TCurrentTrackList& list, int mode);
    void RefillKind(std::uint8_t kind);
    void RefillAll();

    void ClearRow(std::uint8_t kind, int row);
    void ResetKind(std::uint8_t kind);
    void SetGapCells(std::uint8_t kind, const TCurrentRaceList& list);
    void SetGapCells(std::uint8_t kind, const TReadablePracList& list);

    // Raises the row count so that position fits, and gives every model that many rows.
    void GrowRows(int position);

private:
    void FillStandingRow(std::uint8_t kind, int row, const RaceResRec& entry, const TReadablePassingList& passings,
                         bool speedNeedsTwoLaps);
    void PutText(std::uint8_t kind, std::uint8_t id, int row, std::string_view text);
    void PutCompetitorCells(std::uint8_t kind, int row, std::string_view regNo);
    void PutTime(std::uint8_t kind, std::uint8_t id, int row, TimeValue value, bool empty);
    void PutLapTimeCells(std::uint8_t kind, int row, const TJRec* passing, const PracResRec* practice);
    void PutBestSpeed(std::uint8_t kind, int row, const PracResRec* practice);
    const TJRec* PassingOf(const TReadablePassingList& list, std::string_view regNo) const;
    const PracResRec* PracticeOf(std::string_view regNo) const;
    bool IsFollowed(std::string_view regNo) const;
    template <typename List>
    void PutGaps(std::uint8_t kind, const List& list);

    TRaceState& m_state;
    ResultsModels& m_models;
    const TMainSettings& m_settings;
    const TStatusPictures& m_pictures;
    TZebTime m_time;
};

} // namespace kav
