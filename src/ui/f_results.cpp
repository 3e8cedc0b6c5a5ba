#include "f_results.h"

#include "code_lists.h"
#include "col_sett_dlg.h"
#include "feed_text.h"
#include "fit_to_screen_dialog.h"
#include "grid_printer.h"
#include "result_columns.h"
#include "results_models.h"
#include "screen_fitter.h"
#include "ui_prompter.h"
#include "window_state.h"
#include "zeb_grid.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrinter>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdint>

namespace kav {

namespace {

constexpr QSize kInitialSize{616, 531};
constexpr int kGraphicMargin = 2;
constexpr int kFitWidthExtra = 26;

QFont FontFromRec(const TFontRec& rec)
{
    QFont font(QString::fromStdString(rec.Name));
    font.setPointSize(rec.Size > 0 ? rec.Size : 7);
    font.setBold(rec.Style.Bold);
    font.setItalic(rec.Style.Italic);
    font.setUnderline(rec.Style.Underline);
    font.setStrikeOut(rec.Style.StrikeOut);
    return font;
}

TFontRec FontRecFrom(const QFont& font, TColorValue color)
{
    const int points = font.pointSize() > 0 ? font.pointSize() : qRound(QFontInfo(font).pointSizeF());
    return {
        font.family().toStdString(), points, {font.bold(), font.italic(), font.underline(), font.strikeOut()}, color};
}

// Keys that type something leave full screen; arrows and function keys do not.
bool IsCharacterKey(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Backspace:
    case Qt::Key_Tab: return true;
    default: break;
    }
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

} // namespace

TFResults::TFResults(ResultsModels& models, THeaderRec& headers, TColSettDlg& columnDialog, QMdiArea* area)
    : m_models(models), m_headers(headers), m_columnDialog(columnDialog), m_grid(new TZebGrid(this)),
      m_fitter(new ScreenFitter(*m_grid, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    m_grid->SetResults(&m_models.forKind(m_rec.Layout));
    m_grid->SetGraphicMargin(kGraphicMargin);
    CreateMenu();
    installEventFilter(this);
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    connect(m_grid, &TZebGrid::ColumnsMoved, this, &TFResults::OnColumnsMoved);
    connect(m_grid, &TZebGrid::DoubleClicked, this, &TFResults::EditColumns);
    if (area) {
        m_host = area->addSubWindow(this); // the sub-window deletes itself and this window on close
        m_host->resize(kInitialSize);
    } else {
        setAttribute(Qt::WA_DeleteOnClose);
        resize(kInitialSize);
    }
    m_ownFlags = Frame()->windowFlags();
}

TFResults::~TFResults() = default;

void TFResults::CreateMenu()
{
    m_layoutMenu = new QMenu(QStringLiteral("&Layout"), this);
    m_layoutMenu->addAction(QStringLiteral("Font..."), this, &TFResults::ChooseFont);
    m_layoutMenu->addAction(QStringLiteral("&Column settings..."), this, &TFResults::EditColumns);
    m_layoutMenu->addSeparator();
    m_scrollBarsAction = AddCheckable(QStringLiteral("Scroll bars"), &TFResults::OnScrollBarsEntry);
    m_sizeableAction = AddCheckable(QStringLiteral("Sizeable"), &TFResults::OnSizeableEntry);
    m_gridAction = AddCheckable(QStringLiteral("Grid"), &TFResults::SetGridLines);
    m_layoutMenu->addSeparator();
    m_layoutMenu->addAction(QStringLiteral("Print results"), this, &TFResults::PrintResults);
    m_fullScreenAction = m_layoutMenu->addAction(QStringLiteral("Full Screen"));
    m_fullScreenAction->setCheckable(true);
    connect(m_fullScreenAction, &QAction::triggered, this,
            [this](bool on) { on ? EnterFullScreen() : LeaveFullScreen(); });
    m_fitAction = m_layoutMenu->addAction(QStringLiteral("Fit to screen"));
    m_fitAction->setCheckable(true);
    connect(m_fitAction, &QAction::triggered, this, [this](bool on) { m_rec.FitToScreen = on; });
    m_layoutMenu->addAction(QStringLiteral("Fit to screen settings..."), this, &TFResults::EditFitToScreen);
}

QAction* TFResults::AddCheckable(const QString& text, void (TFResults::*handler)(bool))
{
    QAction* action = m_layoutMenu->addAction(text);
    action->setCheckable(true);
    action->setChecked(true);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

QWidget* TFResults::Frame() const
{
    if (m_host && !m_fullScreen)
        return m_host;
    return const_cast<TFResults*>(this);
}

void TFResults::ApplyLayout(const TResultWinRec& rec)
{
    m_rec = rec;
    m_grid->SetResults(&m_models.forKind(rec.Layout)); // before the first visible row is set
    ApplyPlacement(rec.WinPos);
    const QString caption = ResultWindowCaption(rec.Layout);
    if (!caption.isEmpty())
        setWindowTitle(caption);
    SetScrollBars(rec.ScrollBars);
    SetSizeable(rec.Sizeable);
    SetGridLines(rec.Grid);
    m_fitAction->setChecked(rec.FitToScreen);
    if (m_grid->TopRow() != rec.TopRow)
        m_grid->SetTopRow(rec.TopRow);
    SetResultFont(FontFromRec(rec.Font), rec.Font.Color);
    BuildColumns();
}

TResultWinRec TFResults::GetLayout()
{
    StoreWidths();
    const QWidget* frame = Frame();
    const Qt::WindowStates state = frame->windowState();
    if (!(state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        m_rec.WinPos.Top = frame->y();
        m_rec.WinPos.Left = frame->x();
        m_rec.WinPos.Width = frame->width();
        m_rec.WinPos.Height = frame->height();
    }
    m_rec.WinPos.State = FromQtState(state);
    m_rec.WinPos.Active = IsActiveWindow();
    if (!m_fitter->isActive()) { // a fitted table keeps the window's own font and first row
        m_rec.Font = FontRecFrom(m_grid->font(), m_fontColor);
        m_rec.TopRow = m_grid->TopRow();
    }
    m_rec.ScrollBars = m_scrollBarsAction->isChecked();
    m_rec.Sizeable = m_sizeableAction->isChecked();
    m_rec.Grid = m_gridAction->isChecked();
    return m_rec;
}

bool TFResults::IsActiveWindow() const
{
    if (m_host && !m_fullScreen)
        return m_host->mdiArea() && m_host->mdiArea()->activeSubWindow() == m_host;
    return isActiveWindow();
}

void TFResults::ApplyPlacement(const TWinPosRec& pos)
{
    if (pos.State != TWindowState::Maximized) {
        Frame()->setWindowState(ToQtState(pos.State));
        SetBounds(pos);
    } else {
        SetBounds(pos);
        Frame()->setWindowState(ToQtState(pos.State));
    }
}

void TFResults::SetBounds(const TWinPosRec& pos)
{
    if (pos.Left == -1 || pos.Top == -1)
        return;
    QWidget* frame = Frame();
    frame->move(pos.Left, pos.Top);
    if (pos.Width > 0 && pos.Height > 0) {
        frame->setMinimumSize(0, 0); // a fixed border holds the old size until the new one is set
        frame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        frame->resize(pos.Width, pos.Height);
        if (!m_sizeableAction->isChecked())
            frame->setFixedSize(frame->size());
    }
}

int TFResults::GetRowCount() const
{
    return m_grid->RowCount();
}

// Rows are 4 pixels taller than the text. The colour is the font's own, kept with the layout; the rows
// take the results colours.
void TFResults::SetResultFont(const QFont& font, TColorValue color)
{
    m_grid->SetAllRowHeights(QFontMetrics(font).height() + 4);
    m_grid->setFont(font);
    m_fontColor = color;
}

void TFResults::SetResultFontColor(TColorValue color)
{
    m_fontColor = color;
    m_grid->SetTextColor(color);
}

void TFResults::SetResultBgColor(TColorValue color)
{
    m_grid->SetColor(color);
}

void TFResults::SetHeaderFontColor(TColorValue color)
{
    m_grid->SetHeaderFontColor(color);
}

void TFResults::SetHeaderBgColor(TColorValue color)
{
    m_grid->SetFixedColor(color);
}

void TFResults::FitWidth()
{
    GetLayout();
    // Widths come from layout files and may be anything a 32-bit number holds: add them up in 64 bits.
    std::int64_t width = kFitWidthExtra;
    for (std::size_t p = 0; p < kColumnSlots && m_rec.ColRel[p] != kNoCode; ++p)
        width += std::max<std::int64_t>(m_rec.ColWidth[m_rec.ColRel[p]], 0) + 1;
    SetFrameWidth(static_cast<int>(std::min<std::int64_t>(width, QWIDGETSIZE_MAX)));
}

// Shows the model of the window's kind with the record's columns, in its order and widths, under the
// shared header texts as they stand now.
void TFResults::BuildColumns()
{
    // A damaged layout file may hold unknown or repeated identifiers: they are left out.
    CompactCodes(m_rec.ColRel, 0, kColumnIds - 1);
    std::vector<std::uint8_t> columns;
    for (std::size_t p = 0; p < kColumnSlots && m_rec.ColRel[p] != kNoCode; ++p)
        columns.push_back(m_rec.ColRel[p]);
    m_grid->SetResults(&m_models.forKind(m_rec.Layout));
    for (std::uint8_t id = 0; id < kColumnIds; ++id)
        m_grid->SetHeaderText(id, FeedText(m_headers[kColumnCatalogue[id].HeaderIndex]));
    m_grid->SetColumns(columns);
    for (std::size_t p = 0; p < columns.size(); ++p)
        m_grid->SetColWidth(int(p), m_rec.ColWidth[columns[p]]);
    m_rec.RebuildColPos();
    if (m_fitter->isActive())
        StartFit();
}

void TFResults::StoreWidths()
{
    if (m_fitter->isActive())
        return; // the fitted widths are the screen's, not the window's
    for (int place = 0; place < m_grid->ColCount(); ++place) {
        const int id = m_grid->ColumnAt(place);
        if (id >= 0)
            m_rec.ColWidth[std::size_t(id)] = m_grid->ColWidth(place);
    }
}

// The operator dragged a column: the record takes the grid's new order.
void TFResults::OnColumnsMoved()
{
    const std::vector<std::uint8_t> columns = m_grid->Columns();
    m_rec.ColRel = EmptyColRel();
    std::copy_n(columns.begin(), std::min(columns.size(), kColumnSlots), m_rec.ColRel.begin());
    m_rec.RebuildColPos();
}

void TFResults::ChooseFont()
{
    const std::optional<QFont> font = Prompter().ChooseFont(m_grid->font(), this);
    if (font)
        SetResultFont(*font, m_fontColor);
}

void TFResults::EditColumns()
{
    GetLayout();
    m_columnDialog.SetKind(m_rec.Layout);
    m_columnDialog.SetColumns(m_rec.ColRel);
    m_columnDialog.SetHeaders(m_headers);
    if (Prompter().Exec(m_columnDialog) != QDialog::Accepted)
        return;
    StoreWidths();
    m_headers = m_columnDialog.GetHeaders();
    m_rec.ColRel = m_columnDialog.GetColumns();
    m_rec.RebuildColPos();
    BuildColumns();
    emit RefillRequested(m_rec.Layout);
}

void TFResults::StartFit()
{
    m_fitter->start(FontFromRec(m_rec.Font), m_rec.FitRows, m_rec.PageSeconds);
}

void TFResults::closeEvent(QCloseEvent* event)
{
    if (m_fullScreen && m_host) {
        // Closed while out of its sub-window: go back first, then close the sub-window with it.
        event->ignore();
        LeaveFullScreen();
        QMetaObject::invokeMethod(m_host, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    const bool wasFullScreen = m_fullScreen;
    GetLayout();
    if (wasFullScreen)
        m_rec.WinPos = m_savedLayout.WinPos;
    emit Closed(m_rec.Number);
    event->accept();
}

bool TFResults::eventFilter(QObject* watched, QEvent* event)
{
    if (m_fullScreen && event->type() == QEvent::KeyPress && IsCharacterKey(*static_cast<QKeyEvent*>(event))) {
        LeaveFullScreen();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kav
