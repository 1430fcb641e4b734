#pragma once
// A label that shows a value: assistive technology reads its accessible name
// as what it is ("Points") and its current text as the value, in the
// description, instead of reading only the name.
#include <QLabel>

class ReadoutLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ReadoutLabel(QWidget *parent = nullptr);
    ReadoutLabel(const QString &text, QWidget *parent = nullptr);
};
