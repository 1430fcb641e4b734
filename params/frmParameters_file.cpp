// The parameter file in the parameter-list window: Save, Load, Upload and the
// key reader JsonGet. A file that cannot be written or loaded is reported
// with its name and the reason.
#include "params/frmParameters.h"

#include "app/modMain.h"
#include "params/ParameterFile.h"
#include "platform/Dialogs.h"
#include "platform/Numbers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString wholeText(double value)
{
    const double rounded = num::roundHalfEven(value);
    return rounded == 0 ? QStringLiteral("0") : QString::number(rounded, 'f', 0);
}

} // namespace

void frmParameters::cmdSave_Click()
{
    FileText = params::BuildFileText(data.ParameterSet, {data.ModelNo, data.SerialNo, data.VersionNo});
    for (;;) {
        const std::optional<QString> name = cdia.saveFileName();
        if (!name || name->isEmpty())
            return;
        QString reason;
        if (params::WriteParameterFile(*name, FileText, &reason))
            return;
        cdia.messageBox(QStringLiteral("The parameters could not be saved as \"%1\".\n%2\nChoose another name or folder.")
                            .arg(*name, reason),
                        QStringLiteral("Settings"), MessageIcon::Exclamation);
    }
}

void frmParameters::cmdLoad_Click()
{
    const std::optional<QString> name = cdia.openFileName();
    if (!name || name->isEmpty())
        return;
    // Everything is checked before anything is shown: a file that cannot be
    // loaded leaves the boxes, the password and Upload as they were.
    QString reason;
    const std::optional<QString> item = params::ReadParameterFile(*name, &reason);
    params::FileValueTexts values;
    if (item) {
        for (const char *key : params::LoadKeys) {
            const QString k = QLatin1String(key);
            values.insert(k, JsonGet(k, *item, QStringLiteral(".")));
        }
        // JsonGet has evaluated this item, unless it was blank.
        const bool parsed = ParsedFile && LastJsonText == *item;
        reason = params::LoadProblem(parsed ? &*ParsedFile : nullptr);
    }
    if (!reason.isEmpty()) {
        cdia.messageBox(QStringLiteral("\"%1\" cannot be loaded as a parameter file.\n%2").arg(*name, reason),
                        QStringLiteral("Settings"), MessageIcon::Exclamation);
        return;
    }
    FileText = *item;
    FileValues = values;

    // The boxes of the settings the file carries: tenths as "0.0", the rest whole.
    for (const params::FileField &f : params::FileFields) {
        if (!f.loaded || f.box.index < 0)
            continue;
        const double value = num::val(FileValues.value(QLatin1String(f.key)));
        txtPara[size_t(f.box.index)]->setText(f.box.tenths ? num::fixed1(value / 10) : wholeText(value));
    }
    for (const auto &[list, key] : {std::pair{cmbSPFail, params::fieldOf(&ParameterSet::SPFail).key},
                                    std::pair{cmbPVFail, params::fieldOf(&ParameterSet::PVFail).key}})
        list->setCurrentIndex(int(num::roundHalfEven(num::val(FileValues.value(QLatin1String(key))))));
    txtPassWord->setText(FileValues.value(QLatin1String(params::PasswordField.key)));

    // Upload waits for this file's model check.
    cmdUpdate->setEnabled(FileValues.value(QLatin1String(params::ModelField.key)) == data.ModelNo);
}

void frmParameters::cmdUpdate_Click()
{
    // Values that do not fit their field never reach the controller.
    const QStringList misfits = params::ApplyFileValues(FileValues, data.ParameterSet);
    if (!misfits.isEmpty()) {
        cdia.messageBox(QStringLiteral("The parameter file holds values that do not fit the controller: %1. "
                                       "Nothing was sent.")
                            .arg(misfits.join(QStringLiteral(", "))),
                        QStringLiteral("Settings"), MessageIcon::Exclamation);
        return;
    }
    data.PendingUpload = params::BuildParameterUpload(data.ParameterSet, true);
    data.UploadRequested = true;
    accept();
}

QString frmParameters::JsonGet(const QString &eKey, const QString &eJsonString, const QString &eDlim)
{
    if (eKey.trimmed().isEmpty() || eJsonString.trimmed().isEmpty())
        return {};
    if (eJsonString != LastJsonText || !ScriptHost) {
        LastJsonText = eJsonString;
        if (!ScriptHost)
            ScriptHost = std::make_unique<objlit::Evaluator>();
        ParsedFile = ScriptHost->evaluate(QLatin1Char('(') + eJsonString + QLatin1Char(')'));
    }
    if (!ParsedFile)
        return {};

    const QStringList path = eDlim.isEmpty() ? QStringList{eKey} : eKey.split(eDlim);
    const objlit::Value *value = &*ParsedFile;
    for (const QString &part : path) {
        value = value->property(part);
        if (!value)
            return {};
    }
    return value->text().value_or(QString());
}
