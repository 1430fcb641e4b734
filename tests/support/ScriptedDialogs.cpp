#include "ScriptedDialogs.h"

#include <QtTest>

void ScriptedDialogs::messageBox(const QString &text, const QString &title, MessageIcon icon)
{
    messages.append({text, title, icon});
    if (onMessage)
        onMessage(messages.last());
}

QString ScriptedDialogs::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    inputsAsked.append({prompt, title, defaultText});
    const std::optional<QString> answer = inputAnswers.isEmpty() ? std::nullopt : inputAnswers.dequeue();
    return answer.value_or(QString());
}

SaveChoice ScriptedDialogs::askToSave(const QString &text, const QString &title)
{
    saveQuestions.append({text, title});
    return saveChoices.isEmpty() ? SaveChoice::Cancel : saveChoices.dequeue();
}

std::optional<QString> ScriptedDialogs::openFileName()
{
    ++openDialogsShown;
    return openAnswers.isEmpty() ? std::nullopt : openAnswers.dequeue();
}

std::optional<QString> ScriptedDialogs::saveFileName()
{
    ++saveDialogsShown;
    return saveAnswers.isEmpty() ? std::nullopt : saveAnswers.dequeue();
}

char *toString(const ShownMessage &message)
{
    const QString text = QStringLiteral("%1 | %2 | %3")
                             .arg(message.text, message.title,
                                  message.icon == MessageIcon::Information ? QStringLiteral("info")
                                                                           : QStringLiteral("exclamation"));
    return QTest::toString(text);
}
