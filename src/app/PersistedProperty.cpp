#include "PersistedProperty.h"

#include "ButtonState.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QMetaProperty>

namespace {

// The Qt property that stands for a remembered name on this object, or "" when none does.
QByteArray qtPropertyFor(const QObject *object, const QString &name)
{
    const QByteArray own = name.toLatin1();
    if (object->metaObject()->indexOfProperty(own.constData()) >= 0
        || object->dynamicPropertyNames().contains(own))
        return own;
    // A menu item always has a checked state (unchecked unless made checkable); a button only
    // when it can be checked. A slider's position is remembered only when it carries
    // "Position" itself (a RememberedSlider).
    if (name == QLatin1String("Checked")) {
        if (auto *b = qobject_cast<const QAbstractButton *>(object))
            return b->isCheckable() ? QByteArray("checked") : QByteArray();
        if (qobject_cast<const QAction *>(object))
            return QByteArray("checked");
    }
    return QByteArray();
}

bool isEnumProperty(const QObject *object, const QByteArray &property)
{
    const int i = object->metaObject()->indexOfProperty(property.constData());
    return i >= 0 && object->metaObject()->property(i).isEnumType();
}

} // namespace

QString persistedValueText(const QObject *object, const QString &name)
{
    const QByteArray property = qtPropertyFor(object, name);
    if (property.isEmpty() || isEnumProperty(object, property))
        return QString();
    const QVariant v = object->property(property.constData());
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return QString::number(v.toLongLong());
    case QMetaType::QString:
        return v.toString();
    case QMetaType::QChar:
        return QString(v.toChar());
    default:
        return QString();
    }
}

bool applyPersistedValue(QObject *object, const QString &name, const QString &text)
{
    const QByteArray property = qtPropertyFor(object, name);
    if (text.isEmpty() || property.isEmpty() || isEnumProperty(object, property))
        return false;
    const QVariant current = object->property(property.constData());
    switch (current.typeId()) {
    case QMetaType::Bool: {
        if (text != QLatin1String("TRUE") && text != QLatin1String("FALSE"))
            return false;
        const bool on = text == QLatin1String("TRUE");
        auto *button = qobject_cast<QAbstractButton *>(object);
        if (button && !on && property == "checked" && button->isChecked()) {
            uncheckButton(button);
            return true;
        }
        auto *action = qobject_cast<QAction *>(object);
        if (action && on && property == "checked")
            action->setCheckable(true);
        return object->setProperty(property.constData(), on);
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort: {
        bool ok = false;
        const qlonglong v = text.toLongLong(&ok, 10);
        if (!ok)
            return false;
        QVariant value(v);
        value.convert(current.metaType());
        return object->setProperty(property.constData(), value);
    }
    case QMetaType::QString:
        return object->setProperty(property.constData(), text);
    case QMetaType::QChar:
        return object->setProperty(property.constData(), QVariant(text.at(0)));
    default:
        return false;
    }
}
