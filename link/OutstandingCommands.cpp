#include "link/OutstandingCommands.h"

#include "link/Commands.h"
#include "link/Protocol.h"

#include <algorithm>

namespace protocol {

ReplyKind expectedReply(const QByteArray &command)
{
    if (command == command::Identify)
        return ReplyKind::Identity;
    if (command == command::Live)
        return ReplyKind::Live;
    if (command == command::Level)
        return ReplyKind::Level;
    if (command == command::Parameters)
        return ReplyKind::Parameters;
    return ReplyKind::Acknowledgement;
}

std::optional<ReplyKind> replyKindOf(const QByteArray &line)
{
    if (line.isEmpty())
        return std::nullopt;
    switch (line.front()) {
    case reply::Identity:
        return ReplyKind::Identity;
    case reply::Live:
        return ReplyKind::Live;
    case reply::Level:
        return ReplyKind::Level;
    case reply::Parameters:
        return ReplyKind::Parameters;
    default:
        break;
    }
    if (protocol::isOk(line) || protocol::isFail(line))
        return ReplyKind::Acknowledgement;
    return std::nullopt;
}

} // namespace protocol

using protocol::ReplyKind;

quint64 OutstandingCommands::add(const QByteArray &command, qint64 expiresAtMs)
{
    const quint64 id = m_nextId++;
    m_entries.push_back({id, command, protocol::expectedReply(command), expiresAtMs});
    return id;
}

std::optional<OutstandingCommands::Entry> OutstandingCommands::credit(ReplyKind kind, qint64 nowMs)
{
    expire(nowMs);
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [kind](const Entry &e) { return e.expects == kind; });
    if (it == m_entries.end())
        return std::nullopt;
    Entry taken = *it;
    m_entries.erase(m_entries.begin(), it + 1);
    return taken;
}

void OutstandingCommands::remove(quint64 id)
{
    std::erase_if(m_entries, [id](const Entry &e) { return e.id == id; });
}

void OutstandingCommands::expire(qint64 nowMs)
{
    std::erase_if(m_entries, [nowMs](const Entry &e) { return e.expiresAtMs >= 0 && e.expiresAtMs <= nowMs; });
}

std::optional<qint64> OutstandingCommands::acknowledgementOwedUntil(qint64 nowMs)
{
    expire(nowMs);
    std::optional<qint64> until;
    for (const Entry &e : m_entries) {
        if (e.expects != ReplyKind::Acknowledgement)
            continue;
        const qint64 t = e.expiresAtMs < 0 ? nowMs : e.expiresAtMs;
        until = until ? std::max(*until, t) : t;
    }
    return until;
}

void OutstandingCommands::dropOwedAcknowledgements()
{
    std::erase_if(m_entries, [](const Entry &e) { return e.expects == ReplyKind::Acknowledgement; });
}
