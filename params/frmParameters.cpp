// The parameter-list window: opening, Modify and Cancel. The parameter-file
// buttons are in frmParameters_file.cpp.
#include "params/frmParameters.h"

#include "app/modMain.h"
#include "params/ParameterChecks.h"
#include "params/ParameterFields.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QStringList FailActions{QStringLiteral("Stay Put"), QStringLiteral("Up Valve ON"),
                              QStringLiteral("Down Valve ON")};

// The item of a stored fail code; a code with no item leaves the list empty.
int failItem(uint8_t code)
{
    return code < FailCodeCount ? code : -1;
}

} // namespace

frmParameters::frmParameters(modMain &data, Dialogs &cdia, QWidget *parent) : QDialog(parent), data(data), cdia(cdia)
{
    buildLayout();
    connectHandlers();
    // Message boxes and file dialogs belong to this window while it is open.
    m_previousDialogOwner = cdia.owner();
    cdia.setOwner(this);
    Form_Load();
}

frmParameters::~frmParameters()
{
    if (cdia.owner() == this)
        cdia.setOwner(m_previousDialogOwner);
}

void frmParameters::connectHandlers()
{
    connect(cmdUpdate, &QPushButton::clicked, this, &frmParameters::cmdUpdate_Click);
    connect(cmdLoad, &QPushButton::clicked, this, &frmParameters::cmdLoad_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmParameters::cmdSave_Click);
    connect(cmdModify, &QPushButton::clicked, this, &frmParameters::cmdModify_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmParameters::cmdCancel_Click);
}

void frmParameters::Form_Load()
{
    const ParameterSet &p = data.ParameterSet;
    cmbSPFail->addItems(FailActions);
    cmbPVFail->addItems(FailActions);
    for (int i = 0; i < params::SettingBoxCount; ++i)
        txtPara[i]->setText(params::ShownText(ParameterFields[i], p.*ParameterFields[i].field));
    cmbSPFail->setCurrentIndex(failItem(p.SPFail));
    cmbPVFail->setCurrentIndex(failItem(p.PVFail));
    txtPassWord->setText(params::PasswordText(p.pswd));
    for (int i = 0; i < params::BoxCount; ++i) {
        ParaMin[i] = ParameterFields[i].min;
        ParaMax[i] = ParameterFields[i].max;
    }
    if (p.LevelSwOpt == 1)
        optLS->setChecked(true);
    for (int i = params::SettingBoxCount; i < params::BoxCount; ++i)
        txtPara[i]->setText(params::ShownText(ParameterFields[i], p.*ParameterFields[i].field));
    if (p.PressureSwOpt == 1)
        optPS->setChecked(true);
}

void frmParameters::cmdModify_Click()
{
    bool failed = false;

    // Every box is checked and rewritten, each problem gets its own message.
    for (int i = 0; i < params::BoxCount; ++i) {
        const params::TypedValue typed = params::ReadTypedValue(ParameterFields[i], txtPara[i]->text());
        txtPara[i]->setText(typed.normalized);
        if (!typed.fits16 || typed.stored > ParaMax[i] || typed.stored < ParaMin[i]) {
            cdia.messageBox(QStringLiteral("Parameter Out of Range"), QLatin1String(ParameterFields[i].label),
                            MessageIcon::Exclamation);
            failed = true;
        } else {
            ParaValue[i] = typed.stored;
        }
    }

    for (const QString &problem : params::PasswordProblems(txtPassWord->text())) {
        cdia.messageBox(problem, params::PasswordTitle, MessageIcon::Exclamation);
        failed = true;
    }

    // A fail code the controller sent without an item to show stays unchosen
    // until the operator picks one; it is never sent as it stands.
    for (const auto &[list, caption] : {std::pair{cmbSPFail, "SP Fail"}, std::pair{cmbPVFail, "PV Fail"}}) {
        if (list->currentIndex() < 0 || list->currentIndex() >= FailCodeCount) {
            cdia.messageBox(QStringLiteral("Choose the action on %1 before modifying").arg(QLatin1String(caption)),
                            QStringLiteral("Fail Conditions"), MessageIcon::Exclamation);
            failed = true;
        }
    }

    if (failed)
        return;

    ParameterSet &p = data.ParameterSet;
    for (int i = 0; i < params::BoxCount; ++i)
        p.*ParameterFields[i].field = ParaValue[i];
    p.SPFail = uint8_t(cmbSPFail->currentIndex());
    p.PVFail = uint8_t(cmbPVFail->currentIndex());
    const QString password = txtPassWord->text();
    for (int i = 0; i < params::PasswordLength; ++i)
        p.pswd[size_t(i)] = uint8_t(password[i].unicode() - u'0');
    p.LevelSwOpt = optLS->isChecked() ? 1 : 0;
    p.PressureSwOpt = optPS->isChecked() ? 1 : 0;

    data.PendingUpload = params::BuildParameterUpload(p, false);
    data.UploadRequested = true;
    accept();
}

void frmParameters::cmdCancel_Click()
{
    reject();
}

void frmParameters::done(int result)
{
    releaseFileReading();
    QDialog::done(result);
}

void frmParameters::releaseFileReading()
{
    ScriptHost.reset();
    ParsedFile.reset();
    LastJsonText.clear();
    FileValues.clear();
}
