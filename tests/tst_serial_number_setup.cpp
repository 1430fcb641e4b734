// Serial-number setup: the service access code, the "Setup" frame and the
// "*SN" write.
#include "TestHelpers.h"
#include "MainWindowFixture.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

const QString Title = QStringLiteral("Edit SN");
const ShownMessage Invalid{QStringLiteral("Invalid Serial Number"), Title, MessageIcon::Exclamation};
const ShownMessage Modified{QStringLiteral("Serial Number Modified"), Title, MessageIcon::Information};
const ShownMessage Failed{QStringLiteral("Modification Failed"), Title, MessageIcon::Exclamation};

bool setupOpen(const frmMain &w)
{
    return w.FrameSetup->isVisible() && !w.FrameConnect->isEnabled() && !w.FrameControlPanel->isEnabled();
}
bool setupClosed(const frmMain &w)
{
    return !w.FrameSetup->isVisible() && w.FrameConnect->isEnabled() && w.FrameControlPanel->isEnabled();
}

void openSetup(MainWindowFixture &f)
{
    f.dialogs.inputAnswers.enqueue(QStringLiteral("8261"));
    click(f.window->cmdSetup);
}

} // namespace

class tst_SerialNumberSetup : public QObject
{
    Q_OBJECT
private slots:
    void codeOpensTheFrame_data()
    {
        QTest::addColumn<std::optional<QString>>("typed");
        QTest::addColumn<bool>("opens");
        QTest::newRow("the code") << std::optional<QString>(QStringLiteral("8261")) << true;
        QTest::newRow("leading blank") << std::optional<QString>(QStringLiteral(" 8261")) << false;
        QTest::newRow("trailing blank") << std::optional<QString>(QStringLiteral("8261 ")) << false;
        QTest::newRow("the default") << std::optional<QString>(QStringLiteral("0")) << false;
        QTest::newRow("wrong code") << std::optional<QString>(QStringLiteral("8262")) << false;
        QTest::newRow("Cancel") << std::optional<QString>() << false;
    }
    void codeOpensTheFrame()
    {
        QFETCH(std::optional<QString>, typed);
        QFETCH(bool, opens);
        MainWindowFixture f;
        f.startWithDevice();
        f.dialogs.inputAnswers.enqueue(typed);
        click(f.window->cmdSetup);
        QCOMPARE(f.dialogs.inputsAsked.size(), 1);
        QCOMPARE(f.dialogs.inputsAsked[0].prompt, QStringLiteral("Enter Password"));
        QCOMPARE(f.dialogs.inputsAsked[0].title, QStringLiteral("Setup"));
        QCOMPARE(f.dialogs.inputsAsked[0].defaultText, QStringLiteral("0"));
        QCOMPARE(setupOpen(*f.window), opens);
        QCOMPARE(setupClosed(*f.window), !opens);
        // A wrong code is met with silence.
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(f.port.written(), QByteArray());
    }

    void writeSendsFourCharacters_data()
    {
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QList<ShownMessage>>("messages");
        QTest::newRow("design text, OK") << "H001" << QByteArray("OK\r") << QByteArray("*SNH001\r")
                                         << QList<ShownMessage>{Modified};
        QTest::newRow("FAIL") << "K777" << QByteArray("FAIL\r") << QByteArray("*SNK777\r")
                              << QList<ShownMessage>{Failed};
        QTest::newRow("no answer") << "H002" << QByteArray() << QByteArray("*SNH002\r") << QList<ShownMessage>{};
        QTest::newRow("four blanks") << "    " << QByteArray("OK\r") << QByteArray("*SN    \r")
                                     << QList<ShownMessage>{Modified};
        QTest::newRow("three characters") << "H01" << QByteArray("OK\r") << QByteArray() << QList<ShownMessage>{Invalid};
        QTest::newRow("five characters") << "H0001" << QByteArray("OK\r") << QByteArray() << QList<ShownMessage>{Invalid};
        QTest::newRow("empty") << "" << QByteArray("OK\r") << QByteArray() << QList<ShownMessage>{Invalid};
        // Only printable ASCII travels; anything else would reach the
        // controller other than typed.
        QTest::newRow("non-ASCII") << QStringLiteral("H\u00D601") << QByteArray("OK\r") << QByteArray()
                                   << QList<ShownMessage>{Invalid};
    }
    void writeSendsFourCharacters()
    {
        QFETCH(QString, serial);
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, written);
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("*SN" + serial.toLatin1(), reply);
        openSetup(f);
        f.window->txtSetup->setText(serial);
        click(f.window->cmdSetupSend);
        QTest::qWait(50); // a late answer would show here
        QCOMPARE(f.port.written(), written);
        QTEST(f.dialogs.messages, "messages");
        // The frame stays open for another try, and the details are not refreshed.
        QVERIFY(setupOpen(*f.window));
        QCOMPARE(f.window->lblSerial->text(), QStringLiteral("Serial No. S123"));
    }

    void severalWritesInOneOpening()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("*SNA001", "OK\r");
        f.port.answer("*SNA002", "FAIL\r");
        openSetup(f);
        f.window->txtSetup->setText(QStringLiteral("A001"));
        click(f.window->cmdSetupSend);
        f.window->txtSetup->setText(QStringLiteral("A002"));
        click(f.window->cmdSetupSend);
        QCOMPARE(f.port.commands(), (QList<QByteArray>{"*SNA001", "*SNA002"}));
        QCOMPARE(f.dialogs.messages, (QList<ShownMessage>{Modified, Failed}));
    }

    void aSecondWriteDuringTheWaitDoesNothing()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("*SNH001", "OK\r");
        openSetup(f);
        QTimer::singleShot(60, [&] { click(f.window->cmdSetupSend); });
        click(f.window->cmdSetupSend);
        QTest::qWait(300);
        QCOMPARE(f.port.commands(), QList<QByteArray>{"*SNH001"});
        QCOMPARE(f.dialogs.messages, QList<ShownMessage>{Modified});
    }

    void closeUnlocksAndKeepsTheText()
    {
        MainWindowFixture f;
        f.startWithDevice();
        openSetup(f);
        f.window->txtSetup->clear();
        QTest::keyClicks(f.window->txtSetup, QStringLiteral("Z9Z9"));
        click(f.window->cmdCancelSetup);
        QVERIFY(setupClosed(*f.window));
        QVERIFY(f.window->cmdRun->isEnabled());
        openSetup(f);
        QVERIFY(setupOpen(*f.window));
        QCOMPARE(f.window->txtSetup->text(), QStringLiteral("Z9Z9"));
        QCOMPARE(f.port.written(), QByteArray());
    }
};

QTEST_MAIN(tst_SerialNumberSetup)
#include "tst_serial_number_setup.moc"
