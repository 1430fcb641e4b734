#pragma once
// The parameter-list window ("Parameter List"): shows the settable part of
// the controller's parameter block, checks edits and prepares the "*P1"
// upload (Modify), and saves, loads and uploads ("*P2") parameter files.
// It is shown modally by the main window, which sends the prepared upload
// after it has closed.
#include "params/ParameterFile.h"
#include "platform/ObjectLiteral.h"

#include <QDialog>
#include <QPointer>
#include <array>
#include <memory>
#include <optional>

class Dialogs;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct modMain;

class frmParameters : public QDialog
{
    Q_OBJECT
public:
    frmParameters(modMain &data, Dialogs &cdia, QWidget *parent = nullptr);
    ~frmParameters() override;

    // Fills the controls from the parameter set (run when the window is made).
    void Form_Load();
    void cmdModify_Click();
    void cmdCancel_Click();
    void cmdSave_Click();
    void cmdLoad_Click();
    void cmdUpdate_Click();

    // The value of `eKey` (a key, or a path of keys joined by `eDlim`) in the
    // object text `eJsonString`, as text; empty when there is none. The text
    // is read once however many keys are asked of it.
    QString JsonGet(const QString &eKey, const QString &eJsonString, const QString &eDlim);

    // Closing by any way releases the file-reading objects.
    void done(int result) override;

    // --- controls ---
    QGroupBox *Frame1 = nullptr; // "Settings"
    QGroupBox *Frame2 = nullptr; // "Fail Conditions"
    QGroupBox *Frame3 = nullptr; // "Level Switch Option"
    QGroupBox *Frame4 = nullptr; // "Pressure Parameters"
    QGroupBox *Frame5 = nullptr; // "Pressure Switch Option"
    std::array<QLineEdit *, params::BoxCount> txtPara{};
    std::array<QLabel *, 10> Label1{};
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLineEdit *txtPassWord = nullptr;
    QComboBox *cmbSPFail = nullptr;
    QComboBox *cmbPVFail = nullptr;
    QRadioButton *optLS = nullptr;
    QRadioButton *optLT = nullptr;
    QRadioButton *optPS = nullptr;
    QRadioButton *optPT = nullptr;
    QPushButton *cmdUpdate = nullptr; // "Upload"
    QPushButton *cmdLoad = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdModify = nullptr;
    QPushButton *cmdCancel = nullptr;

    // --- state of one opening ---
    std::array<int16_t, params::BoxCount> ParaMin{};
    std::array<int16_t, params::BoxCount> ParaMax{};
    std::array<int16_t, params::BoxCount> ParaValue{};
    QString FileText;
    params::FileValueTexts FileValues;
    // The file-reading objects: made by the first JsonGet, released on close.
    std::unique_ptr<objlit::Evaluator> ScriptHost;
    std::optional<objlit::Value> ParsedFile;
    QString LastJsonText;

private:
    void buildLayout();
    void connectHandlers();
    void releaseFileReading();

    modMain &data;
    Dialogs &cdia;
    QPointer<QWidget> m_previousDialogOwner;
};
