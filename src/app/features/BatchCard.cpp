#include "BatchCard.h"

#include "CardLabel.h"
#include "CardOutput.h"
#include "CardOutputsController.h"
#include "CardPictureFiles.h"
#include "ContactInfoFile.h"
#include "DataFolder.h"
#include "FilePlaces.h"
#include "EntryEdit.h"
#include "JpegWriter.h"
#include "KartelloError.h"
#include "FeatureHosts.h"
#include "QsoEntryController.h"
#include "QsoEntryRules.h"
#include "StationIdentityController.h"

#include <QDateTime>
#include <QStringList>

#include <algorithm>
#include <QDir>
#include <QSignalBlocker>

using card::QsoField;

QImage batchCard(const BatchCardParts &parts, const QsoRecord &row)
{
    // Only the call sign's own rule matters for a card; the other fields' change handlers
    // refresh the identity lines, done here once instead of six times.
    for (const card::QsoFieldNames &field : card::qsoFields()) {
        EntryEdit *overlay = parts.qso.entryOverlay(field.field);
        const QSignalBlocker quiet(field.field == QsoField::CallSign ? nullptr : overlay);
        overlay->setText(card::qsoFieldText(row, field.field));
    }
    parts.identity.copyIdentityTexts();
    CardOutputsController &outputs = parts.outputs;
    outputs.snapshotCard();
    return outputs.snapshotImage();
}

void emptyQsoAfterBatchCard(const BatchCardParts &parts)
{
    parts.qso.valueElement(QsoField::CallSign)->setCaption(QString());
    parts.outputs.showEntryOverlays();
    for (const card::QsoFieldNames &field : card::qsoFields()) {
        EntryEdit *overlay = parts.qso.entryOverlay(field.field);
        const QSignalBlocker quiet(field.field == QsoField::CallSign ? nullptr : overlay);
        overlay->clear();
        parts.qso.valueElement(field.field)->setCaption(QString());
    }
    parts.identity.copyIdentityTexts();
}

QString batchFolder()
{
    const QString folder = filePlaces().batchFolder;
    if (!QDir().mkpath(folder))
        throw KartelloError::cannotCreate(folder);
    return folder;
}

QString batchEmailLine(const QString &rowEmail)
{
    return rowEmail.isEmpty() ? QStringLiteral("No email address") : rowEmail;
}

namespace {

// "20230407_1941" of a QSO dated 4.7.2023 at 19:41; the parts that cannot be read are left out.
QString qsoStamp(const QsoRecord &qso)
{
    QStringList parts;
    const QString date = adifQsoDate(qso.utcDate);
    if (!date.isEmpty())
        parts << date;
    QString time = qso.utcTime.trimmed();
    time.remove(QLatin1Char(':'));
    time.truncate(4);
    const bool digits = std::all_of(time.cbegin(), time.cend(), [](QChar c) { return c.isDigit(); });
    if (time.size() == 4 && digits)
        parts << time;
    return parts.join(QLatin1Char('_'));
}

} // namespace

QString BatchCardNames::suffixFor(const QString &baseName, const QsoRecord &qso)
{
    const auto take = [this, &baseName](const QString &suffix) {
        const QString key = (baseName + suffix).toUpper();
        if (m_taken.contains(key))
            return false;
        m_taken.insert(key);
        return true;
    };
    if (take(QString()))
        return QString();
    const QString stamp = qsoStamp(qso);
    const QString first = stamp.isEmpty() ? QString() : QLatin1Char('_') + stamp;
    if (!first.isEmpty() && take(first))
        return first;
    for (int n = 2;; ++n) {
        const QString numbered = first + QStringLiteral("_%1").arg(n);
        if (take(numbered))
            return numbered;
    }
}

QString batchContactInfoFileName(const QString &folder, const QDate &dateOfWriting,
                                 const QString &callSign, const QString &suffix)
{
    QString name = contactInfoFileName(folder, dateOfWriting, callSign);
    const QLatin1String end("_info.txt");
    return name.insert(name.size() - end.size(), suffix);
}

QString writeBatchFiles(const BatchCardParts &parts, const QString &rowEmail, const QString &folder,
                        const QDate &dateOfWriting, BatchCardNames &names)
{
    // The snapshot straight into the JPEG encoder: the same pixels, so the same bytes, as the
    // way through "temp.bmp" that Create JPG takes, without a disk round trip per card.
    return writeBatchFilesOf(parts.outputs.snapshotImage(), parts.qsoEntry.qsoOnScreen(), rowEmail,
                             folder, dateOfWriting, names);
}

QString writeBatchFilesOf(const QImage &card, const QsoRecord &qso, const QString &rowEmail,
                          const QString &folder, const QDate &dateOfWriting, BatchCardNames &names)
{
    const QString baseName = cardBaseName(qso.callSign, QDateTime::currentDateTime());
    const QString suffix = names.suffixFor(baseName, qso);
    const QString picture = folder + baseName + suffix + QStringLiteral(".jpg");
    writeCardJpeg(card, picture);
    // Written as the picture is, beside the target and renamed over it, without waiting for
    // the disk after every card of a run.
    QString text;
    for (const QString &line : contactInfoLines(batchEmailLine(rowEmail), qso))
        text += line + QLatin1String("\r\n");
    writeWholeFile(batchContactInfoFileName(folder, dateOfWriting, qso.callSign, suffix), text.toUtf8());
    return picture;
}
