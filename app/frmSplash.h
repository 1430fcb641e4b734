#pragma once
#include <QWidget>

// The start-up window: logo, maker labels and the version, centred on screen.
class frmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);
};
