#include "result_window.h"

#include "class_results_model.h"
#include "code_lists.h"
#include "column_settings_dialog.h"
#include "feed_text.h"
#include "fit_to_screen_dialog.h"
#include "grid_printer.h"
#include "result_columns.h"
#include "results_grid.h"
#include "results_models.h"
#include "screen_fitter.h"
#include "ui_prompter.h"
#include "window_state.h"

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
// A window of one narrow column still shows its title and its buttons, so it can be found and moved.
constexpr int kMinFitWidth = 160;

QFont fontFromRecord(const FontSettings& rec)
{
    QFont font(QString::fromStdString(rec.Name));
    font.setPointSize(rec.Size > 0 ? rec.Size : 7);
    font.setBold(rec.Style.Bold);
    font.setItalic(rec.Style.Italic);
    font.setUnderline(rec.Style.Underline);
    font.setStrikeOut(rec.Style.StrikeOut);
    return font;
}

FontSettings fontSettingsFrom(const QFont& font, ColorValue color)
{
    const int points = font.pointSize() > 0 ? font.pointSize() : qRound(QFontInfo(font).pointSizeF());
    return {
        font.family().toStdString(), points, {font.bold(), font.italic(), font.underline(), font.strikeOut()}, color};
}

// Keys that type something leave full screen; arrows and function keys do not.
bool isCharacterKey(const QKeyEvent& event)
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

ResultWindow::ResultWindow(ResultsModels& models, const HeaderTexts& headers, ColumnSettingsDialog& columnDialog,
                           QMdiArea* area)
    : m_models(models), m_headers(headers), m_columnDialog(columnDialog), m_grid(new ResultsGrid(this)),
      m_fitter(new ScreenFitter(*m_grid, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    m_grid->setResults(&m_models.forKind(m_rec.Layout));
    m_grid->setGraphicMargin(kGraphicMargin);
    createMenu();
    installEventFilter(this);
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    connect(m_grid, &ResultsGrid::columnOrderChanged, this, &ResultWindow::takeColumnOrder);
    connect(m_grid, &ResultsGrid::columnSettingsWanted, this, &ResultWindow::editColumns);
    if (area) {
        m_host = area->addSubWindow(this); // the sub-window deletes itself and this window on close
        m_host->resize(kInitialSize);
    } else {
        setAttribute(Qt::WA_DeleteOnClose);
        resize(kInitialSize);
    }
    m_ownFlags = borderWindow()->windowFlags();
}

ResultWindow::~ResultWindow() = default;

void ResultWindow::createMenu()
{
    m_layoutMenu = new QMenu(QStringLiteral("&Layout"), this);
    m_layoutMenu->addAction(QStringLiteral("&Font..."), this, &ResultWindow::chooseFont);
    m_layoutMenu->addAction(QStringLiteral("&Column settings..."), this, &ResultWindow::editColumns);
    m_classMenu = m_layoutMenu->addMenu(QStringLiteral("Cl&ass"));
    connect(m_classMenu, &QMenu::aboutToShow, this, &ResultWindow::fillClassMenu);
    m_layoutMenu->addSeparator();
    m_scrollBarsAction = addCheckable(QStringLiteral("Scroll &bars"), &ResultWindow::onScrollBarsEntry);
    m_sizeableAction = addCheckable(QStringLiteral("Si&zeable"), &ResultWindow::onSizeableEntry);
    m_gridAction = addCheckable(QStringLiteral("&Grid"), &ResultWindow::setGridLines);
    m_layoutMenu->addSeparator();
    m_layoutMenu->addAction(QStringLiteral("&Print results"), this, &ResultWindow::printResults);
    m_fullScreenAction = m_layoutMenu->addAction(QStringLiteral("F&ull Screen"));
    m_fullScreenAction->setCheckable(true);
    connect(m_fullScreenAction, &QAction::triggered, this,
            [this](bool on) { on ? enterFullScreen() : leaveFullScreen(); });
    m_fitAction = m_layoutMenu->addAction(QStringLiteral("Fit to &screen"));
    m_fitAction->setCheckable(true);
    connect(m_fitAction, &QAction::triggered, this, [this](bool on) { m_rec.FitToScreen = on; });
    m_layoutMenu->addAction(QStringLiteral("Fit to screen se&ttings..."), this, &ResultWindow::editFitToScreen);
    connect(m_layoutMenu, &QMenu::triggered, this, &ResultWindow::settingsChanged);
}

// Every class the window's kind shows now, in the order of its best car, and the window's own class
// even when no car of it is there yet.
void ResultWindow::fillClassMenu()
{
    m_classMenu->clear();
    const QString shown = QString::fromStdString(m_rec.ClassFilter).trimmed();
    const auto addEntry = [this, &shown](const QString& text, const QString& className) {
        // The Layout menu tells of the change, as for its own entries.
        QAction* action = m_classMenu->addAction(text, this, [this, className] { showClass(className); });
        action->setCheckable(true);
        action->setChecked(className.isEmpty() ? shown.isEmpty() : ClassResultsModel::sameClass(className, shown));
    };
    addEntry(QStringLiteral("&All classes"), {});
    m_classMenu->addSeparator();
    QStringList classes;
    const ResultsModel& all = m_models.forKind(m_rec.Layout);
    for (int row = 0; row < all.filledRowCount(); ++row) {
        const QString name = all.cell(row, kClassColumn).text.trimmed();
        if (!name.isEmpty() && !classes.contains(name, Qt::CaseInsensitive))
            classes.append(name);
    }
    if (!shown.isEmpty() && !classes.contains(shown, Qt::CaseInsensitive))
        classes.append(shown);
    for (const QString& name : classes)
        addEntry(QString(name).replace(u'&', QStringLiteral("&&")), name);
}

void ResultWindow::showClass(const QString& className)
{
    m_rec.ClassFilter = className.trimmed().toStdString();
    showResults();
    showTitle();
    if (m_fitter->isActive())
        startFit();
}

const ResultsModel& ResultWindow::shownResults() const
{
    if (m_classRows) {
        m_classRows->follow();
        return *m_classRows;
    }
    return m_models.forKind(m_rec.Layout);
}

// The grid moves to the new model before the old class rows go.
void ResultWindow::showResults()
{
    ResultsModel& all = m_models.forKind(m_rec.Layout);
    const QString className = QString::fromStdString(m_rec.ClassFilter).trimmed();
    ClassResultsModel* old = m_classRows;
    if (className.isEmpty())
        m_classRows = nullptr;
    else if (!old || &old->field() != &all || old->className() != className)
        m_classRows = new ClassResultsModel(all, className, this);
    m_grid->setResults(m_classRows ? static_cast<ResultsModel*>(m_classRows) : &all);
    if (old != m_classRows)
        delete old;
}

void ResultWindow::showTitle()
{
    QString caption = resultWindowCaption(m_rec.Layout);
    if (caption.isEmpty())
        return;
    if (!m_rec.ClassFilter.empty())
        caption += QStringLiteral(", ") + QString::fromStdString(m_rec.ClassFilter);
    setWindowTitle(caption);
}

QAction* ResultWindow::addCheckable(const QString& text, void (ResultWindow::*handler)(bool))
{
    QAction* action = m_layoutMenu->addAction(text);
    action->setCheckable(true);
    action->setChecked(true);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

QWidget* ResultWindow::borderWindow() const
{
    if (m_host && !m_fullScreen)
        return m_host;
    return const_cast<ResultWindow*>(this);
}

void ResultWindow::applySettings(const ResultWindowSettings& rec)
{
    m_rec = rec;
    showResults(); // before the first visible row is set
    applyPlacement(rec.WinPos);
    showTitle();
    setScrollBars(rec.ScrollBars);
    setSizeable(rec.Sizeable);
    setGridLines(rec.Grid);
    m_fitAction->setChecked(rec.FitToScreen);
    if (m_grid->topDataRow() != rec.TopRow)
        m_grid->setTopDataRow(rec.TopRow);
    setResultFont(fontFromRecord(rec.Font), rec.Font.Color);
    buildColumns();
    emit settingsChanged();
}

ResultWindowSettings ResultWindow::currentSettings()
{
    storeWidths();
    const QWidget* frame = borderWindow();
    const Qt::WindowStates state = frame->windowState();
    if (!(state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        m_rec.WinPos.Top = frame->y();
        m_rec.WinPos.Left = frame->x();
        m_rec.WinPos.Width = frame->width();
        m_rec.WinPos.Height = frame->height();
    }
    m_rec.WinPos.State = fromQtState(state);
    m_rec.WinPos.Active = isActiveResultWindow();
    if (!m_fitter->isActive()) { // a fitted table keeps the window's own font and first row
        m_rec.Font = fontSettingsFrom(m_grid->font(), m_fontColor);
        m_rec.TopRow = m_grid->topDataRow();
    }
    m_rec.ScrollBars = m_scrollBarsAction->isChecked();
    m_rec.Sizeable = m_sizeableAction->isChecked();
    m_rec.Grid = m_gridAction->isChecked();
    return m_rec;
}

bool ResultWindow::isActiveResultWindow() const
{
    if (m_host && !m_fullScreen)
        return m_host->mdiArea() && m_host->mdiArea()->activeSubWindow() == m_host;
    return isActiveWindow();
}

void ResultWindow::applyPlacement(const WindowPlacement& pos)
{
    if (pos.State != WindowState::Maximized) {
        borderWindow()->setWindowState(toQtState(pos.State));
        setBounds(pos);
    } else {
        setBounds(pos);
        borderWindow()->setWindowState(toQtState(pos.State));
    }
}

void ResultWindow::setBounds(const WindowPlacement& pos)
{
    if (pos.Left == -1 || pos.Top == -1)
        return;
    QWidget* frame = borderWindow();
    frame->move(pos.Left, pos.Top);
    if (pos.Width > 0 && pos.Height > 0) {
        frame->setMinimumSize(0, 0); // a fixed border holds the old size until the new one is set
        frame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        frame->resize(pos.Width, pos.Height);
        if (!m_sizeableAction->isChecked())
            frame->setFixedSize(frame->size());
    }
}

int ResultWindow::dataRowCount() const
{
    return m_grid->gridRowCount();
}

// Rows are 4 pixels taller than the text. The colour is the font's own, kept with the layout; the rows
// take the results colours.
void ResultWindow::setResultFont(const QFont& font, ColorValue color)
{
    m_grid->setAllGridRowHeights(QFontMetrics(font).height() + 4);
    m_grid->setFont(font);
    m_fontColor = color;
}

void ResultWindow::setColours(const ColorTable& colors, bool alternateRows)
{
    m_fontColor = colors[kResultsText];
    m_grid->setTextColor(colors[kResultsText]);
    m_grid->setColor(colors[kResultsBackground]);
    m_grid->setHeaderFontColor(colors[kHeaderText]);
    m_grid->setFixedColor(colors[kHeaderBackground]);
    m_grid->setAlternateRows(alternateRows);
}

void ResultWindow::fitWidth()
{
    currentSettings();
    // Widths come from layout files and may be anything a 32-bit number holds: add them up in 64 bits.
    std::int64_t width = kFitWidthExtra;
    for (std::size_t p = 0; p < kColumnSlots && m_rec.ColRel[p] != kNoCode; ++p)
        width += std::max<std::int64_t>(m_rec.ColWidth[m_rec.ColRel[p]], 0) + 1;
    setFrameWidth(static_cast<int>(std::clamp<std::int64_t>(width, kMinFitWidth, QWIDGETSIZE_MAX)));
}

// Shows the model of the window's kind with the record's columns, in its order and widths, under the
// shared header texts as they stand now.
void ResultWindow::buildColumns()
{
    // A damaged layout file may hold unknown or repeated identifiers: they are left out.
    compactCodes(m_rec.ColRel, 0, kColumnIds - 1);
    std::vector<std::uint8_t> columns;
    for (std::size_t p = 0; p < kColumnSlots && m_rec.ColRel[p] != kNoCode; ++p)
        columns.push_back(m_rec.ColRel[p]);
    showResults();
    for (std::uint8_t id = 0; id < kColumnIds; ++id)
        m_grid->setHeaderText(id, feedText(m_headers[kColumnCatalogue[id].HeaderIndex]));
    m_grid->setColumns(columns);
    for (std::size_t p = 0; p < columns.size(); ++p)
        m_grid->setGridColumnWidth(int(p), m_rec.ColWidth[columns[p]]);
    m_rec.rebuildColumnPositions();
    if (m_fitter->isActive())
        startFit();
}

void ResultWindow::storeWidths()
{
    if (m_fitter->isActive())
        return; // the fitted widths are the screen's, not the window's
    for (int place = 0; place < m_grid->gridColumnCount(); ++place) {
        const int id = m_grid->columnAt(place);
        if (id >= 0)
            m_rec.ColWidth[std::size_t(id)] = m_grid->gridColumnWidth(place);
    }
}

// The operator dragged a column: the record takes the grid's new order.
void ResultWindow::takeColumnOrder()
{
    const std::vector<std::uint8_t> columns = m_grid->columnOrder();
    m_rec.ColRel = emptyColumnOrder();
    std::copy_n(columns.begin(), std::min(columns.size(), kColumnSlots), m_rec.ColRel.begin());
    m_rec.rebuildColumnPositions();
    emit settingsChanged();
}

void ResultWindow::chooseFont()
{
    const std::optional<QFont> font = prompter().chooseFont(m_grid->font(), this);
    if (font)
        setResultFont(*font, m_fontColor);
}

void ResultWindow::editColumns()
{
    currentSettings();
    m_columnDialog.setKind(m_rec.Layout);
    m_columnDialog.setColumns(m_rec.ColRel);
    m_columnDialog.setHeaders(m_headers);
    if (prompter().exec(m_columnDialog) != QDialog::Accepted)
        return;
    storeWidths();
    emit headersChosen(m_columnDialog.headers());
    m_rec.ColRel = m_columnDialog.columns();
    m_rec.rebuildColumnPositions();
    buildColumns();
    emit refillRequested(m_rec.Layout);
}

void ResultWindow::startFit()
{
    m_fitter->start(fontFromRecord(m_rec.Font), m_rec.FitRows, m_rec.PageSeconds);
}

void ResultWindow::closeEvent(QCloseEvent* event)
{
    if (m_fullScreen && m_host) {
        // Closed while out of its sub-window: go back first, then close the sub-window with it.
        event->ignore();
        leaveFullScreen();
        QMetaObject::invokeMethod(m_host, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    const bool wasFullScreen = m_fullScreen;
    currentSettings();
    if (wasFullScreen)
        m_rec.WinPos = m_savedLayout.WinPos;
    emit closed(m_rec.Number);
    event->accept();
}

bool ResultWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (m_fullScreen && event->type() == QEvent::KeyPress && isCharacterKey(*static_cast<QKeyEvent*>(event))) {
        leaveFullScreen();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kav
