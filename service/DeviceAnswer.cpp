#include "service/DeviceAnswer.h"

#include "platform/Dialogs.h"

namespace service {

void AnswerTexts::showSuccess(Dialogs &dialogs) const
{
    dialogs.messageBox(QString::fromLatin1(success), QString::fromLatin1(title), MessageIcon::Information);
}

void AnswerTexts::showFailure(Dialogs &dialogs) const
{
    dialogs.messageBox(QString::fromLatin1(failure), QString::fromLatin1(title), MessageIcon::Exclamation);
}

void reportAnswer(Dialogs &dialogs, bool replyOk, bool replyFail, const AnswerTexts &texts)
{
    if (replyOk)
        texts.showSuccess(dialogs);
    if (replyFail)
        texts.showFailure(dialogs);
}

} // namespace service
