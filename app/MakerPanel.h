#pragma once
#include <QFrame>

// The maker's logo and three labels (name, city, contact), on white.
class MakerPanel : public QFrame
{
    Q_OBJECT
public:
    explicit MakerPanel(QWidget *parent = nullptr);
};
