// The parameter-list window on its own, offscreen, with scripted dialogs:
// opening, Modify with its messages, Save, Load, Upload and JsonGet.
#include "TestHelpers.h"
#include "SampleParameters.h"
#include "ScriptedDialogs.h"
#include "app/modMain.h"
#include "params/ParameterFields.h"
#include "params/ParameterFile.h"
#include "params/frmParameters.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using BoxEdits = QMap<int, QString>;
const QString Model = QStringLiteral("DMK--0042");

// A block every field of which the window accepts as it stands.
QStringList boxTexts(const frmParameters &form)
{
    QStringList texts;
    for (const QLineEdit *box : form.txtPara)
        texts << box->text();
    return texts;
}

ShownMessage outOfRange(const char *title)
{
    return {QStringLiteral("Parameter Out of Range"), QLatin1String(title), MessageIcon::Exclamation};
}

ShownMessage password(const char *text)
{
    return {QLatin1String(text), QStringLiteral("Invalid Password"), MessageIcon::Exclamation};
}

} // namespace

class tst_FrmParameters : public QObject
{
    Q_OBJECT

    modMain data;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmParameters> form;
    std::unique_ptr<QTemporaryDir> dir;

    void open()
    {
        form = std::make_unique<frmParameters>(data, dialogs);
        form->show();
    }
    QString path(const char *name) const { return dir->filePath(QLatin1String(name)); }
    void load(const QString &file)
    {
        dialogs.openAnswers.enqueue(file);
        form->cmdLoad->click();
    }
    void save(const QString &file)
    {
        dialogs.saveAnswers.enqueue(file);
        form->cmdSave->click();
    }

private slots:
    void init()
    {
        data = modMain();
        data.ParameterSet = sampleParameterSet();
        data.ModelNo = Model;
        data.SerialNo = QStringLiteral("S123");
        data.VersionNo = QStringLiteral("V4.1");
        dialogs = ScriptedDialogs();
        dir = std::make_unique<QTemporaryDir>();
    }
    void cleanup() { form.reset(); }

    void opensWithTheParameterSet()
    {
        open();
        QCOMPARE(form->windowTitle(), QStringLiteral("Parameter List"));
        QCOMPARE(boxTexts(*form), (QStringList{"1.5", "1.6", "0.5", "0.6", "25.0", "2.0", "25", "0", "160", "20", "40", "80"}));
        QCOMPARE(form->txtPassWord->text(), QStringLiteral("0429"));
        QCOMPARE(form->cmbSPFail->count(), 3);
        QCOMPARE(form->cmbSPFail->itemText(2), QStringLiteral("Down Valve ON"));
        QCOMPARE(form->cmbSPFail->currentText(), QStringLiteral("Up Valve ON"));
        QCOMPARE(form->cmbPVFail->currentText(), QStringLiteral("Down Valve ON"));
        QVERIFY(!form->cmdUpdate->isEnabled());
        QCOMPARE(form->ParaMin[7], int16_t(0));
        QCOMPARE(form->ParaMax[4], int16_t(1000));
    }

    void opensWithTheSwitchOptions_data()
    {
        QTest::addColumn<int>("levelOption");
        QTest::addColumn<int>("pressureOption");
        QTest::addColumn<bool>("levelSwitch");
        QTest::addColumn<bool>("pressureSwitch");
        QTest::newRow("0 0: transmitters") << 0 << 0 << false << false;
        QTest::newRow("1 1: switches") << 1 << 1 << true << true;
        QTest::newRow("1 0") << 1 << 0 << true << false;
        QTest::newRow("2 2: only 1 means switch") << 2 << 2 << false << false;
    }
    void opensWithTheSwitchOptions()
    {
        QFETCH(int, levelOption);
        QFETCH(int, pressureOption);
        QFETCH(bool, levelSwitch);
        QFETCH(bool, pressureSwitch);
        data.ParameterSet.LevelSwOpt = uint8_t(levelOption);
        data.ParameterSet.PressureSwOpt = uint8_t(pressureOption);
        open();
        QCOMPARE(form->optLS->isChecked(), levelSwitch);
        QCOMPARE(form->optLT->isChecked(), !levelSwitch);
        QCOMPARE(form->optPS->isChecked(), pressureSwitch);
        QCOMPARE(form->optPT->isChecked(), !pressureSwitch);
    }

    void modifyStoresTheEditsAndPreparesTheUpload()
    {
        open();
        form->txtPara[0]->setText(QStringLiteral("1.25"));
        form->txtPara[2]->setText(QStringLiteral("1.35"));
        form->txtPara[6]->setText(QStringLiteral("175.4"));
        form->txtPara[7]->setText(QString());
        form->txtPassWord->setText(QStringLiteral("5678"));
        form->cmbSPFail->setCurrentIndex(0);
        form->optLT->setChecked(true);
        form->optPS->setChecked(true);
        form->cmdModify->click();

        QCOMPARE(dialogs.messages, QList<ShownMessage>());
        QCOMPARE(boxTexts(*form).mid(0, 8), (QStringList{"1.2", "1.6", "1.4", "0.6", "25.0", "2.0", "175", "0"}));
        QVERIFY(!form->isVisible());
        QCOMPARE(form->result(), int(QDialog::Accepted));

        ParameterSet expected = sampleParameterSet();
        expected.CoarseControlUp = 12;
        expected.FineControlUp = 14;
        expected.PulseDelay = 175;
        expected.PressureValueLow = 0;
        expected.pswd = {5, 6, 7, 8};
        expected.SPFail = 0;
        expected.LevelSwOpt = 0;
        expected.PressureSwOpt = 1;
        QCOMPARE(data.ParameterSet, expected);
        QVERIFY(data.UploadRequested);
        QCOMPARE(data.PendingUpload, params::BuildParameterUpload(expected, false));
        QVERIFY(data.PendingUpload.startsWith(QStringLiteral("*P1")));
    }

    // One message per problem, fields in index order, then the password;
    // nothing is stored and the window stays open with normalised boxes.
    void modifyRefuses_data()
    {
        QTest::addColumn<BoxEdits>("boxes");
        QTest::addColumn<QString>("typedPassword");
        QTest::addColumn<QList<ShownMessage>>("messages");
        QTest::addColumn<QStringList>("shown");

        const QStringList unchanged{"1.5", "1.6", "0.5", "0.6", "25.0", "2.0", "25", "0", "160", "20", "40", "80"};
        auto with = [&](std::initializer_list<std::pair<int, const char *>> edits) {
            QStringList shown = unchanged;
            for (const auto &[i, text] : edits)
                shown[i] = QLatin1String(text);
            return shown;
        };

        QTest::newRow("two fields and a short password")
            << BoxEdits{{1, "0.04"}, {11, "500"}} << "123"
            << QList<ShownMessage>{outOfRange("Coarse Control Down:"), outOfRange("Pressure Pump OFF:"),
                                   password("Password has to be of 4 numericals")}
            << with({{1, "0.0"}, {11, "500"}});
        QTest::newRow("pulse delay 4") << BoxEdits{{6, "4"}} << "0429"
                                       << QList<ShownMessage>{outOfRange("Pulse Delay:")} << with({{6, "4"}});
        QTest::newRow("one letter in the password")
            << BoxEdits{} << "12a4" << QList<ShownMessage>{password("Password has to be numeric")} << unchanged;
        QTest::newRow("four letters in the password")
            << BoxEdits{} << "abcd" << QList<ShownMessage>(4, password("Password has to be numeric")) << unchanged;
        QTest::newRow("too large for 16 bits") << BoxEdits{{0, "5000"}, {10, "70000"}} << "0429"
                                               << QList<ShownMessage>{outOfRange("Coarse Control Up:"), outOfRange("Pressure Pump ON:")}
                                               << with({{0, "5000"}, {10, "70000"}});

        BoxEdits empty;
        QList<ShownMessage> everyField;
        for (int i = 0; i < 12; ++i) {
            empty.insert(i, QString());
            if (i != 7)
                everyField << outOfRange(ParameterFields[i].label);
        }
        everyField << password("Password has to be of 4 numericals");
        QTest::newRow("every box empty: all but Pressure @4mA")
            << empty << "" << everyField << QStringList{"0.0", "0.0", "0.0", "0.0", "0.0", "0.0", "0", "0", "0", "0", "0", "0"};
    }
    void modifyRefuses()
    {
        QFETCH(BoxEdits, boxes);
        QFETCH(QString, typedPassword);
        QFETCH(QList<ShownMessage>, messages);
        QFETCH(QStringList, shown);
        open();
        for (auto it = boxes.cbegin(); it != boxes.cend(); ++it)
            form->txtPara[it.key()]->setText(it.value());
        form->txtPassWord->setText(typedPassword);
        form->cmdModify->click();

        QCOMPARE(dialogs.messages, messages);
        QCOMPARE(boxTexts(*form), shown);
        QCOMPARE(data.ParameterSet, sampleParameterSet());
        QVERIFY(!data.UploadRequested);
        QVERIFY(form->isVisible());

        // Cancel after a failed Modify prepares nothing either.
        form->cmdCancel->click();
        QVERIFY(!form->isVisible());
        QCOMPARE(form->result(), int(QDialog::Rejected));
        QVERIFY(!data.UploadRequested);
        QCOMPARE(data.ParameterSet, sampleParameterSet());
    }

    // A fail code without an item shows an empty list, and is not sent back
    // until the operator chooses an action.
    void failCodeWithoutItem()
    {
        data.ParameterSet.SPFail = 5;
        open();
        QCOMPARE(form->cmbSPFail->currentIndex(), -1);
        QCOMPARE(form->cmbSPFail->currentText(), QString());
        QCOMPARE(form->cmbPVFail->currentIndex(), 2);

        form->cmdModify->click();
        QCOMPARE(dialogs.messages,
                 (QList<ShownMessage>{{QStringLiteral("Choose the action on SP Fail before modifying"),
                                       QStringLiteral("Fail Conditions"), MessageIcon::Exclamation}}));
        QVERIFY(!data.UploadRequested);
        QCOMPARE(data.ParameterSet.SPFail, uint8_t(5));
        QVERIFY(form->isVisible());

        form->cmbSPFail->setCurrentIndex(1);
        form->cmdModify->click();
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(data.UploadRequested);
        QCOMPARE(data.ParameterSet.SPFail, uint8_t(1));
    }

    void saveWritesTheFileAndLoadReadsItBack()
    {
        open();
        const QString file = path("pump.par");
        save(file);
        const QByteArray bytes = fileContents(file);
        QVERIFY(bytes.startsWith("\"{'ModelNo': 'DMK--0042', 'SerialNo': 'S123', 'VersionNo': 'V4.1', 'SPZero': '300', "));
        QVERIFY(bytes.endsWith("'PressureLow': '20', 'PressurePumpOn': '40', 'PressurePumpOff': '80'}\"\r\n"));
        QVERIFY(bytes.contains("'CoarseControlUp': '15'"));
        QCOMPARE(bytes.count('\n'), 1);
        QCOMPARE(form->FileText, QString::fromLatin1(bytes.mid(1, bytes.size() - 4)));

        // Same opening: edits are replaced by the file's values.
        for (QLineEdit *box : form->txtPara)
            box->setText(QStringLiteral("7"));
        form->txtPassWord->clear();
        form->cmbSPFail->setCurrentIndex(0);
        load(file);
        QCOMPARE(boxTexts(*form).mid(0, 7), (QStringList{"1.5", "1.6", "0.5", "0.6", "25.0", "2.0", "25"}));
        QCOMPARE(boxTexts(*form).mid(7), QStringList(5, QStringLiteral("7"))); // not read by Load
        QCOMPARE(form->cmbSPFail->currentIndex(), 1);
        QCOMPARE(form->txtPassWord->text(), QStringLiteral("0429"));

        // A later opening, on a controller holding other values.
        form.reset();
        data.ParameterSet = ParameterSet();
        open();
        load(file);
        QCOMPARE(boxTexts(*form).mid(0, 7), (QStringList{"1.5", "1.6", "0.5", "0.6", "25.0", "2.0", "25"}));
        QCOMPARE(form->cmbSPFail->currentIndex(), 1);
        QCOMPARE(form->cmbPVFail->currentIndex(), 2);
        QCOMPARE(form->txtPassWord->text(), QStringLiteral("0429"));
        QVERIFY(form->cmdUpdate->isEnabled());
        QCOMPARE(data.ParameterSet, ParameterSet()); // Load changes only the window
        QVERIFY(dialogs.messages.isEmpty());
    }

    // A save that fails says why and offers the dialog again; a cancel ends it.
    void failedSaveIsReportedAndAskedAgain_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("a directory") << QString();
        QTest::newRow("missing folder") << QStringLiteral("missing/dir/p.par");
        QTest::newRow("under a file") << QStringLiteral("plain/p.par");
        QTest::newRow("in /proc") << QStringLiteral("/proc/velmora.par");
    }
    void failedSaveIsReportedAndAskedAgain()
    {
        QFETCH(QString, target);
        writeFile(path("plain"), "x");
        const QString bad = target.isEmpty() ? dir->path() : target.startsWith(u'/') ? target : dir->filePath(target);
        open();
        form->cmdSave->click(); // cancelled: nothing said
        QVERIFY(dialogs.messages.isEmpty());

        dialogs.saveAnswers.enqueue(bad);
        dialogs.saveAnswers.enqueue(path("good.par"));
        form->cmdSave->click();
        QCOMPARE(dialogs.saveDialogsShown, 3);
        QCOMPARE(dialogs.messages.size(), 1);
        const ShownMessage shown = dialogs.messages.first();
        QCOMPARE(shown.title, QStringLiteral("Settings"));
        QCOMPARE(shown.icon, MessageIcon::Exclamation);
        QVERIFY2(shown.text.contains(bad), qPrintable(shown.text));
        QVERIFY2(shown.text.split(u'\n').value(1).size() > 3, qPrintable(shown.text)); // the system's reason
        QVERIFY(fileContents(path("good.par")).startsWith("\"{'ModelNo'"));
        QVERIFY(form->isVisible());
    }

    // Identity texts with quotes read back exactly, so the model still matches.
    void identityWithQuotesReadsBack()
    {
        data.ModelNo = QStringLiteral("D'M\"K-\\42");
        open();
        save(path("q.par"));
        form.reset();
        open();
        load(path("q.par"));
        QCOMPARE(form->FileValues.value(QStringLiteral("ModelNo")), data.ModelNo);
        QVERIFY(form->cmdUpdate->isEnabled());
        QCOMPARE(form->txtPassWord->text(), QStringLiteral("0429"));
    }

    // Files that cannot be loaded are named with the reason and change nothing.
    void loadFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("shown"); // empty: refused
        QTest::addColumn<int>("spFail");
        QTest::addColumn<QString>("typedPassword");
        QTest::addColumn<bool>("uploadEnabled");

        const QStringList refused;
        QTest::newRow("no surrounding quotes: only up to the first comma")
            << QByteArray("{'ModelNo': 'DMK--0042', 'CoarseControlUp': '15'}\r\n") << refused << 0 << "" << false;
        QTest::newRow("bare numbers")
            << QByteArray("\"{'ModelNo': 'DMK--0042', 'CoarseControlUp': 15, 'CoarseControlDn': 200, "
                          "'FineControlUp': 1, 'FineControlDn': 100, 'OilLevelAlarm': 1000, "
                          "'AlarmHysteresis': 900, 'PulseDelay': 175, 'SPFail': 2, 'PVFail': 0, 'pswd': '1111'}\"\r\n")
            << QStringList{"1.5", "20.0", "0.1", "10.0", "100.0", "90.0", "175"} << 2 << "1111" << true;
        QTest::newRow("extra blanks and line breaks")
            << QByteArray("  \"{ 'ModelNo' :'DMK--0042' ,\r\n 'PulseDelay':  '30' ,'pswd':'2222' }\"")
            << QStringList{"0.0", "0.0", "0.0", "0.0", "0.0", "0.0", "30"} << 0 << "2222" << true;
        QTest::newRow("double-quoted keys cut the item") << QByteArray("\"{\"ModelNo\": \"DMK--0042\"}\"")
                                                         << refused << 0 << "" << false;
        QTest::newRow("truncated") << QByteArray("\"{'ModelNo': 'DMK--0042', 'PulseDelay': '30'") << refused << 0
                                   << "" << false;
        QTest::newRow("other model") << QByteArray("\"{'ModelNo': 'DMK--0043', 'PulseDelay': '30'}\"")
                                     << QStringList{"0.0", "0.0", "0.0", "0.0", "0.0", "0.0", "30"} << 0 << "" << false;
        QTest::newRow("no setting at all") << QByteArray("\"{'ModelNo': 'DMK--0042'}\"") << refused << 0 << "" << false;
        QTest::newRow("fail code with no item") << QByteArray("\"{'PulseDelay': '30', 'SPFail': '3'}\"") << refused
                                                << 0 << "" << false;
        QTest::newRow("empty file") << QByteArray() << refused << 0 << "" << false;
        QTest::newRow("a megabyte") << QByteArray("\"{'ModelNo': 'DMK--0042', 'x': '" + QByteArray(1 << 20, 'x') + "'}\"")
                                    << refused << 0 << "" << false;
        QTest::newRow("deep nesting")
            << QByteArray("\"{'ModelNo': 'DMK--0042', 'x': " + QByteArray(5000, '[') + QByteArray(5000, ']') + "}\"")
            << refused << 0 << "" << false;
        QTest::newRow("script code") << QByteArray("\"{'ModelNo': (function(){ return 'DMK--0042'; })()}\"") << refused
                                     << 0 << "" << false;
    }
    void loadFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, shown);
        QFETCH(int, spFail);
        QFETCH(QString, typedPassword);
        QFETCH(bool, uploadEnabled);
        writeFile(path("f.par"), bytes);
        open();
        form->txtPassWord->setText(QStringLiteral("9876")); // typed, not yet stored
        const QStringList before = boxTexts(*form);
        const int spFailBefore = form->cmbSPFail->currentIndex();
        load(path("f.par"));
        QCOMPARE(boxTexts(*form).mid(7), before.mid(7)); // never read by Load
        QCOMPARE(form->cmdUpdate->isEnabled(), uploadEnabled);
        if (shown.isEmpty()) {
            QCOMPARE(boxTexts(*form), before);
            QCOMPARE(form->cmbSPFail->currentIndex(), spFailBefore);
            QCOMPARE(form->txtPassWord->text(), QStringLiteral("9876"));
            QCOMPARE(dialogs.messages.size(), 1);
            const ShownMessage message = dialogs.messages.first();
            QCOMPARE(message.title, QStringLiteral("Settings"));
            QCOMPARE(message.icon, MessageIcon::Exclamation);
            QVERIFY2(message.text.startsWith(QLatin1Char('"') + path("f.par") + QLatin1Char('"')), qPrintable(message.text));
            QVERIFY2(message.text.split(u'\n').value(1).size() > 3, qPrintable(message.text));
            return;
        }
        QCOMPARE(boxTexts(*form).mid(0, 7), shown);
        QCOMPARE(form->cmbSPFail->currentIndex(), spFail);
        QCOMPARE(form->txtPassWord->text(), typedPassword);
        QVERIFY(dialogs.messages.isEmpty());
    }

    // A refused file after a good one keeps the good one's values for Upload.
    void refusedLoadKeepsTheLastGoodFile()
    {
        open();
        save(path("good.par"));
        writeFile(path("bad.par"), "not a parameter file\r\n");
        load(path("good.par"));
        QVERIFY(form->cmdUpdate->isEnabled());
        const params::FileValueTexts good = form->FileValues;
        load(path("bad.par"));
        load(path("missing.par"));
        QCOMPARE(dialogs.messages.size(), 2);
        QVERIFY(dialogs.messages[1].text.contains(QStringLiteral("No such file")));
        QVERIFY(form->cmdUpdate->isEnabled());
        QCOMPARE(form->FileValues, good);
    }

    void loadBareNumbersComeBackAsDecimalText()
    {
        writeFile(path("n.par"), "\"{'ModelNo': 'DMK--0042', 'SPZero': 300, 'SPSpan': 1.50, 'PVZero': -0, 'PulseDelay': 30}\"");
        open();
        load(path("n.par"));
        QCOMPARE(form->FileValues.value(QStringLiteral("SPZero")), QStringLiteral("300"));
        QCOMPARE(form->FileValues.value(QStringLiteral("SPSpan")), QStringLiteral("1.5"));
        QCOMPARE(form->FileValues.value(QStringLiteral("PVZero")), QStringLiteral("0"));
        QCOMPARE(form->FileValues.value(QStringLiteral("LVZero")), QString());
    }

    // Upload belongs to the last file read: enabled only while that file's model matches.
    void uploadFollowsTheModelOfTheLastFile()
    {
        writeFile(path("match.par"), "\"{'ModelNo': 'DMK--0042', 'pswd': '1234'}\"");
        writeFile(path("other.par"), "\"{'ModelNo': 'XYZ--0001', 'pswd': '1234'}\"");
        writeFile(path("bad item.par"), "\"{'ModelNo': 'DMK--0042', 'SPFail': '7', 'pswd': '9999'}\"");
        open();
        load(path("other.par"));
        QVERIFY(!form->cmdUpdate->isEnabled());
        load(path("match.par"));
        QVERIFY(form->cmdUpdate->isEnabled());
        form->cmdLoad->click(); // cancelled: nothing read, nothing changes
        load(path("missing.par"));
        QVERIFY(form->cmdUpdate->isEnabled());
        load(path("other.par"));
        QVERIFY(!form->cmdUpdate->isEnabled());
        load(path("match.par"));
        QVERIFY(form->cmdUpdate->isEnabled());

        // No item 7: the file is refused whole; Upload stays with the last good file.
        form->cmbSPFail->setCurrentIndex(2);
        load(path("bad item.par"));
        QCOMPARE(form->cmbSPFail->currentIndex(), 2);
        QCOMPARE(form->txtPassWord->text(), QStringLiteral("1234"));
        QVERIFY(form->cmdUpdate->isEnabled());
        QCOMPARE(form->FileValues.value(QStringLiteral("pswd")), QStringLiteral("1234"));
        QCOMPARE(dialogs.messages.size(), 2); // the missing file and the bad item
        QVERIFY2(dialogs.messages[1].text.endsWith(QStringLiteral("Its SPFail value \"7\" is not a fail condition.")),
                 qPrintable(dialogs.messages[1].text));
    }

    void uploadSendsTheFileValuesNotTheBoxes()
    {
        writeFile(path("u.par"), "\"{'ModelNo': 'DMK--0042', 'SPZero': '301', 'SPSpan': '3801', 'PVZero': '311', "
                                 "'PVSpan': '3791', 'LVZero': '6', 'LVSpan': '4001', 'CoarseControlUp': '15', "
                                 "'CoarseControlDn': '17', 'FineControlUp': '7', 'FineControlDn': '8', "
                                 "'OilLevelAlarm': '251', 'AlarmHysteresis': '21', 'PulseDelay': '26', "
                                 "'SPFail': '0', 'PVFail': '1', 'pswd': '9876', 'CoutZero': '999'}\"");
        data.ParameterSet.CoarseControlUp = 40;
        open();
        load(path("u.par"));
        form->txtPara[0]->setText(QStringLiteral("9.9"));
        form->txtPassWord->setText(QStringLiteral("0000"));
        form->cmdUpdate->click();

        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(!form->isVisible());
        QVERIFY(data.UploadRequested);
        ParameterSet expected = sampleParameterSet();
        expected.SPZero = 301; expected.SPSpan = 3801; expected.PVZero = 311; expected.PVSpan = 3791;
        expected.LVZero = 6; expected.LVSpan = 4001; expected.CoarseControlUp = 15; expected.CoarseControlDn = 17;
        expected.FineControlUp = 7; expected.FineControlDn = 8; expected.OilLevelAlarm = 251;
        expected.AlarmHysteresis = 21; expected.PulseDelay = 26; expected.SPFail = 0; expected.PVFail = 1;
        expected.pswd = {9, 8, 7, 6};
        QCOMPARE(data.ParameterSet, expected); // CoutZero and the rest as the controller reported them
        QCOMPARE(data.PendingUpload, params::BuildParameterUpload(expected, true));
        QCOMPARE(data.PendingUpload.left(3 + 2 * 14), QStringLiteral("*P22D01D90E3701CF0E0600A10F0F00"));
    }

    void uploadRefusesValuesThatDoNotFit_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("named");
        QTest::newRow("word above 32767")
            << QByteArray("\"{'ModelNo': 'DMK--0042', 'CoarseControlUp': 40000, 'pswd': '1234'}\"") << "CoarseControlUp";
        QTest::newRow("three-digit password") << QByteArray("\"{'ModelNo': 'DMK--0042', 'pswd': '123'}\"") << "pswd";
        QTest::newRow("password of letters") << QByteArray("\"{'ModelNo': 'DMK--0042', 'pswd': 'abcd'}\"") << "pswd";
    }
    void uploadRefusesValuesThatDoNotFit()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, named);
        QByteArray complete = bytes;
        // Every other key Upload reads, with a value that fits.
        for (const char *key : params::LoadKeys) {
            if (!complete.contains(QByteArray("'") + key + "'"))
                complete.replace("{", QByteArray("{'") + key + "': '1', ");
        }
        writeFile(path("bad.par"), complete);
        open();
        load(path("bad.par"));
        QVERIFY(form->cmdUpdate->isEnabled());
        form->cmdUpdate->click();

        QCOMPARE(dialogs.messages.size(), 1);
        const ShownMessage shown = dialogs.messages.first();
        QCOMPARE(shown.title, QStringLiteral("Settings"));
        QCOMPARE(shown.icon, MessageIcon::Exclamation);
        QVERIFY2(shown.text.contains(named), qPrintable(shown.text));
        QVERIFY(shown.text.contains(QStringLiteral("Nothing was sent")));
        QCOMPARE(data.ParameterSet, sampleParameterSet());
        QVERIFY(!data.UploadRequested);
        QVERIFY(form->isVisible());
    }

    void jsonGet()
    {
        open();
        const QString text = QStringLiteral("{'a': '1', 'b': {'c': 2.50}, \"d\": [1]}");
        QCOMPARE(form->JsonGet(QStringLiteral("a"), text, QStringLiteral(".")), QStringLiteral("1"));
        QCOMPARE(form->JsonGet(QStringLiteral("b.c"), text, QStringLiteral(".")), QStringLiteral("2.5"));
        QCOMPARE(form->JsonGet(QStringLiteral("b"), text, QStringLiteral(".")), QString());
        QCOMPARE(form->JsonGet(QStringLiteral("a.x"), text, QStringLiteral(".")), QString());
        QCOMPARE(form->JsonGet(QStringLiteral("d"), text, QStringLiteral(".")), QString());
        QCOMPARE(form->JsonGet(QStringLiteral("zz"), text, QStringLiteral(".")), QString());
        QCOMPARE(form->JsonGet(QStringLiteral("  "), text, QStringLiteral(".")), QString());
        QCOMPARE(form->JsonGet(QStringLiteral("a"), QStringLiteral(" "), QStringLiteral(".")), QString());
        QCOMPARE(form->JsonGet(QStringLiteral("a"), QStringLiteral("{'a': 1"), QStringLiteral(".")), QString());
        QCOMPARE(form->LastJsonText, QStringLiteral("{'a': 1"));
        QVERIFY(!form->ParsedFile);
        QCOMPARE(form->JsonGet(QStringLiteral("a"), text, QStringLiteral(".")), QStringLiteral("1"));
        QVERIFY(form->ScriptHost);
        QVERIFY(form->ParsedFile);
        QCOMPARE(form->LastJsonText, text);
    }

    // However the window closes, the reading objects go with it.
    void closingReleasesTheFileReading_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel") << "cancel";
        QTest::newRow("close box") << "close";
        QTest::newRow("Modify") << "modify";
    }
    void closingReleasesTheFileReading()
    {
        QFETCH(QString, how);
        QVERIFY(params::WriteParameterFile(path("r.par"), params::BuildFileText(sampleParameterSet(), {Model, {}, {}})));
        open();
        load(path("r.par"));
        QVERIFY(form->ScriptHost);
        QVERIFY(form->ParsedFile);
        QVERIFY(!form->LastJsonText.isEmpty());
        QVERIFY(!form->FileValues.isEmpty());

        if (how == QLatin1String("cancel"))
            form->cmdCancel->click();
        else if (how == QLatin1String("close"))
            form->close();
        else
            form->cmdModify->click();
        QVERIFY(!form->isVisible());
        QVERIFY(!form->ScriptHost);
        QVERIFY(!form->ParsedFile);
        QVERIFY(form->LastJsonText.isEmpty());
        QVERIFY(form->FileValues.isEmpty());
    }
};

QTEST_MAIN(tst_FrmParameters)
#include "tst_frm_parameters.moc"
