// The commands owed a reply: which command a reply belongs to, and when an
// unanswered command is given up.
#include "link/OutstandingCommands.h"

#include <QtTest>

using protocol::ReplyKind;

Q_DECLARE_METATYPE(ReplyKind)

class tst_OutstandingCommands : public QObject
{
    Q_OBJECT
private slots:
    void replyKinds_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<ReplyKind>("kind");
        QTest::newRow("identify") << QByteArray("?") << QByteArray("@V4.1DMK00042S123\r") << ReplyKind::Identity;
        QTest::newRow("live") << QByteArray("?C") << QByteArray("C  455,  400,   55,10\r") << ReplyKind::Live;
        QTest::newRow("level") << QByteArray("?A") << QByteArray("A  700,1\r") << ReplyKind::Level;
        QTest::newRow("parameters") << QByteArray("?P") << QByteArray("P00\r") << ReplyKind::Parameters;
        QTest::newRow("setpoint, OK") << QByteArray("%RS0505") << QByteArray("OK\r") << ReplyKind::Acknowledgement;
        QTest::newRow("calibration, FAIL") << QByteArray("#A") << QByteArray("FAIL\r") << ReplyKind::Acknowledgement;
        QTest::newRow("upload, OK with more") << QByteArray("*P1") << QByteArray("OKAY\r") << ReplyKind::Acknowledgement;
    }
    void replyKinds()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        QFETCH(ReplyKind, kind);
        QCOMPARE(protocol::expectedReply(command), kind);
        QCOMPARE(protocol::replyKindOf(reply), std::optional<ReplyKind>(kind));
    }

    void otherLinesAreNoReply_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("O alone") << QByteArray("O\r");
        QTest::newRow("FAI") << QByteArray("FAI\r");
        QTest::newRow("unknown kind") << QByteArray("Z123\r");
    }
    void otherLinesAreNoReply()
    {
        QFETCH(QByteArray, line);
        QCOMPARE(protocol::replyKindOf(line), std::nullopt);
    }

    // A late "OK" of a setpoint belongs to the setpoint, not to the command
    // written after it.
    void aReplyGoesToTheOldestCommandOfItsKind()
    {
        OutstandingCommands owed;
        const quint64 setpoint = owed.add("%RS0505", 250);
        const quint64 off = owed.add("%C1", -1);
        const auto first = owed.credit(ReplyKind::Acknowledgement, 80);
        QVERIFY(first);
        QCOMPARE(first->id, setpoint);
        const auto second = owed.credit(ReplyKind::Acknowledgement, 90);
        QVERIFY(second);
        QCOMPARE(second->id, off);
        QCOMPARE(owed.size(), 0);
    }

    // Replies come in order: the commands before the one answered will not
    // be answered any more.
    void commandsBeforeTheAnsweredOneAreDropped()
    {
        OutstandingCommands owed;
        owed.add("%RS0505", 250);
        owed.add("?C", 250);
        const quint64 level = owed.add("?A", 250);
        const auto credited = owed.credit(ReplyKind::Level, 10);
        QVERIFY(credited);
        QCOMPARE(credited->id, level);
        QCOMPARE(owed.size(), 0);
        QCOMPARE(owed.credit(ReplyKind::Acknowledgement, 20), std::nullopt);
    }

    void aReplyNoCommandExpectsIsCreditedToNone()
    {
        OutstandingCommands owed;
        owed.add("?C", 250);
        QCOMPARE(owed.credit(ReplyKind::Acknowledgement, 10), std::nullopt);
        QCOMPARE(owed.size(), 1); // the poll is still owed its record
    }

    void unansweredCommandsExpire()
    {
        OutstandingCommands owed;
        owed.add("%QS9600", 250);
        const quint64 awaited = owed.add("#A", -1); // a wait's own: until removed
        QCOMPARE(owed.acknowledgementOwedUntil(100), std::optional<qint64>(250));
        owed.expire(250);
        QCOMPARE(owed.size(), 1);
        QCOMPARE(owed.acknowledgementOwedUntil(260), std::optional<qint64>(260));
        owed.remove(awaited);
        QCOMPARE(owed.acknowledgementOwedUntil(270), std::nullopt);
        // An expired command is not credited.
        owed.add("%RS0000", 300);
        QCOMPARE(owed.credit(ReplyKind::Acknowledgement, 300), std::nullopt);
    }

    void owedAcknowledgementsCanBeDropped()
    {
        OutstandingCommands owed;
        owed.add("%Q-", 250);
        owed.add("?C", 250);
        owed.dropOwedAcknowledgements();
        QCOMPARE(owed.size(), 1);
        QCOMPARE(owed.entries().front().command, QByteArray("?C"));
        QCOMPARE(owed.acknowledgementOwedUntil(0), std::nullopt);
    }
};

QTEST_APPLESS_MAIN(tst_OutstandingCommands)
#include "tst_outstanding_commands.moc"
