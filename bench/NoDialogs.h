#pragma once
// Dialogs for measuring runs: every question is answered at once, with nothing
// chosen, and an unsaved recording is let go.
#include "platform/Dialogs.h"

class NoDialogs : public Dialogs
{
public:
    void messageBox(const QString &, const QString &, MessageIcon) override {}
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    SaveChoice askToSave(const QString &, const QString &) override { return SaveChoice::Discard; }
    std::optional<QString> openFileName() override { return std::nullopt; }
    std::optional<QString> saveFileName() override { return std::nullopt; }
};
