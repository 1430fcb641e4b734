// Small screens: windows open inside the available screen area, the main
// window is fully usable at the sizes of an 800 x 600 screen and of 1920 x 1080
// at 200 %, scrolls below that so that every control stays reachable, its
// pictures scale with it, and the report opens over the main window.
#include "MainWindowFixture.h"
#include "platform/PictureBox.h"
#include "platform/WindowPlacement.h"
#include "recording/RecordFile.h"
#include "recording/frmHistory.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QList<QWidget *> controls(const frmMain &w)
{
    QList<QWidget *> found;
    for (QPushButton *button : w.findChildren<QPushButton *>())
        found << button;
    for (QLineEdit *box : w.findChildren<QLineEdit *>())
        found << box;
    return found;
}

// The size a window gets on a screen whose available area is `screen`.
QSize clientOn(QSize screen)
{
    return placement::fitted(QSize(1010, 640), QRect(QPoint(), screen).center(), QRect(QPoint(), screen)).size();
}

} // namespace

class tst_WindowFit : public QObject
{
    Q_OBJECT

private slots:
    void fitted_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("centre");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("expected");
        const QMargins frame = placement::FrameReserve;
        QTest::newRow("fits: centred") << QSize(1010, 640) << QPoint(960, 540) << QRect(0, 0, 1920, 1080)
                                       << QRect(456, 221, 1010, 640);
        QTest::newRow("800 x 600: shrunk into it") << QSize(1010, 640) << QPoint(400, 300) << QRect(0, 0, 800, 600)
                                                   << QRect(0, 0, 800, 600).marginsRemoved(frame);
        QTest::newRow("a panel on top") << QSize(1010, 640) << QPoint(683, 398) << QRect(0, 27, 1366, 741)
                                        << QRect(179, 79, 1010, 640);
        QTest::newRow("centre near the corner: moved in") << QSize(820, 620) << QPoint(50, 40)
                                                          << QRect(0, 0, 1920, 1080)
                                                          << QRect(frame.left(), frame.top(), 820, 620);
        QTest::newRow("centre past the far edge") << QSize(820, 620) << QPoint(1900, 1070) << QRect(0, 0, 1920, 1080)
                                                  << QRect(1920 - 4 - 820, 1080 - 4 - 620, 820, 620);
        QTest::newRow("second screen") << QSize(820, 620) << QPoint(2000, 300) << QRect(1920, 0, 1280, 1024)
                                       << QRect(1920 + frame.left(), frame.top(), 820, 620);
    }
    void fitted()
    {
        QFETCH(QSize, size);
        QFETCH(QPoint, centre);
        QFETCH(QRect, available);
        QFETCH(QRect, expected);
        const QRect rect = placement::fitted(size, centre, available);
        QCOMPARE(rect, expected);
        QVERIFY(available.contains(rect.marginsAdded(placement::FrameReserve)));
    }

    void mainWindowIsWholeOnSmallScreens_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("800 x 600") << clientOn({800, 600});
        QTest::newRow("1920 x 1080 at 200 %") << clientOn({960, 540});
        QTest::newRow("1024 x 600 netbook") << clientOn({1024, 600});
    }
    void mainWindowIsWholeOnSmallScreens()
    {
        QFETCH(QSize, size);
        MainWindowFixture f;
        f.startWithDevice();
        f.window->resize(size);
        QApplication::processEvents();
        QCOMPARE(f.window->size(), size);
        auto *scroll = f.window->findChild<QScrollArea *>();
        QVERIFY(scroll);
        QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(scroll->verticalScrollBar()->maximum(), 0);
        for (QWidget *control : controls(*f.window)) {
            if (!control->isVisibleTo(f.window.get()))
                continue;
            const QRect area(control->mapTo(f.window.get(), QPoint()), control->size());
            QVERIFY2(f.window->rect().contains(area), qPrintable(control->accessibleName()));
            // Nothing is squeezed: captions and a full reading fit.
            const auto *button = qobject_cast<QPushButton *>(control);
            const QString text = button ? button->text() : QStringLiteral("100.0");
            QVERIFY2(control->width() > control->fontMetrics().horizontalAdvance(text), qPrintable(text));
        }
    }

    void belowThatEveryControlCanBeScrolledTo()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.window->cmdSetup->setEnabled(true);
        f.window->FrameSetup->show();
        f.window->resize(560, 360);
        QApplication::processEvents();
        auto *scroll = f.window->findChild<QScrollArea *>();
        QVERIFY(scroll->horizontalScrollBar()->maximum() > 0);
        QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
        for (QWidget *control : controls(*f.window)) {
            // A text box is scrolled to its cursor, a button to all of it.
            scroll->ensureWidgetVisible(control, 0, 0);
            const QRect area(control->mapTo(scroll->viewport(), QPoint()), control->size());
            QVERIFY2(scroll->viewport()->rect().contains(area.center()), qPrintable(control->accessibleName()));
            if (qobject_cast<QPushButton *>(control))
                QVERIFY2(scroll->viewport()->rect().contains(area), qPrintable(control->accessibleName()));
        }
    }

    void picturesScaleWithTheWindow()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.window->resize(clientOn({800, 600}));
        QApplication::processEvents();
        const QSize chart = f.window->pic->size();
        const QSize dial = f.window->picDial->size();
        const QSize actuator = f.window->picActuator->size();
        f.window->resize(1600, 1000);
        QApplication::processEvents();
        QVERIFY(f.window->pic->width() > chart.width() && f.window->pic->height() > chart.height());
        QVERIFY(f.window->picDial->width() > dial.width());
        QVERIFY(f.window->picActuator->height() > actuator.height());
        // The dial stays round.
        QCOMPARE(f.window->picDial->width(), f.window->picDial->height());
    }

    void mainWindowOpensInsideTheScreen()
    {
        MainWindowFixture f;
        f.startWithDevice();
        placement::centreOnScreen(*f.window);
        const QRect available = f.window->screen()->availableGeometry();
        QVERIFY(available.contains(f.window->geometry().marginsAdded(placement::FrameReserve)));
    }

    void reportOpensOverTheMainWindow()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("travel-3.rec"));
        QVERIFY(recordfile::write(path, std::vector<RecordSample>(200, RecordSample{10.0f, 20.0f})));
        MainWindowFixture f;
        f.startWithoutDevice();
        f.window->resize(600, 400);
        f.window->move(120, 90);
        QVERIFY(f.window->OpenReport(path));
        auto *report = f.window->findChild<frmHistory *>();
        QVERIFY(report);
        QCOMPARE(report->windowTitle(), QStringLiteral("Report - travel-3.rec"));
        // Centred on the main window as far as the screen allows; its design size is 1040 x 820.
        const QRect available = report->screen()->availableGeometry();
        QCOMPARE(report->geometry(), placement::fitted(QSize(1040, 820), f.window->geometry().center(), available));
        // It can be made small enough for an 800 x 600 screen.
        const QSize room = QRect(0, 0, 800, 600).marginsRemoved(placement::FrameReserve).size();
        QCOMPARE(room.expandedTo(report->minimumSizeHint()), room);
    }
};

QTEST_MAIN(tst_WindowFit)
#include "tst_window_fit.moc"
