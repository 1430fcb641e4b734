#include "platform/ReadoutLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

// Read at the moment it is asked for, so it is never behind what is shown.
class ReadoutAccessible : public QAccessibleWidget
{
public:
    explicit ReadoutAccessible(QLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto *label = static_cast<const QLabel *>(widget());
        switch (t) {
        case QAccessible::Name:
            return label->accessibleName();
        case QAccessible::Description:
        case QAccessible::Value:
            return label->text();
        default:
            return QAccessibleWidget::text(t);
        }
    }
};

QAccessibleInterface *readoutAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("ReadoutLabel") && object && object->isWidgetType())
        return new ReadoutAccessible(static_cast<QLabel *>(object));
    return nullptr;
}

void installAccessibleOnce()
{
    static const bool installed = [] {
        QAccessible::installFactory(readoutAccessible);
        return true;
    }();
    (void)installed;
}

} // namespace

ReadoutLabel::ReadoutLabel(QWidget *parent) : QLabel(parent)
{
    installAccessibleOnce();
}

ReadoutLabel::ReadoutLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    installAccessibleOnce();
}
