#pragma once
// The receive accumulator: characters received and not yet dispatched. Lines
// end with a carriage return; a partial tail waits for its carriage return.
// The longest reply is 202 characters. A line longer than Limit can only be
// noise: it is dropped whole, up to and including its carriage return, so a
// port that never sends one cannot grow the buffer and the tail of the noise
// is never read as a reply. Complete lines wait, however many, until taken.
#include <QByteArray>
#include <QByteArrayView>
#include <optional>

class ReceiveBuffer
{
public:
    static constexpr qsizetype Limit = 4096; // longest line kept, carriage return included

    // Appends received characters. How they are split into pieces does not
    // change the lines that come out.
    void append(QByteArrayView data);
    // Takes the next complete line (carriage return included), if one has arrived.
    std::optional<QByteArray> takeLine();
    void clear();
    bool isEmpty() const { return m_data.isEmpty(); }
    // Complete lines not yet taken, then the unfinished line.
    const QByteArray &pending() const { return m_data; }

private:
    QByteArray m_data;
    qsizetype m_partial = 0;   // characters of the unfinished line at the end of m_data
    bool m_dropping = false;   // inside an overlong line, until its carriage return
};
