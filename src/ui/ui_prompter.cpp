#include "ui_prompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QUrl>

#include <algorithm>

namespace kav {

namespace {

UiPrompter* g_prompter = nullptr;

// The window the operator works in: the program's active window (a full-screen result window too),
// else the window of the box's own parent.
QWidget* workingWindow(QWidget* parent)
{
    QWidget* active = QApplication::activeWindow();
    if (active && active->isVisible())
        return active;
    return parent ? parent->window() : nullptr;
}

// Centred over the window, kept on that window's screen. A box shown before keeps the size it had.
void placeOver(QDialog& box, const QWidget& window)
{
    box.ensurePolished();
    const bool shownBefore = box.testAttribute(Qt::WA_WState_ExplicitShowHide);
    QRect place(QPoint(), shownBefore ? box.size() : box.sizeHint().expandedTo(box.minimumSize()));
    place.moveCenter(window.frameGeometry().center());
    if (const QScreen* screen = window.screen()) {
        const QRect area = screen->availableGeometry();
        place.moveLeft(std::max(area.left(), std::min(place.left(), area.right() - place.width())));
        place.moveTop(std::max(area.top(), std::min(place.top(), area.bottom() - place.height())));
    }
    box.move(place.topLeft());
}

// A modal box stays on top while it is open: it never opens behind a window that stays on top (a
// full-screen result window, the flag, the stand-by message), and a flag that appears later does not
// hide it (the flag window raises open boxes above itself). The box's own flags come back afterwards.
int runModal(QDialog& box)
{
    const Qt::WindowFlags flags = box.windowFlags();
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    const int answer = box.exec();
    if (box.windowFlags() != flags)
        box.setWindowFlags(flags);
    return answer;
}

QMessageBox::Icon iconOf(BoxKind kind)
{
    switch (kind) {
    case BoxKind::Information: return QMessageBox::Information;
    case BoxKind::Warning: return QMessageBox::Warning;
    case BoxKind::Error: return QMessageBox::Critical;
    case BoxKind::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

// The program's dialogs are made once with the main window as parent; they are placed each time over
// the window the operator works in. Boxes made for one question get that window as their parent.
int UiPrompter::exec(QDialog& dialog)
{
    if (const QWidget* window = workingWindow(dialog.parentWidget()))
        placeOver(dialog, *window);
    return runModal(dialog);
}

std::optional<QFont> UiPrompter::chooseFont(const QFont& initial, QWidget* parent)
{
    QFontDialog dialog(initial, workingWindow(parent));
    if (runModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFont();
}

std::optional<QColor> UiPrompter::chooseColor(const QColor& initial, QWidget* parent)
{
    QColorDialog dialog(initial, workingWindow(parent));
    if (runModal(dialog) != QDialog::Accepted || !dialog.selectedColor().isValid())
        return std::nullopt;
    return dialog.selectedColor();
}

bool UiPrompter::setUpPrinter(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, workingWindow(parent));
    return runModal(dialog) == QDialog::Accepted;
}

QString UiPrompter::openFileName(const QString& filter, QWidget* parent)
{
    QFileDialog dialog(workingWindow(parent), QString(), QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool UiPrompter::confirm(const QString& text, QWidget* parent)
{
    return ask(BoxKind::Confirmation, text, false, parent) == Answer::Yes;
}

Answer UiPrompter::ask(BoxKind kind, const QString& text, bool withCancel, QWidget* parent)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    QMessageBox box(iconOf(kind), QApplication::applicationDisplayName(), text, buttons, workingWindow(parent));
    switch (runModal(box)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return withCancel ? Answer::Cancel : Answer::No;
    }
}

void UiPrompter::tell(BoxKind kind, const QString& text, QWidget* parent)
{
    QMessageBox box(iconOf(kind), QApplication::applicationDisplayName(), text, QMessageBox::Ok, workingWindow(parent));
    runModal(box);
}

QString UiPrompter::saveFileName(const QString& filter, const QString& defaultSuffix, const QString& initial,
                                 QWidget* parent)
{
    QFileDialog dialog(workingWindow(parent), QString(), initial, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!initial.isEmpty())
        dialog.selectFile(initial);
    if (runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// The desktop's opener starts even where no program takes the document's type and then fails where
// nobody sees it; the desktop's own table is asked first.
bool UiPrompter::openDocument(const QString& path)
{
    constexpr int kAnswerMilliseconds = 5000;
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type.name()});
    if (!query.waitForFinished(kAnswerMilliseconds) || query.exitCode() != 0 ||
        query.readAllStandardOutput().trimmed().isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

UiPrompter& prompter()
{
    static UiPrompter standard;
    return g_prompter ? *g_prompter : standard;
}

void setPrompter(UiPrompter* prompter)
{
    g_prompter = prompter;
}

} // namespace kav
