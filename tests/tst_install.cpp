// "cmake --install" into a fresh prefix: the two programs, the desktop entry,
// the icon, the AppStream metainfo and the manual page in their standard
// places; the entry and the metainfo pass Debian's validators, and the
// installed program runs.
#include "BuiltPrograms.h"
#include "Version.h"

#include <QDir>
#include <QFileInfo>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString AppId = QStringLiteral("example.velmora.Velmora");

} // namespace

class tst_Install : public QObject
{
    Q_OBJECT

    QTemporaryDir prefix;

    QString installed(const QString &path) const { return QDir(prefix.path()).filePath(path); }

private slots:
    void initTestCase()
    {
        QVERIFY(prefix.isValid());
        const ProgramRun install = built::run(qEnvironmentVariable("CMAKE_COMMAND"),
                                              {"--install", qEnvironmentVariable("VELMORA_BUILD_DIR"), "--prefix",
                                               prefix.path()},
                                              QProcessEnvironment::systemEnvironment());
        QVERIFY2(!install.crashed && install.exitCode == 0, qPrintable(install.out + install.err));
    }

    void filesInTheirPlaces_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("executable");
        QTest::newRow("velmora") << "bin/velmora" << true;
        QTest::newRow("velmora-sim") << "bin/velmora-sim" << true;
        QTest::newRow("desktop entry") << "share/applications/" + AppId + ".desktop" << false;
        QTest::newRow("icon") << "share/icons/hicolor/scalable/apps/" + AppId + ".svg" << false;
        QTest::newRow("metainfo") << "share/metainfo/" + AppId + ".metainfo.xml" << false;
        QTest::newRow("manual page") << "share/man/man1/velmora.1.gz" << false;
    }
    void filesInTheirPlaces()
    {
        QFETCH(QString, path);
        QFETCH(bool, executable);
        const QFileInfo file(installed(path));
        QVERIFY2(file.isFile(), qPrintable(file.filePath()));
        QVERIFY(file.size() > 0);
        QCOMPARE(file.isExecutable(), executable);
    }

    void desktopEntryIsValid()
    {
        const ProgramRun check = built::run(QStringLiteral("desktop-file-validate"),
                                            {installed("share/applications/" + AppId + ".desktop")});
        QVERIFY2(!check.crashed && check.exitCode == 0,
                 qPrintable("desktop-file-validate (desktop-file-utils): " + check.out + check.err));
        QCOMPARE(check.out + check.err, QString());
    }

    void metainfoIsValid()
    {
        const ProgramRun check = built::run(QStringLiteral("appstreamcli"),
                                            {"validate", "--no-net", installed("share/metainfo/" + AppId + ".metainfo.xml")});
        QVERIFY2(!check.crashed && check.exitCode == 0, qPrintable("appstreamcli (appstream): " + check.out + check.err));
    }

    void metainfoNamesTheInstalledFiles()
    {
        QFile file(installed("share/metainfo/" + AppId + ".metainfo.xml"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.contains("<id>" + AppId + "</id>"));
        QVERIFY(text.contains("<launchable type=\"desktop-id\">" + AppId + ".desktop</launchable>"));
        QVERIFY(text.contains(QStringLiteral("<release version=\"" VELMORA_VERSION "\"")));
    }

    void iconIsAScalablePicture()
    {
        QSvgRenderer icon(installed("share/icons/hicolor/scalable/apps/" + AppId + ".svg"));
        QVERIFY(icon.isValid());
        QCOMPARE(icon.defaultSize(), QSize(128, 128));
    }

    void manualPageIsCompressed()
    {
        QFile page(installed(QStringLiteral("share/man/man1/velmora.1.gz")));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QCOMPARE(page.read(2), QByteArray("\x1f\x8b"));
    }

    void installedProgramRuns()
    {
        const ProgramRun run = built::run(installed(QStringLiteral("bin/velmora")), {"--version"});
        QVERIFY(!run.crashed);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("velmora " VELMORA_VERSION "\n"));
    }
};

QTEST_GUILESS_MAIN(tst_Install)
#include "tst_install.moc"
