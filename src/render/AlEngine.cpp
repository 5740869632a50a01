#include "AlEngine.h"

#include "TAlDetailLink.h"
#include "TAlField.h"
#include "TAlReport.h"
#include "TAlShape.h"
#include "TAlSysField.h"
#include "tAlBand.h"
#include "tAlImage.h"

#include <functional>
#include <map>

namespace {

bool showNames = false;
bool showCaptions = false;

using Factory = std::function<QObject *(QObject *owner)>;

const std::map<QString, Factory> &registry()
{
    static const std::map<QString, Factory> classes = {
        {QStringLiteral("TAlReport"), [](QObject *o) { return new TAlReport(o); }},
        {QStringLiteral("tAlBand"),
         [](QObject *o) -> QObject * {
             auto *form = qobject_cast<QWidget *>(o);
             return (o && !form) ? nullptr : new tAlBand(form);
         }},
        {QStringLiteral("TAlField"), [](QObject *o) { return new TAlField(o); }},
        {QStringLiteral("TAlLabel"), [](QObject *o) { return new TAlLabel(o); }},
        {QStringLiteral("TAlSysField"), [](QObject *o) { return new TAlSysField(o); }},
        {QStringLiteral("TAlShape"), [](QObject *o) { return new TAlShape(o); }},
        {QStringLiteral("tAlImage"), [](QObject *o) { return new tAlImage(o); }},
        {QStringLiteral("TAlDetailLink"), [](QObject *o) { return new TAlDetailLink(o); }},
    };
    return classes;
}

} // namespace

bool alShowNames() { return showNames; }
void setAlShowNames(bool show) { showNames = show; }
bool alShowCaptions() { return showCaptions; }
void setAlShowCaptions(bool show) { showCaptions = show; }

QStringList alRegisteredClasses()
{
    QStringList names;
    for (const auto &entry : registry())
        names << entry.first;
    return names;
}

QObject *alCreateComponent(const QString &className, QObject *owner)
{
    const auto found = registry().find(className);
    return found == registry().end() ? nullptr : found->second(owner);
}
