#include "app/frmSplash.h"

#include "app/MakerPanel.h"
#include "Version.h"

#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    auto *version = new QLabel(QStringLiteral("Version: " VELMORA_VERSION), this);
    version->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new MakerPanel(this));
    layout->addWidget(version);
    setFixedSize(360, 130);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}
