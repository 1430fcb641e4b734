// The layout of the parameter-list window: the frame "Settings" with the
// seven settings and the password in two columns, "Fail Conditions" at the
// top right, "Pressure Parameters" at the bottom left, the level and pressure
// switch options beside it; the five buttons in a row below.
#include "params/ParameterFields.h"
#include "params/frmParameters.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QPushButton *button(const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setAccessibleName(caption);
    b->setMinimumWidth(84);
    return b;
}

QLineEdit *box(const QString &accessibleName, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setAccessibleName(accessibleName);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(90);
    return edit;
}

// The label's caption without its trailing colon, as a screen reader speaks it.
QString spoken(const QString &caption)
{
    QString name = caption;
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

QLabel *labelFor(const QString &caption, QWidget *buddy, QWidget *parent)
{
    auto *l = new QLabel(caption, parent);
    l->setBuddy(buddy);
    return l;
}

QComboBox *failList(const QString &accessibleName, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setAccessibleName(accessibleName);
    return list;
}

} // namespace

void frmParameters::buildLayout()
{
    setWindowTitle(QStringLiteral("Parameter List"));

    Frame1 = new QGroupBox(QStringLiteral("Settings"), this);

    // --- the seven settings and the password: Up left, Down right ---
    auto *settings = new QGridLayout;
    for (int i = 0; i < params::SettingBoxCount; ++i) {
        const QString caption = QLatin1String(ParameterFields[i].label);
        txtPara[i] = box(spoken(caption), Frame1);
        Label1[i] = labelFor(caption, txtPara[i], Frame1);
    }
    txtPassWord = box(QStringLiteral("Password"), Frame1);
    txtPassWord->setMaxLength(32);
    Label1[7] = labelFor(QStringLiteral("Password:"), txtPassWord, Frame1);
    const int rowOf[params::SettingBoxCount] = {0, 0, 1, 1, 2, 2, 3};
    for (int i = 0; i < params::SettingBoxCount; ++i) {
        const int column = (i < 6 && i % 2 == 1) ? 2 : 0;
        settings->addWidget(Label1[i], rowOf[i], column);
        settings->addWidget(txtPara[i], rowOf[i], column + 1);
    }
    settings->addWidget(Label1[7], 4, 0);
    settings->addWidget(txtPassWord, 4, 1);
    settings->setHorizontalSpacing(14);

    // --- fail conditions ---
    Frame2 = new QGroupBox(QStringLiteral("Fail Conditions"), Frame1);
    cmbSPFail = failList(QStringLiteral("SP Fail"), Frame2);
    cmbPVFail = failList(QStringLiteral("PV Fail"), Frame2);
    Label1[8] = labelFor(QStringLiteral("SP Fail:"), cmbSPFail, Frame2);
    Label1[9] = labelFor(QStringLiteral("PV Fail:"), cmbPVFail, Frame2);
    auto *fail = new QGridLayout(Frame2);
    fail->addWidget(Label1[8], 0, 0);
    fail->addWidget(cmbSPFail, 0, 1);
    fail->addWidget(Label1[9], 1, 0);
    fail->addWidget(cmbPVFail, 1, 1);
    fail->setRowStretch(2, 1);

    // --- pressure parameters ---
    Frame4 = new QGroupBox(QStringLiteral("Pressure Parameters"), Frame1);
    for (int i = params::SettingBoxCount; i < params::BoxCount; ++i)
        txtPara[i] = box(spoken(QLatin1String(ParameterFields[i].label)), Frame4);
    const auto pressureLabel = [&](int i) {
        return labelFor(QLatin1String(ParameterFields[i].label), txtPara[i], Frame4);
    };
    Label2 = pressureLabel(7);
    Label3 = pressureLabel(8);
    Label4 = pressureLabel(9);
    Label5 = pressureLabel(10);
    Label6 = pressureLabel(11);
    auto *pressure = new QGridLayout(Frame4);
    int row = 0;
    for (QLabel *l : {Label2, Label3, Label4, Label5, Label6}) {
        pressure->addWidget(l, row, 0);
        pressure->addWidget(txtPara[params::SettingBoxCount + row], row, 1);
        ++row;
    }

    // --- switch options: one group each ---
    Frame3 = new QGroupBox(QStringLiteral("Level Switch Option"), Frame1);
    optLS = new QRadioButton(QStringLiteral("Level Switch"), Frame3);
    optLT = new QRadioButton(QStringLiteral("Level Transmitter"), Frame3);
    optLT->setChecked(true);
    auto *level = new QVBoxLayout(Frame3);
    level->addWidget(optLS);
    level->addWidget(optLT);

    Frame5 = new QGroupBox(QStringLiteral("Pressure Switch Option"), Frame1);
    optPS = new QRadioButton(QStringLiteral("Pressure Switch"), Frame5);
    optPT = new QRadioButton(QStringLiteral("Pressure Transmitter"), Frame5);
    optPT->setChecked(true);
    auto *pressureSwitch = new QVBoxLayout(Frame5);
    pressureSwitch->addWidget(optPS);
    pressureSwitch->addWidget(optPT);

    auto *options = new QVBoxLayout;
    options->addWidget(Frame3);
    options->addWidget(Frame5);
    options->addStretch();

    auto *frame = new QGridLayout(Frame1);
    frame->addLayout(settings, 0, 0, 1, 2);
    frame->addWidget(Frame2, 0, 2);
    frame->addWidget(Frame4, 1, 0);
    frame->addLayout(options, 1, 1);
    frame->setColumnStretch(2, 1);

    // --- the buttons below the frame ---
    cmdUpdate = button(QStringLiteral("Upload"), this);
    cmdLoad = button(QStringLiteral("Load"), this);
    cmdSave = button(QStringLiteral("Save"), this);
    cmdModify = button(QStringLiteral("Modify"), this);
    cmdCancel = button(QStringLiteral("Cancel"), this);
    cmdUpdate->setEnabled(false);
    // Enter in a box applies the edits; on a focused button it presses that one.
    cmdModify->setDefault(true);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdUpdate, cmdLoad, cmdSave, cmdModify, cmdCancel})
        buttons->addWidget(b);

    auto *window = new QVBoxLayout(this);
    window->addWidget(Frame1);
    window->addLayout(buttons);

    // Keyboard order follows the boxes' order, then the lists, options and buttons.
    QList<QWidget *> order;
    for (int i = 0; i < params::SettingBoxCount; ++i)
        order << txtPara[i];
    order << txtPassWord << cmbSPFail << cmbPVFail;
    for (int i = params::SettingBoxCount; i < params::BoxCount; ++i)
        order << txtPara[i];
    order << optLS << optLT << optPS << optPT << cmdUpdate << cmdLoad << cmdSave << cmdModify << cmdCancel;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}
