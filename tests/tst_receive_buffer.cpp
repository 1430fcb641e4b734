// Framing what arrives into lines: fragments, several lines in one piece,
// line feeds, garbage, and the bound on an unfinished line.
#include "link/ReceiveBuffer.h"

#include <QtTest>

class tst_ReceiveBuffer : public QObject
{
    Q_OBJECT

    static QList<QByteArray> feed(const QList<QByteArray> &pieces, ReceiveBuffer &buffer)
    {
        QList<QByteArray> lines;
        for (const QByteArray &piece : pieces) {
            buffer.append(piece);
            while (const auto line = buffer.takeLine())
                lines << *line;
        }
        return lines;
    }

private slots:
    void framesLines_data()
    {
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("one line in three pieces")
            << QList<QByteArray>{"C  45", "5,  400,   5", "5,10\r"} << QList<QByteArray>{"C  455,  400,   55,10\r"} << QByteArray();
        QTest::newRow("two lines in one piece, in order")
            << QList<QByteArray>{"C  455,  400,   55,10\rA  725,1\r"} << QList<QByteArray>{"C  455,  400,   55,10\r", "A  725,1\r"} << QByteArray();
        QTest::newRow("partial tail waits for its CR")
            << QList<QByteArray>{"OK\rFA"} << QList<QByteArray>{"OK\r"} << QByteArray("FA");
        QTest::newRow("CR LF endings")
            << QList<QByteArray>{"OK\r\n", "FAIL\r\n"} << QList<QByteArray>{"OK\r", "FAIL\r"} << QByteArray();
        QTest::newRow("NUL and non-ASCII bytes")
            << QList<QByteArray>{QByteArray("\0\xff\x80", 3), "\r"} << QList<QByteArray>{QByteArray("\0\xff\x80\r", 4)} << QByteArray();
        QTest::newRow("empty piece") << QList<QByteArray>{""} << QList<QByteArray>{} << QByteArray();
    }
    void framesLines()
    {
        QFETCH(QList<QByteArray>, pieces);
        ReceiveBuffer buffer;
        QTEST(feed(pieces, buffer), "lines");
        QTEST(buffer.pending(), "tail");
    }

    // A line longer than the limit can only be noise: it goes whole, up to
    // and including its carriage return, and the next line is taken as usual.
    // Complete lines are never dropped, however many arrive in one piece.
    void boundsOnlyTheUnfinishedLine_data()
    {
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<QList<QByteArray>>("lines");
        const qsizetype limit = ReceiveBuffer::Limit;
        const QByteArray live = "C  455,  400,   55,10\r";
        QTest::newRow("flood, then its CR")
            << QList<QByteArray>{QByteArray(5000, 'x'), "\r", "OK\r"} << QList<QByteArray>{"OK\r"};
        QTest::newRow("flood in pieces runs into a reply")
            << QList<QByteArray>{QByteArray(3000, 'x'), QByteArray(3000, 'x'), live, "OK\r"} << QList<QByteArray>{"OK\r"};
        QTest::newRow("flood ending in a reply, one piece")
            << QList<QByteArray>{QByteArray(5000, 'A') + live + "OK\r"} << QList<QByteArray>{"OK\r"};
        QTest::newRow("line of exactly the limit")
            << QList<QByteArray>{QByteArray(limit - 1, 'x') + '\r'} << QList<QByteArray>{QByteArray(limit - 1, 'x') + '\r'};
        QTest::newRow("one character more")
            << QList<QByteArray>{QByteArray(limit, 'x'), "\rOK\r"} << QList<QByteArray>{"OK\r"};
        QTest::newRow("250 replies in one piece")
            << QList<QByteArray>{live.repeated(250)} << QList<QByteArray>(250, live);
        QTest::newRow("line feeds before a line do not count")
            << QList<QByteArray>{QByteArray(5000, '\n') + "OK\r"} << QList<QByteArray>{"OK\r"};
    }
    void boundsOnlyTheUnfinishedLine()
    {
        QFETCH(QList<QByteArray>, pieces);
        ReceiveBuffer buffer;
        QTEST(feed(pieces, buffer), "lines");
        QVERIFY(buffer.isEmpty());
    }

    void staysBoundedWithoutCarriageReturns()
    {
        ReceiveBuffer buffer;
        qsizetype largest = 0;
        for (int i = 0; i < 1000; ++i) {
            buffer.append(QByteArray(1000, char('a' + i % 26)));
            largest = std::max(largest, buffer.pending().size());
        }
        QVERIFY(largest <= ReceiveBuffer::Limit);
        QCOMPARE(feed({"\rOK\r"}, buffer), QList<QByteArray>{"OK\r"});
    }

    // Discovery empties the buffer between ports: what a silent port sent
    // must not swallow the next port's first reply.
    void clearEndsAnOverlongLine()
    {
        ReceiveBuffer buffer;
        buffer.append(QByteArray(5000, 'x'));
        buffer.clear();
        QCOMPARE(feed({"@V4.1DMK-0042S123\r"}, buffer), QList<QByteArray>{"@V4.1DMK-0042S123\r"});
    }
};

QTEST_APPLESS_MAIN(tst_ReceiveBuffer)
#include "tst_receive_buffer.moc"
