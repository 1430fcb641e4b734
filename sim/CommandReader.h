#pragma once
// Gathers what the tool writes into command lines for the simulated
// controller. A line ends with a carriage return; line feeds are dropped (a
// terminal may send CR LF). A line longer than the controller's input buffer
// is discarded whole, so endless text without a carriage return costs nothing.
#include <QByteArray>
#include <QList>

class CommandReader
{
public:
    static constexpr qsizetype MaxLine = 256;

    // The command lines (without their carriage return) that `bytes` completes.
    QList<QByteArray> feed(const QByteArray &bytes);
    void clear();

private:
    QByteArray m_line;
    bool m_overflow = false;
};
