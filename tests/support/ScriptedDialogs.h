#pragma once
// Dialogs for tests: every message box is recorded (text, title, icon) in
// order; input boxes, save questions and file dialogs answer from queues,
// and cancel when their queue is empty.
#include "platform/Dialogs.h"

#include <QList>
#include <QQueue>
#include <functional>

struct ShownMessage
{
    QString text;
    QString title;
    MessageIcon icon;
    friend bool operator==(const ShownMessage &, const ShownMessage &) = default;
};

struct AskedInput
{
    QString prompt;
    QString title;
    QString defaultText;
};

struct AskedToSave
{
    QString text;
    QString title;
};

class ScriptedDialogs : public Dialogs
{
public:
    QList<ShownMessage> messages;
    QList<AskedInput> inputsAsked;
    QQueue<std::optional<QString>> inputAnswers;   // nullopt: Cancel
    QList<AskedToSave> saveQuestions;
    QQueue<SaveChoice> saveChoices;                // empty: Cancel
    QQueue<std::optional<QString>> openAnswers;    // nullopt: Cancel
    QQueue<std::optional<QString>> saveAnswers;    // nullopt: Cancel
    int openDialogsShown = 0;
    int saveDialogsShown = 0;
    // Runs while a message box is "open", e.g. to check what the window shows then.
    std::function<void(const ShownMessage &)> onMessage;

    void messageBox(const QString &text, const QString &title, MessageIcon icon) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    SaveChoice askToSave(const QString &text, const QString &title) override;
    std::optional<QString> openFileName() override;
    std::optional<QString> saveFileName() override;
};

// Lets QCOMPARE print messages.
char *toString(const ShownMessage &message);
