// The simulator's unpolled stream: whole lines in order however little the
// terminal takes at a time, every line counted once it is out, a steady
// rate, and an end when asked for one.
#include "sim/RecordStream.h"

#include <QtTest>

namespace {

// A terminal that takes at most `room` bytes a write and `space` in all
// until it is read.
struct Terminal
{
    QByteArray received;
    qsizetype room = 1 << 20;
    qsizetype space = 1 << 30;
    qsizetype write(const char *data, qsizetype size)
    {
        const qsizetype n = std::min({size, room, space});
        received.append(data, n);
        space -= n;
        return n;
    }
};

RecordStream::Source numbered()
{
    auto n = std::make_shared<int>(0);
    return [n] { return QByteArray("C") + QByteArray::number((*n)++).rightJustified(5, ' ') + ",  500,    0,00\r"; };
}

} // namespace

class tst_RecordStream : public QObject
{
    Q_OBJECT
private slots:
    void linesStayWholeAndInOrderThroughSmallWrites()
    {
        Terminal terminal;
        terminal.room = 7; // a line takes several writes
        RecordStream stream(numbered(), 1000, [&](const char *d, qsizetype n) { return terminal.write(d, n); });
        stream.start(100);
        QTRY_VERIFY(terminal.received.count('\r') >= 100);
        const QList<QByteArray> lines = terminal.received.split('\r');
        for (int i = 0; i < lines.size() - 1; ++i)
            QCOMPARE(lines[i], QByteArray("C") + QByteArray::number(i).rightJustified(5, ' ') + ",  500,    0,00");
        QCOMPARE(stream.linesSent(), terminal.received.count('\r'));
    }

    void aFullTerminalDelaysLinesAndCountsOnlyWhatWentOut()
    {
        Terminal terminal;
        RecordStream stream(numbered(), 1000, [&](const char *d, qsizetype n) { return terminal.write(d, n); });
        QSignalSpy blocked(&stream, &RecordStream::blocked);
        terminal.space = 10; // one line and a piece of the next
        stream.send("OK\rC  123,  456,  -33,10\r");
        QCOMPARE(stream.linesSent(), 1);
        QVERIFY(stream.hasPending());
        QCOMPARE(blocked.count(), 1);
        stream.flush(); // still full
        QCOMPARE(stream.linesSent(), 1);
        terminal.space = 1 << 30;
        stream.flush();
        QVERIFY(!stream.hasPending());
        QCOMPARE(terminal.received, QByteArray("OK\rC  123,  456,  -33,10\r"));
        QCOMPARE(stream.linesSent(), 2);
    }

    void keepsItsRateAndStopsWhenToldTo_data()
    {
        QTest::addColumn<int>("perSecond");
        QTest::addColumn<int>("forMs");
        QTest::newRow("43 a second for 0.5 s") << 43 << 500;
        QTest::newRow("5000 a second for 0.2 s") << 5000 << 200;
    }
    void keepsItsRateAndStopsWhenToldTo()
    {
        QFETCH(int, perSecond);
        QFETCH(int, forMs);
        Terminal terminal;
        RecordStream stream(numbered(), perSecond, [&](const char *d, qsizetype n) { return terminal.write(d, n); });
        stream.start(forMs);
        const qint64 expected = qint64(forMs) * perSecond / 1000;
        QTRY_COMPARE_WITH_TIMEOUT(stream.linesSent(), expected, 10000);
        QTest::qWait(100);
        QCOMPARE(stream.linesSent(), expected); // and no more after the end
        QCOMPARE(terminal.received.count('\r'), expected);
    }
};

QTEST_GUILESS_MAIN(tst_RecordStream)
#include "tst_record_stream.moc"
