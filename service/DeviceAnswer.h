#pragma once
// How the service functions wait for the controller's "OK" / "FAIL" and tell
// the operator what it said.
#include <QString>

class Dialogs;

namespace service {

// Every service command is given 200 ms for its answer.
constexpr int AnswerWaitMs = 200;

struct AnswerTexts
{
    const char *title;
    const char *success; // shown with the information icon after an "OK"
    const char *failure; // shown with the warning icon after a "FAIL"

    void showSuccess(Dialogs &dialogs) const;
    void showFailure(Dialogs &dialogs) const;
};

inline constexpr AnswerTexts CalibrationAnswer{"Settings", "Calibration successful", "Calibration failed"};
inline constexpr AnswerTexts RemoteOnAnswer{"Remote Control", "Remote Control Mode ON", "Remote Control failed"};
inline constexpr AnswerTexts RemoteOffAnswer{"Remote Control", "Remote Control Mode OFF", "Main Control failed"};
inline constexpr AnswerTexts SerialNumberAnswer{"Edit SN", "Serial Number Modified", "Modification Failed"};

// The success message after an "OK", then the failure message after a
// "FAIL" (both when both came); nothing when the controller stayed silent.
void reportAnswer(Dialogs &dialogs, bool replyOk, bool replyFail, const AnswerTexts &texts);

} // namespace service
