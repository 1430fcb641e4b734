#pragma once
// The receive accumulator: characters received and not yet dispatched. Lines
// end with a carriage return; a partial tail waits for its carriage return.
// Bounded, so that a stream without carriage returns cannot grow it forever.
#include <QByteArray>
#include <optional>

class ReceiveBuffer
{
public:
    static constexpr qsizetype Limit = 4096;

    // Appends received characters; beyond the limit the oldest are dropped.
    void append(const QByteArray &data);
    // Takes the next complete line (carriage return included), if one has arrived.
    std::optional<QByteArray> takeLine();
    void clear() { m_data.clear(); }
    bool isEmpty() const { return m_data.isEmpty(); }
    const QByteArray &pending() const { return m_data; }

private:
    QByteArray m_data;
};
