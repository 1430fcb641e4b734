#pragma once
// The output calibration window: steps the raw value that drives the Output
// or the Feedback 4-20 mA signal, sending each step at once, and asks the
// controller to store the present value as one of the five points. Modal,
// owned by the main window; it talks to the controller through the link.
#include "service/OutputCalibration.h"

#include <QDialog>
#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;
class Dialogs;
class QRadioButton;
class SerialLink;
struct modMain;

class frmCalOut : public QDialog
{
    Q_OBJECT
public:
    // Runs the load step for the mode the main window chose (FeedbackMode).
    // Closes by itself when the connection is lost.
    frmCalOut(SerialLink &link, const modMain &data, Dialogs &cdia, QWidget *owner);

    // Returns only when the window has closed, however it was closed.
    void ShowModal();

    void Form_Load();
    void cmdUp_Click();
    void cmdDown_Click();
    void cmdSetOut_Click(int index);
    void cmdExit_Click();

    // The raw value last set on the output.
    int16_t OutputValue = 0;

    QGroupBox *Frame1 = nullptr; // "Set Ouput"
    QPushButton *cmdUp = nullptr;
    QPushButton *cmdDown = nullptr;
    QRadioButton *optCoarse = nullptr;
    QRadioButton *optFine = nullptr;
    QRadioButton *optMinute = nullptr;
    QLineEdit *txtValue = nullptr; // display only
    QGroupBox *Frame2 = nullptr; // "Save Values"
    std::array<QPushButton *, service::OutputPoints> cmdSetOut{};
    QPushButton *cmdExit = nullptr;

private:
    void buildLayout();
    void stepOutput(int direction);
    int stepSize() const;

    SerialLink &m_link;
    const modMain &m_data;
    Dialogs &m_cdia;
    const service::OutputSignal *m_signal = nullptr;
};
