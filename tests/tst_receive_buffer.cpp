// Framing what arrives into lines: fragments, several lines in one piece,
// line feeds, garbage, and the bound on the buffer.
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

    void keepsOnlyTheNewest4096Characters()
    {
        ReceiveBuffer buffer;
        buffer.append(QByteArray(3000, 'x'));
        buffer.append(QByteArray(3000, 'y'));
        QCOMPARE(buffer.pending().size(), ReceiveBuffer::Limit);
        QVERIFY(buffer.pending().endsWith(QByteArray(3000, 'y')));
        buffer.append(QByteArray(10000, 'z') + "OK");
        QCOMPARE(buffer.pending().size(), ReceiveBuffer::Limit);
        QVERIFY(buffer.pending().endsWith("zOK"));
        // A carriage return after the flood still completes a (long) line.
        buffer.append("\r");
        const auto line = buffer.takeLine();
        QVERIFY(line.has_value());
        QVERIFY(line->endsWith("zOK\r"));
        QVERIFY(buffer.isEmpty());
    }
};

QTEST_APPLESS_MAIN(tst_ReceiveBuffer)
#include "tst_receive_buffer.moc"
