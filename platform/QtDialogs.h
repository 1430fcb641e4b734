#pragma once
#include "platform/Dialogs.h"

// Dialogs shown with Qt's own message, input and file dialogs.
class QtDialogs : public Dialogs
{
public:
    void messageBox(const QString &text, const QString &title, MessageIcon icon) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    SaveChoice askToSave(const QString &text, const QString &title) override;
    std::optional<QString> openFileName() override;
    std::optional<QString> saveFileName() override;
};
