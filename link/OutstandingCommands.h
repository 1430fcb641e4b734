#pragma once
// The commands written and not yet answered, oldest first. The controller
// answers every command with one line, in the order the commands came, so a
// reply belongs to the oldest command still waiting for a reply of its kind;
// the commands written before that one will not be answered any more.
// Unanswered commands expire, so a silent controller cannot fill the list.
#include <QByteArray>
#include <deque>
#include <optional>

namespace protocol {

// The kind of reply a command gets, told by a reply line's first characters.
enum class ReplyKind { Identity, Live, Level, Parameters, Acknowledgement };

// "?" -> Identity, "?C" -> Live, "?A" -> Level, "?P" -> Parameters; every
// other command is answered "OK" or "FAIL".
ReplyKind expectedReply(const QByteArray &command);
// "@", "C", "A", "P", or a line beginning "OK" / "FAIL"; nothing for any other line.
std::optional<ReplyKind> replyKindOf(const QByteArray &line);

} // namespace protocol

class OutstandingCommands
{
public:
    struct Entry
    {
        quint64 id = 0;
        QByteArray command;
        protocol::ReplyKind expects = protocol::ReplyKind::Acknowledgement;
        qint64 expiresAtMs = 0; // never, while negative
    };

    // Records a command written at `nowMs`; it waits for its reply until
    // `expiresAtMs` (negative: until removed). Returns its id.
    quint64 add(const QByteArray &command, qint64 expiresAtMs);
    // Credits a reply of `kind` arriving at `nowMs`: takes the oldest live
    // command expecting it, and drops the commands written before it.
    std::optional<Entry> credit(protocol::ReplyKind kind, qint64 nowMs);
    // Forgets one command (e.g. a wait that has run its time).
    void remove(quint64 id);
    // Drops the commands whose time has passed.
    void expire(qint64 nowMs);
    // The latest expiry among live commands still owed an "OK" / "FAIL";
    // nothing when none is owed one.
    std::optional<qint64> acknowledgementOwedUntil(qint64 nowMs);

    // Forgets every command still owed an "OK" / "FAIL".
    void dropOwedAcknowledgements();

    void clear() { m_entries.clear(); }
    int size() const { return int(m_entries.size()); }
    const std::deque<Entry> &entries() const { return m_entries; }

private:
    std::deque<Entry> m_entries;
    quint64 m_nextId = 1;
};
