#pragma once
// PLACEHOLDER (replaced by the recording work): the report window.
#include <QWidget>

class frmHistory : public QWidget
{
    Q_OBJECT
};
