#include "platform/QtDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

void QtDialogs::messageBox(const QString &text, const QString &title, MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::Warning,
                    title, text, QMessageBox::Ok, owner());
    box.setDefaultButton(QMessageBox::Ok); // Enter answers it, as Esc does
    box.exec();
}

QString QtDialogs::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

SaveChoice QtDialogs::askToSave(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Warning, title, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner());
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

// No filter, no default extension and no title of our own: the name is used
// exactly as the operator picks or types it.
std::optional<QString> QtDialogs::openFileName()
{
    const QString name = QFileDialog::getOpenFileName(owner());
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> QtDialogs::saveFileName()
{
    const QString name = QFileDialog::getSaveFileName(owner());
    if (name.isEmpty())
        return std::nullopt;
    return name;
}
