#include "link/ReceiveBuffer.h"

void ReceiveBuffer::append(QByteArrayView data)
{
    qsizetype i = 0;
    while (i < data.size()) {
        const qsizetype cr = data.indexOf('\r', i);
        const qsizetype end = cr < 0 ? data.size() : cr + 1;
        if (m_dropping) {
            m_dropping = cr < 0;
            i = end;
            continue;
        }
        // A line feed after a carriage return belongs to no reply; dropping it
        // keeps the next reply's kind character first.
        if (m_partial == 0) {
            while (i < end && data[i] == '\n')
                ++i;
            if (i == end)
                continue;
        }
        const qsizetype piece = end - i;
        if (m_partial + piece > Limit) {
            m_data.chop(m_partial);
            m_partial = 0;
            m_dropping = cr < 0;
        } else {
            m_data.append(data.sliced(i, piece));
            m_partial = cr < 0 ? m_partial + piece : 0;
        }
        i = end;
    }
}

std::optional<QByteArray> ReceiveBuffer::takeLine()
{
    const qsizetype end = m_data.indexOf('\r');
    if (end < 0)
        return std::nullopt;
    QByteArray line = m_data.left(end + 1);
    m_data.remove(0, end + 1);
    return line;
}

void ReceiveBuffer::clear()
{
    m_data.clear();
    m_partial = 0;
    m_dropping = false;
}
