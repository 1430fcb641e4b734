#pragma once
// The modal dialogs the windows use: message box, input box, the question
// before unsaved work is lost, and the file dialog in open and save mode. The program uses QtDialogs; tests script them.
#include <QString>
#include <optional>

class QWidget;

enum class MessageIcon { Information, Exclamation };

// The answer to "save before it is lost?".
enum class SaveChoice { Save, Discard, Cancel };

class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Modal; one OK button; returns when dismissed.
    virtual void messageBox(const QString &text, const QString &title, MessageIcon icon) = 0;
    // Modal; OK and Cancel; returns the typed text, or an empty text on Cancel.
    virtual QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) = 0;
    // Modal; asks what to do with unsaved work: Save, Discard or Cancel.
    virtual SaveChoice askToSave(const QString &text, const QString &title) = 0;
    // Modal; the chosen file name exactly as chosen, or nothing when cancelled.
    virtual std::optional<QString> openFileName() = 0;
    virtual std::optional<QString> saveFileName() = 0;

    // The window that owns the dialogs while they are shown (may be null).
    void setOwner(QWidget *owner) { m_owner = owner; }
    QWidget *owner() const { return m_owner; }

private:
    QWidget *m_owner = nullptr;
};
