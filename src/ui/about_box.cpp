#include "about_box.h"

#include "picture_box.h"
#include "ui_resources.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

namespace kav {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent), m_version(new QLabel)
{
    setWindowTitle(QStringLiteral("About"));
    auto* picture = new PictureBox;
    picture->setPicture(resourcePicture(QStringLiteral("maker_logo.svg")));
    picture->setFixedSize(96, 96);
    auto* name = new QLabel(QStringLiteral("Kavendor"));
    QFont font = name->font();
    font.setPointSize(font.pointSize() * 2);
    font.setBold(true);
    name->setFont(font);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(16);
    layout->addWidget(picture, 0, 0, 3, 1);
    layout->addWidget(name, 0, 1, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Version:")), 1, 1);
    layout->addWidget(m_version, 1, 2);
    layout->setColumnStretch(2, 1);
    layout->addWidget(buttons, 3, 0, 1, 3);
}

void AboutBox::setVersion(const QString& version)
{
    m_version->setText(version);
}

QString AboutBox::version() const
{
    return m_version->text();
}

} // namespace kav
