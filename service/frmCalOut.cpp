#include "service/frmCalOut.h"

#include "app/modMain.h"
#include "link/SerialLink.h"
#include "service/DeviceAnswer.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QPushButton *button(const QString &caption, const QString &accessibleName, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setAccessibleName(accessibleName);
    // Enter must never store a point by itself.
    b->setAutoDefault(false);
    return b;
}

const char *const StoreCaptions[service::OutputPoints] = {
    "0% = 4mA", "25% = 8mA", "50% = 12mA", "75% = 16mA", "100% = 20mA"};

} // namespace

frmCalOut::frmCalOut(SerialLink &link, const modMain &data, Dialogs &cdia, QWidget *owner)
    : QDialog(owner), m_link(link), m_data(data), m_cdia(cdia)
{
    buildLayout();
    // Without the controller there is nothing to calibrate; the window goes
    // without the closing "%Q+", which could not be sent.
    connect(&link, &SerialLink::stateChanged, this, [this](SerialLink::State state) {
        if (state != SerialLink::State::Connected)
            reject();
    });
    connect(cmdUp, &QPushButton::clicked, this, &frmCalOut::cmdUp_Click);
    connect(cmdDown, &QPushButton::clicked, this, &frmCalOut::cmdDown_Click);
    for (int i = 0; i < service::OutputPoints; ++i)
        connect(cmdSetOut[i], &QPushButton::clicked, this, [this, i] { cmdSetOut_Click(i); });
    connect(cmdExit, &QPushButton::clicked, this, &frmCalOut::cmdExit_Click);
    Form_Load();
}

void frmCalOut::buildLayout()
{
    setWindowTitle(QStringLiteral("Calibrate Output"));

    Frame1 = new QGroupBox(QStringLiteral("Set Ouput"), this);
    cmdUp = button(QStringLiteral("\u25B2"), QStringLiteral("Output up"), Frame1);
    cmdDown = button(QStringLiteral("\u25BC"), QStringLiteral("Output down"), Frame1);
    optCoarse = new QRadioButton(QStringLiteral("Coarse"), Frame1);
    optFine = new QRadioButton(QStringLiteral("Fine"), Frame1);
    optMinute = new QRadioButton(QStringLiteral("Minute"), Frame1);
    optCoarse->setChecked(true);
    txtValue = new QLineEdit(Frame1);
    txtValue->setReadOnly(true);
    txtValue->setAlignment(Qt::AlignCenter);
    txtValue->setAccessibleName(QStringLiteral("Output value"));
    auto *arrows = new QHBoxLayout;
    arrows->addWidget(cmdUp);
    arrows->addWidget(cmdDown);
    auto *set = new QVBoxLayout(Frame1);
    set->addLayout(arrows);
    set->addWidget(optCoarse);
    set->addWidget(optFine);
    set->addWidget(optMinute);
    set->addStretch();
    set->addWidget(txtValue);

    Frame2 = new QGroupBox(QStringLiteral("Save Values"), this);
    auto *save = new QVBoxLayout(Frame2);
    for (int i = 0; i < service::OutputPoints; ++i) {
        const QString caption = QString::fromLatin1(StoreCaptions[i]);
        cmdSetOut[i] = button(caption, caption, Frame2);
        save->addWidget(cmdSetOut[i]);
    }

    cmdExit = button(QStringLiteral("Exit"), QStringLiteral("Exit"), this);

    auto *frames = new QHBoxLayout;
    frames->addWidget(Frame1, 1);
    frames->addWidget(Frame2, 1);
    auto *exitRow = new QHBoxLayout;
    exitRow->addStretch();
    exitRow->addWidget(cmdExit);
    exitRow->addStretch();
    auto *window = new QVBoxLayout(this);
    window->addLayout(frames);
    window->addLayout(exitRow);
}

void frmCalOut::Form_Load()
{
    // Every opening starts afresh at the signal's start value; nothing is sent.
    m_signal = &service::outputSignal(m_data.FeedbackMode);
    OutputValue = m_signal->start;
    txtValue->setText(QString::number(OutputValue));
    setWindowTitle(QString::fromLatin1(m_signal->caption));
}

void frmCalOut::ShowModal()
{
    setWindowModality(Qt::ApplicationModal);
    exec();
}

int frmCalOut::stepSize() const
{
    if (optCoarse->isChecked())
        return int(service::OutputStep::Coarse);
    if (optFine->isChecked())
        return int(service::OutputStep::Fine);
    return int(service::OutputStep::Minute);
}

void frmCalOut::stepOutput(int direction)
{
    // The controller answers set commands too; one written while a store
    // command waits would have its answer taken for the store's.
    if (m_link.isWaiting())
        return;
    OutputValue = service::steppedOutput(*m_signal, OutputValue, direction * stepSize());
    txtValue->setText(QString::number(OutputValue));
    m_link.write(service::outputSetCommand(*m_signal, OutputValue));
}

void frmCalOut::cmdUp_Click()
{
    stepOutput(+1);
}

void frmCalOut::cmdDown_Click()
{
    stepOutput(-1);
}

void frmCalOut::cmdSetOut_Click(int index)
{
    if (m_link.isWaiting())
        return;
    if (!m_link.SendAndWait(service::outputStoreCommand(*m_signal, index, OutputValue), service::AnswerWaitMs))
        return;
    service::reportAnswer(m_cdia, m_link.ReplyOk, m_link.ReplyFail, service::CalibrationAnswer);
}

void frmCalOut::cmdExit_Click()
{
    close();
}
