#include "logo_settings_dialog.h"

#include "dialog_buttons.h"

#include "ui_prompter.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kav {

LogoSettingsDialog::LogoSettingsDialog(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_fileName(new QLineEdit), m_browse(new QPushButton(QStringLiteral("Browse"))),
      m_showLogo(new QCheckBox(QStringLiteral("Show Logo")))
{
    setWindowTitle(QStringLiteral("Logo Settings"));
    setSizeGripEnabled(true);
    m_fileName->setMinimumWidth(260);
    connect(m_browse, &QPushButton::clicked, this, &LogoSettingsDialog::browse);
    auto* buttons = okCancelButtons(*this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Filename:")), 0, 0);
    layout->addWidget(m_fileName, 0, 1);
    layout->addWidget(m_browse, 0, 2);
    layout->addWidget(m_showLogo, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 3);
}

const QString& LogoSettingsDialog::fileFilter()
{
    static const QString filter =
        QStringLiteral("Bitmap files (*.BMP *.bmp);;Windows metafile (*.WMF *.wmf);;PNG files (*.PNG *.png);;"
                       "JPEG files (*.JPG *.jpg *.JPEG *.jpeg);;SVG files (*.SVG *.svg)");
    return filter;
}

void LogoSettingsDialog::browse()
{
    const QString fileName = prompter().openFileName(fileFilter(), this);
    if (!fileName.isEmpty())
        m_fileName->setText(fileName);
}

void LogoSettingsDialog::setLogoVisible(bool visible)
{
    m_showLogo->setChecked(visible);
}

bool LogoSettingsDialog::logoVisible() const
{
    return m_showLogo->isChecked();
}

void LogoSettingsDialog::setLogoFileName(const QString& fileName)
{
    m_fileName->setText(fileName);
}

QString LogoSettingsDialog::logoFileName() const
{
    return m_fileName->text();
}

} // namespace kav
