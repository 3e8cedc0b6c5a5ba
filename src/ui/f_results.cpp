#include "f_results.h"

#include "code_lists.h"
#include "col_sett_dlg.h"
#include "feed_text.h"
#include "grid_printer.h"
#include "result_columns.h"
#include "ui_prompter.h"
#include "window_state.h"
#include "zeb_grid.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrinter>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdint>

namespace kav {

namespace {

constexpr QSize kInitialSize{616, 531};
constexpr int kInitialRows = 11;
constexpr int kGraphicMargin = 2;
constexpr int kScrollBarWidth = 17;
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

TFResults::TFResults(THeaderRec& headers, TColSettDlg& columnDialog, QMdiArea* area)
    : m_headers(headers), m_columnDialog(columnDialog), m_grid(new TZebGrid(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    m_grid->SetRowCount(kInitialRows);
    m_grid->SetGraphicMargin(kGraphicMargin);
    m_grid->SetFixedColor(m_headerBgColor);
    CreateMenu();
    installEventFilter(this);
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    connect(m_grid, &TZebGrid::ColumnMoved, this, &TFResults::OnColumnMoved);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, &TFResults::EditColumns);
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
    ApplyPlacement(rec.WinPos);
    const QString caption = ResultWindowCaption(rec.Layout);
    if (!caption.isEmpty())
        setWindowTitle(caption);
    SetScrollBars(rec.ScrollBars);
    SetSizeable(rec.Sizeable);
    SetGridLines(rec.Grid);
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
    m_rec.Font = FontRecFrom(m_grid->font(), m_grid->GridFontColor());
    m_rec.TopRow = m_grid->TopRow();
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

void TFResults::SetDataRows(int rows)
{
    m_dataRows = std::max(rows, 0);
    m_grid->SetRowCount(m_dataRows + 1);
    SetResultFont(m_grid->font(), m_grid->GridFontColor());
    BuildColumns();
}

int TFResults::GetRowCount() const
{
    return m_grid->RowCount();
}

void TFResults::SetResultFont(const QFont& font, TColorValue color)
{
    m_grid->SetAllRowHeights(QFontMetrics(font).height() + 4);
    for (int row = 0; row < m_grid->RowCount(); ++row)
        m_grid->SetRowFontColor(row, color);
    m_grid->setFont(font);
    m_grid->SetGridFontColor(color);
    m_grid->SetRowFontColor(0, m_headerFontColor);
}

void TFResults::SetResultFontColor(TColorValue color)
{
    m_resultFontColor = color;
    m_grid->SetGridFontColor(color);
    for (int row = 1; row < m_grid->RowCount(); ++row)
        m_grid->SetRowFontColor(row, color);
}

void TFResults::SetResultBgColor(TColorValue color)
{
    m_resultBgColor = color;
    m_grid->SetColor(color);
    for (int row = 1; row < m_grid->RowCount(); ++row)
        m_grid->SetRowBgColor(row, color);
}

void TFResults::SetHeaderFontColor(TColorValue color)
{
    m_headerFontColor = color;
    m_grid->SetRowFontColor(0, color);
}

void TFResults::SetHeaderBgColor(TColorValue color)
{
    m_headerBgColor = color;
    m_grid->SetFixedColor(color);
}

void TFResults::PutCellText(int col, int row, const QString& text)
{
    m_grid->SetCell(col, row, text);
}

void TFResults::PutCellPicture(int col, int row, const TPicture* picture)
{
    m_grid->SetGraphic(col, row, picture);
}

void TFResults::SetRowTextColor(int row, TColorValue color)
{
    m_grid->SetRowFontColor(row, color);
}

void TFResults::SetRowBackground(int row, TColorValue color)
{
    m_grid->SetRowBgColor(row, color);
}

void TFResults::EmptyRow(int row)
{
    m_grid->ClearRow(row);
}

void TFResults::ClearContents()
{
    m_grid->ClearAll();
    BuildColumns();
}

void TFResults::RefreshColumns()
{
    BuildColumns();
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

void TFResults::BuildColumns()
{
    // A damaged layout file may hold unknown or repeated identifiers: they are left out.
    CompactCodes(m_rec.ColRel, 0, kColumnIds - 1);
    int count = 0;
    while (std::size_t(count) < kColumnSlots && m_rec.ColRel[std::size_t(count)] != kNoCode)
        ++count;
    m_grid->SetColCount(std::max(count, 1));
    if (count == 0)
        m_grid->SetCell(0, 0, QString());
    for (int p = 0; p < count; ++p)
        BuildColumn(p, m_rec.ColRel[std::size_t(p)]);
    for (int p = 0; p < count; ++p)
        m_grid->SetColWidth(p, m_rec.ColWidth[m_rec.ColRel[std::size_t(p)]]);
    m_rec.RebuildColPos();
    ColourRows();
}

void TFResults::BuildColumn(int place, std::uint8_t id)
{
    const TColumnInfo& info = kColumnCatalogue[id];
    m_grid->SetCell(place, 0, FeedText(m_headers[info.HeaderIndex]));
    if (id == kPosColumn) {
        for (int row = 1; row < m_grid->RowCount(); ++row)
            m_grid->SetCell(place, row, QString::number(row));
    }
    if (info.Alignment)
        m_grid->SetColAlignment(place, *info.Alignment);
}

void TFResults::ColourRows()
{
    for (int row = 1; row < m_grid->RowCount(); ++row) {
        m_grid->SetRowFontColor(row, m_resultFontColor);
        m_grid->SetRowBgColor(row, m_resultBgColor);
    }
    m_grid->SetFixedColor(m_headerBgColor);
    m_grid->SetRowFontColor(0, m_headerFontColor);
    m_grid->viewport()->update();
}

void TFResults::StoreWidths()
{
    for (std::size_t p = 0; p < kColumnSlots && int(p) < m_grid->ColCount(); ++p) {
        const std::uint8_t id = m_rec.ColRel[p];
        if (id < kColumnIds)
            m_rec.ColWidth[id] = m_grid->ColWidth(int(p));
    }
}

void TFResults::OnColumnMoved(int from, int to)
{
    if (from < 0 || to < 0 || std::size_t(from) >= kColumnSlots || std::size_t(to) >= kColumnSlots)
        return;
    const auto first = m_rec.ColRel.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    m_rec.RebuildColPos();
}

void TFResults::ChooseFont()
{
    const std::optional<QFont> font = Prompter().ChooseFont(m_grid->font(), this);
    if (font)
        SetResultFont(*font, m_grid->GridFontColor());
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
    m_grid->ClearAll();
    m_rec.RebuildColPos();
    BuildColumns();
    emit RefillRequested(m_rec.Layout);
}

void TFResults::ToggleScrollBars()
{
    m_scrollBarsAction->trigger();
}

void TFResults::ToggleSizeable()
{
    m_sizeableAction->trigger();
}

void TFResults::ToggleGrid()
{
    m_gridAction->trigger();
}

void TFResults::OnScrollBarsEntry(bool on)
{
    SetScrollBars(on);
    SetFrameWidth(Frame()->width() + (on ? kScrollBarWidth : -kScrollBarWidth));
}

// Keeps the table's width when the border changes, as far as the border's width allows.
void TFResults::OnSizeableEntry(bool on)
{
    const int clientWidth = width();
    SetSizeable(on);
    SetFrameWidth(on ? 2 * Frame()->width() - width() : clientWidth);
}

void TFResults::SetScrollBars(bool on)
{
    m_scrollBarsAction->setChecked(on);
    m_grid->SetScrollBars(on);
}

void TFResults::SetGridLines(bool on)
{
    m_gridAction->setChecked(on);
    m_grid->SetGridLineWidth(on ? 1 : 0);
}

void TFResults::SetSizeable(bool on)
{
    m_sizeableAction->setChecked(on);
    if (m_fullScreen)
        return; // the border comes back with the saved layout
    QWidget* frame = Frame();
    Qt::WindowFlags flags = (m_host ? Qt::SubWindow : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (on)
        flags |= Qt::WindowMinMaxButtonsHint;
    const bool visible = frame->isVisible();
    if (frame->windowFlags() != flags)
        frame->setWindowFlags(flags);
    frame->setMinimumSize(0, 0);
    frame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (!on)
        frame->setFixedSize(frame->size());
    if (visible && !frame->isVisible())
        frame->show();
}

void TFResults::SetFrameWidth(int width)
{
    QWidget* frame = Frame();
    if (m_sizeableAction->isChecked() || m_fullScreen)
        frame->resize(width, frame->height());
    else
        frame->setFixedWidth(width);
}

void TFResults::PrintResults()
{
    QPrinter printer(QPrinter::HighResolution);
    if (Prompter().SetUpPrinter(printer, this))
        PrintTo(printer);
}

void TFResults::PrintTo(QPagedPaintDevice& device) const
{
    PrintGrid(*m_grid, device);
}

void TFResults::EnterFullScreen()
{
    m_fullScreenAction->setChecked(true);
    if (m_fullScreen)
        return;
    m_savedLayout = GetLayout();
    m_layoutMenu->menuAction()->setVisible(false);
    if (m_host) {
        m_host->setWidget(nullptr);
        m_host->hide();
    } else {
        m_ownFlags = windowFlags();
    }
    m_fullScreen = true;
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    showFullScreen();
    activateWindow();
    m_grid->setFocus();
}

void TFResults::LeaveFullScreen()
{
    if (!m_fullScreen)
        return;
    m_fullScreen = false;
    m_fullScreenAction->setChecked(false);
    m_layoutMenu->menuAction()->setVisible(true);
    if (m_host) {
        setWindowFlags(Qt::Widget);
        m_host->setWidget(this);
        m_host->show();
        show();
    } else {
        setWindowFlags(m_ownFlags);
        showNormal();
    }
    ApplyLayout(m_savedLayout);
    m_grid->setFocus();
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
