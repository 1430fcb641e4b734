// The main window as it opens: captions, colours, fonts, the enabled and
// visible states before anything is pressed, what a screen reader speaks,
// and that every button can be reached from the keyboard.
#include "MainWindowFixture.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"
#include "platform/Timer.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class tst_MainWindow : public QObject
{
    Q_OBJECT

    static QString spokenName(QWidget *widget)
    {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
        return iface ? iface->text(QAccessible::Name) : QString();
    }

private slots:
    void opensWithItsDesignState()
    {
        MainWindowFixture f;
        frmMain &w = *f.window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Velmora ~ Dormak-HART"));
        QCOMPARE(w.size(), QSize(1010, 640));
        QCOMPARE(w.cmdRun->text(), QStringLiteral("Scan"));
        QCOMPARE(w.lblConnect->text(), QStringLiteral("Not Connected"));
        QCOMPARE(w.lblUSB->text(), QStringLiteral("USB Port:"));
        QCOMPARE(w.FrameControlPanel->title(), QStringLiteral("CONTROL PANEL"));
        const QStringList panel{w.cmdCalibrate->text(), w.cmdRemoteControl->text(), w.cmdParameters->text(),
                                w.cmdSetup->text(), w.cmdMonitor->text(), w.cmdReport->text()};
        QCOMPARE(panel, (QStringList{"Calibrate", "Remote Control", "Parameters", "Setup", "Monitor", "Report"}));
        QVERIFY(!w.FrameCalib->isEnabled());
        QVERIFY(w.FrameSetup->isHidden());
        QCOMPARE(w.txtSetup->text(), QStringLiteral("H001"));
        QVERIFY(w.lblHistory->isHidden() && w.lblRec->isHidden() && w.lblPause->isHidden());
        QCOMPARE(w.cmdRecord->text(), QStringLiteral("REC"));
        QCOMPARE(w.cmdPause->text(), QStringLiteral("PAUSE"));
        for (QLineEdit *box : {w.txtSP, w.txtPV, w.txtER, w.txtLV})
            QCOMPARE(box->text(), QStringLiteral("100.0"));
        QCOMPARE(w.txtSP->font().family(), QStringLiteral("Arial Rounded MT Bold"));
        QCOMPARE(w.txtSP->font().pointSizeF(), 15.75);
        QCOMPARE(w.txtSP->palette().color(QPalette::Base), QColor(255, 255, 128));
        QCOMPARE(w.txtPV->palette().color(QPalette::Base), QColor(128, 255, 128));
        QCOMPARE(w.txtER->palette().color(QPalette::Base), QColor(255, 192, 192));
        QCOMPARE(w.txtLV->palette().color(QPalette::Base), QColor(192, 192, 0));
        QCOMPARE(w.shpRx->fillColor(), QColor(192, 192, 192));
        QCOMPARE(w.shpTx->fillColor(), QColor(192, 192, 192));
        for (Shape *lamp : {w.shpUp, w.shpDn, w.shpRelay})
            QCOMPARE(lamp->fillColor(), QColor(Qt::black));
        // No timer runs before the start-up sequence has prepared the display.
        QVERIFY(!w.tmrDisp->isEnabled() && !w.tmrRecLabel->isEnabled());
        for (Timer *t : {w.tmrScan, w.tmrRScan, w.link.tmrWait, w.link.tmrTx, w.link.tmrRx})
            QVERIFY(!t->isEnabled());
        QCOMPARE(w.tmrScan->interval(), 100);
        QCOMPARE(w.tmrDisp->interval(), 250);
        QCOMPARE(w.tmrRecLabel->interval(), 500);
    }

    // The display timers start once the pictures are prepared and the empty
    // chart is drawn, before the port search handles events; the others wait
    // for their modes.
    void displayTimersStartOncePrepared()
    {
        MainWindowFixture f;
        frmMain &w = *f.window;
        bool runningWhileSearching = false;
        bool preparedWhileSearching = false;
        f.port.onCommand = [&](int, const QByteArray &command) {
            if (command != "?")
                return;
            runningWhileSearching = w.tmrDisp->isEnabled() && w.tmrRecLabel->isEnabled();
            preparedWhileSearching = w.picDial->scaleWidth() == 1000 && !w.pic->drawing().items().empty();
        };
        f.startWithDevice();
        QVERIFY(runningWhileSearching);
        QVERIFY(preparedWhileSearching);
        QVERIFY(w.tmrDisp->isEnabled() && w.tmrRecLabel->isEnabled());
        for (Timer *t : {w.tmrScan, w.tmrRScan, w.link.tmrWait, w.link.tmrTx})
            QVERIFY(!t->isEnabled());
    }

    void everyControlHasASpokenName()
    {
        MainWindowFixture f;
        f.startWithDevice();
        const QList<QWidget *> controls = f.window->findChildren<QWidget *>();
        int checked = 0;
        for (QWidget *widget : controls) {
            if (!qobject_cast<QPushButton *>(widget) && !qobject_cast<QLineEdit *>(widget))
                continue;
            QVERIFY2(!spokenName(widget).trimmed().isEmpty(), qPrintable(widget->metaObject()->className()));
            ++checked;
        }
        QVERIFY(checked > 30);
        QCOMPARE(spokenName(f.window->txtSP), QStringLiteral("SP"));
        QCOMPARE(spokenName(f.window->txtRSP), QStringLiteral("Remote SP"));
        // A mode button speaks its current caption.
        f.window->cmdRun->click();
        QCOMPARE(spokenName(f.window->cmdRun), QStringLiteral("Stop"));
        f.window->cmdRun->click();
    }

    void everyButtonCanBeReachedByKeyboard()
    {
        MainWindowFixture f;
        for (QPushButton *button : f.window->findChildren<QPushButton *>())
            QVERIFY2(button->focusPolicy() & Qt::TabFocus, qPrintable(button->text()));
    }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_main_window.moc"
