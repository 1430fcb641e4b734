#include "link/ReceiveBuffer.h"

void ReceiveBuffer::append(const QByteArray &data)
{
    if (data.size() >= Limit) {
        m_data = data.right(Limit);
        return;
    }
    const qsizetype overflow = m_data.size() + data.size() - Limit;
    if (overflow > 0)
        m_data.remove(0, overflow);
    m_data.append(data);
}

std::optional<QByteArray> ReceiveBuffer::takeLine()
{
    // A line feed after a carriage return belongs to no reply; dropping it
    // keeps the next reply's kind character first.
    qsizetype start = 0;
    while (start < m_data.size() && m_data.at(start) == '\n')
        ++start;
    if (start > 0)
        m_data.remove(0, start);
    const qsizetype end = m_data.indexOf('\r');
    if (end < 0)
        return std::nullopt;
    QByteArray line = m_data.left(end + 1);
    m_data.remove(0, end + 1);
    return line;
}
