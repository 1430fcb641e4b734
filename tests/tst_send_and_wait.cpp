// The common send step: the full wait always runs, both flags, late replies,
// one wait at a time.
#include "MainWindowFixture.h"
#include "platform/Timer.h"

#include <QTimer>
#include <QtTest>

class tst_SendAndWait : public QObject
{
    Q_OBJECT
private slots:
    void readsTheFlagsAfterTheFullWait_data()
    {
        QTest::addColumn<QList<QByteArray>>("replies");
        QTest::addColumn<QList<int>>("delays");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("fail");
        QTest::newRow("no answer") << QList<QByteArray>{} << QList<int>{} << false << false;
        QTest::newRow("OK") << QList<QByteArray>{"OK\r"} << QList<int>{10} << true << false;
        QTest::newRow("FAIL") << QList<QByteArray>{"FAIL\r"} << QList<int>{10} << false << true;
        // An early reply does not end the wait: a second one near its end still counts.
        QTest::newRow("OK early, FAIL late in the wait") << QList<QByteArray>{"OK\r", "FAIL\r"} << QList<int>{5, 150} << true << true;
        QTest::newRow("OK with more text") << QList<QByteArray>{"OK 12\r"} << QList<int>{10} << true << false;
        QTest::newRow("unrelated line") << QList<QByteArray>{"ZZ\r"} << QList<int>{10} << false << false;
    }
    void readsTheFlagsAfterTheFullWait()
    {
        QFETCH(QList<QByteArray>, replies);
        QFETCH(QList<int>, delays);
        MainWindowFixture f;
        f.startWithDevice();
        f.port.onCommand = [&](int, const QByteArray &command) {
            if (command == "#A")
                for (int i = 0; i < replies.size(); ++i)
                    f.port.deliver(replies[i], delays[i]);
        };
        QVERIFY(f.window->SendAndWait(QStringLiteral("#A"), 200));
        QCOMPARE(f.port.written(), QByteArray("#A\r"));
        QCOMPARE(f.window->link.TxCommand, QStringLiteral("#A\r"));
        QTEST(f.window->link.ReplyOk, "ok");
        QTEST(f.window->link.ReplyFail, "fail");
        QCOMPARE(f.window->link.tmrWait->interval(), 50);
        QVERIFY(!f.window->link.tmrWait->isEnabled());
        QVERIFY(!f.window->isWaiting());
    }

    void lateReplySetsItsFlagUntilTheNextSenderClearsIt()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("#B", "OK\r", 120);
        f.window->SendAndWait(QStringLiteral("#B"), 50);
        QVERIFY(!f.window->link.ReplyOk);
        QTRY_VERIFY(f.window->link.ReplyOk);
        f.window->SendAndWait(QStringLiteral("#C"), 50);
        QVERIFY(!f.window->link.ReplyOk);
        QVERIFY(!f.window->link.ReplyFail);
    }

    void refusesASecondWaitWhileOneRuns()
    {
        MainWindowFixture f;
        f.startWithDevice();
        bool innerStarted = true;
        QTimer::singleShot(20, [&] { innerStarted = f.window->SendAndWait(QStringLiteral("#J"), 300); });
        QVERIFY(f.window->SendAndWait(QStringLiteral("#A"), 200));
        QVERIFY(!innerStarted);
        QCOMPARE(f.port.written(), QByteArray("#A\r"));
        QCOMPARE(f.window->link.tmrWait->interval(), 50);
    }

    void writeLineTouchesNoFlags()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.window->link.ReplyOk = true;
        f.window->link.ReplyFail = true;
        f.window->link.write(QStringLiteral("%Q-"));
        QCOMPARE(f.port.written(), QByteArray("%Q-\r"));
        QVERIFY(f.window->link.ReplyOk && f.window->link.ReplyFail);
    }
};

QTEST_MAIN(tst_SendAndWait)
#include "tst_send_and_wait.moc"
