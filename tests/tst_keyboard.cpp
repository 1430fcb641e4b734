// The keyboard: where the focus starts, the order Tab walks, and what Enter
// and Esc do in the main window, the parameter list, message boxes and the
// report window.
#include "MainWindowFixture.h"
#include "SampleParameters.h"
#include "params/frmParameters.h"
#include "platform/QtDialogs.h"
#include "recording/RecordFile.h"
#include "recording/frmHistory.h"
#include "service/SerialNumber.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The main window's controls in the order they read: upper part left to
// right, then the lower frames row by row, then "Scan".
QList<QWidget *> readingOrder(const frmMain &w)
{
    QList<QWidget *> order{w.txtSP, w.txtPV, w.txtER, w.txtLV, w.cmdRecord, w.cmdPause,
                           w.cmdCalibrate, w.cmdRemoteControl, w.cmdParameters, w.cmdSetup, w.cmdMonitor, w.cmdReport};
    for (const int i : {0, 2, 4, 6, 8, 1, 3, 5, 7, 9})
        order << w.cmdCalib[size_t(i)];
    order << w.cmdCalibOut[0] << w.cmdCalibOut[1] << w.txtSetup << w.cmdSetupSend << w.cmdCancelSetup
          << w.txtRSP << w.cmdUp << w.cmdDown << w.cmdRun;
    return order;
}

bool takesTabFocus(const QWidget *widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(widget->window()) && widget->isEnabled();
}

} // namespace

class tst_Keyboard : public QObject
{
    Q_OBJECT

    static void activate(QWidget &window)
    {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

private slots:
    void focusStartsOnScan()
    {
        MainWindowFixture f;
        f.startWithDevice();
        activate(*f.window);
        QCOMPARE(QApplication::focusWidget(), f.window->cmdRun);
    }

    void tabWalksTheWindowAsItReads()
    {
        MainWindowFixture f;
        f.startWithDevice();
        // The calibration buttons take part once calibration is on.
        f.window->FrameCalib->setEnabled(true);
        activate(*f.window);

        const QList<QWidget *> order = readingOrder(*f.window);
        QList<QWidget *> expected;
        for (QWidget *widget : order)
            if (takesTabFocus(widget))
                expected << widget;
        // From "Scan", the last control, Tab starts over at the top and comes back.
        QCOMPARE(QApplication::focusWidget(), f.window->cmdRun);
        QList<QWidget *> walked;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << QApplication::focusWidget();
        }
        QCOMPARE(walked, expected);

        // Every control the keyboard can reach is in that order, once.
        for (QWidget *widget : f.window->findChildren<QWidget *>())
            if (widget->focusPolicy() & Qt::TabFocus)
                QVERIFY2(order.count(widget) == 1, qPrintable(widget->accessibleName() + widget->objectName()));
    }

    void enterPressesTheFocusedButton()
    {
        MainWindowFixture f;
        f.startWithDevice();
        activate(*f.window);
        QTest::keyClick(f.window->cmdRun, Qt::Key_Return);
        QCOMPARE(f.window->cmdRun->text(), QStringLiteral("Stop"));
        QTest::keyClick(f.window->cmdRun, Qt::Key_Enter);
        QCOMPARE(f.window->cmdRun->text(), QStringLiteral("Scan"));
    }

    void enterInTheNewSerialNumberWrites()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.dialogs.inputAnswers.enqueue(QStringLiteral("8261"));
        f.window->cmdSetup->click();
        QVERIFY(f.window->FrameSetup->isVisible());
        activate(*f.window);
        f.port.answer(service::serialNumberCommand(QStringLiteral("A001")).toLatin1(), "OK\r");
        f.window->txtSetup->setText(QStringLiteral("A001"));
        f.window->txtSetup->setFocus();
        QTest::keyClick(f.window->txtSetup, Qt::Key_Return);
        QCOMPARE(f.port.commands(), QList<QByteArray>{service::serialNumberCommand(QStringLiteral("A001")).toLatin1()});
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].icon, MessageIcon::Information);
    }

    void enterInTheParameterList_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("fileDialogs");
        QTest::newRow("in a box: Modify") << "txtPara0" << true << 0;
        QTest::newRow("in the password: Modify") << "txtPassWord" << true << 0;
        QTest::newRow("on Cancel: Cancel") << "cmdCancel" << false << 0;
        QTest::newRow("on Load: Load") << "cmdLoad" << false << 1;
    }
    void enterInTheParameterList()
    {
        QFETCH(QString, focus);
        QFETCH(bool, modified);
        QFETCH(int, fileDialogs);
        modMain data;
        data.ParameterSet = sampleParameterSet();
        ScriptedDialogs dialogs;
        frmParameters form(data, dialogs);
        activate(form);
        const std::map<QString, QWidget *> targets{{QStringLiteral("txtPara0"), form.txtPara[0]},
                                                   {QStringLiteral("txtPassWord"), form.txtPassWord},
                                                   {QStringLiteral("cmdCancel"), form.cmdCancel},
                                                   {QStringLiteral("cmdLoad"), form.cmdLoad}};
        QWidget *target = targets.at(focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QCOMPARE(data.UploadRequested, modified);
        QCOMPARE(data.PendingUpload.startsWith(QLatin1String("*P1")), modified);
        QCOMPARE(form.isVisible(), !modified && fileDialogs == 1);
        QCOMPARE(dialogs.openDialogsShown, fileDialogs);
        QVERIFY(dialogs.messages.isEmpty());
    }

    void enterDismissesAMessageBoxWithOk()
    {
        QtDialogs dialogs;
        QWidget owner;
        owner.show();
        dialogs.setOwner(&owner);
        bool pressed = false;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::Ok));
            QVERIFY(QTest::qWaitForWindowActive(box));
            QTest::keyClick(box, Qt::Key_Return);
            pressed = true;
        });
        // Should Enter not close it, the test ends instead of hanging.
        QTimer::singleShot(5000, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                box->close();
        });
        dialogs.messageBox(QStringLiteral("Calibration done"), QStringLiteral("Calibration"), MessageIcon::Information);
        QVERIFY(pressed);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void escClosesTheReport()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("run.rec"));
        QVERIFY(recordfile::write(path, std::vector<RecordSample>(20, RecordSample{50.0f, 40.0f})));
        MainWindowFixture f;
        f.startWithoutDevice();
        QVERIFY(f.window->OpenReport(path));
        QPointer<frmHistory> report = f.window->findChild<frmHistory *>();
        QVERIFY(report);
        QVERIFY(QTest::qWaitForWindowActive(report));
        QTest::keyClick(report->cmdTravelUp, Qt::Key_Escape);
        QTRY_VERIFY(!report); // closed and discarded
        QVERIFY(f.window->isVisible());
    }
};

QTEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
