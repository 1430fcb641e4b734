#include "sim/CommandReader.h"

QList<QByteArray> CommandReader::feed(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    for (char c : bytes) {
        if (c == '\r') {
            if (!m_overflow)
                lines.append(m_line);
            m_line.clear();
            m_overflow = false;
        } else if (c == '\n') {
            continue;
        } else if (m_line.size() < MaxLine) {
            m_line.append(c);
        } else {
            m_overflow = true;
        }
    }
    return lines;
}

void CommandReader::clear()
{
    m_line.clear();
    m_overflow = false;
}
