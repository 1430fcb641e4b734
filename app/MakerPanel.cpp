#include "app/MakerPanel.h"

#include "app/Artwork.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

MakerPanel::MakerPanel(QWidget *parent)
    : QFrame(parent)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, QColor(0, 0, 128));
    setPalette(pal);
    setFrameShape(QFrame::StyledPanel);

    auto *logo = new QLabel(this);
    logo->setPixmap(QPixmap::fromImage(makerLogo(56)));
    logo->setAccessibleName(QStringLiteral("Velmora logo"));

    auto *name = new QLabel(QStringLiteral("Velmora Actuation Systems"), this);
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    name->setFont(bold);
    auto *city = new QLabel(QStringLiteral("Eindhoven, The Netherlands"), this);
    auto *contact = new QLabel(QStringLiteral("service@velmora.example"), this);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(1);
    texts->addWidget(name);
    texts->addWidget(city);
    texts->addWidget(contact);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 8, 4);
    row->addWidget(logo);
    row->addLayout(texts);
    row->addStretch();
}
