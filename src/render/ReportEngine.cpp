#include "ReportEngine.h"

#include "ReportDetailLink.h"
#include "CardRecordField.h"
#include "Report.h"
#include "CardShape.h"
#include "CardSystemField.h"
#include "CardBand.h"
#include "CardPictureElement.h"

#include <functional>
#include <map>

namespace {

bool showNames = false;
bool showCaptions = false;

using Factory = std::function<QObject *(QObject *owner)>;

const std::map<QString, Factory> &registry()
{
    static const std::map<QString, Factory> classes = {
        {QStringLiteral("Report"), [](QObject *o) { return new Report(o); }},
        {QStringLiteral("CardBand"),
         [](QObject *o) -> QObject * {
             auto *form = qobject_cast<QWidget *>(o);
             return (o && !form) ? nullptr : new CardBand(form);
         }},
        {QStringLiteral("CardRecordField"), [](QObject *o) { return new CardRecordField(o); }},
        {QStringLiteral("CardLabel"), [](QObject *o) { return new CardLabel(o); }},
        {QStringLiteral("CardSystemField"), [](QObject *o) { return new CardSystemField(o); }},
        {QStringLiteral("CardShape"), [](QObject *o) { return new CardShape(o); }},
        {QStringLiteral("CardPictureElement"), [](QObject *o) { return new CardPictureElement(o); }},
        {QStringLiteral("ReportDetailLink"), [](QObject *o) { return new ReportDetailLink(o); }},
    };
    return classes;
}

} // namespace

bool showFieldNames() { return showNames; }
void setShowFieldNames(bool show) { showNames = show; }
bool showFieldCaptions() { return showCaptions; }
void setShowFieldCaptions(bool show) { showCaptions = show; }

QStringList registeredReportClasses()
{
    QStringList names;
    for (const auto &entry : registry())
        names << entry.first;
    return names;
}

QObject *createReportComponent(const QString &className, QObject *owner)
{
    const auto found = registry().find(className);
    return found == registry().end() ? nullptr : found->second(owner);
}
