#include "ui_prompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

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
