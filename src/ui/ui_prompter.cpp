#include "ui_prompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace kav {

namespace {

TUiPrompter* g_prompter = nullptr;

} // namespace

int TUiPrompter::Exec(QDialog& dialog)
{
    return dialog.exec();
}

std::optional<QFont> TUiPrompter::ChooseFont(const QFont& initial, QWidget* parent)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent);
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

std::optional<QColor> TUiPrompter::ChooseColor(const QColor& initial, QWidget* parent)
{
    const QColor color = QColorDialog::getColor(initial, parent);
    return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
}

bool TUiPrompter::SetUpPrinter(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QString TUiPrompter::OpenFileName(const QString& filter, QWidget* parent)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

bool TUiPrompter::Confirm(const QString& text, QWidget* parent)
{
    return QMessageBox::question(parent, QApplication::applicationDisplayName(), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

namespace {

QMessageBox::Icon IconOf(TBoxKind kind)
{
    switch (kind) {
    case TBoxKind::Information: return QMessageBox::Information;
    case TBoxKind::Warning: return QMessageBox::Warning;
    case TBoxKind::Error: return QMessageBox::Critical;
    case TBoxKind::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

TAnswer TUiPrompter::Ask(TBoxKind kind, const QString& text, bool withCancel, QWidget* parent)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    QMessageBox box(IconOf(kind), QApplication::applicationDisplayName(), text, buttons, parent);
    switch (box.exec()) {
    case QMessageBox::Yes: return TAnswer::Yes;
    case QMessageBox::No: return TAnswer::No;
    default: return withCancel ? TAnswer::Cancel : TAnswer::No;
    }
}

void TUiPrompter::Tell(TBoxKind kind, const QString& text, QWidget* parent)
{
    QMessageBox box(IconOf(kind), QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.exec();
}

QString TUiPrompter::SaveFileName(const QString& filter, const QString& defaultSuffix, const QString& initial,
                                  QWidget* parent)
{
    QFileDialog dialog(parent, QString(), initial, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!initial.isEmpty())
        dialog.selectFile(initial);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool TUiPrompter::OpenDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

TUiPrompter& Prompter()
{
    static TUiPrompter standard;
    return g_prompter ? *g_prompter : standard;
}

void SetPrompter(TUiPrompter* prompter)
{
    g_prompter = prompter;
}

} // namespace kav
