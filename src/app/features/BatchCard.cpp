#include "BatchCard.h"

#include "CardLabel.h"
#include "CardOutput.h"
#include "CardOutputsController.h"
#include "ContactInfoFile.h"
#include "DataFolder.h"
#include "EntryEdit.h"
#include "KartelloError.h"
#include "MainWindow.h"
#include "QsoEntryController.h"

#include <QDateTime>
#include <QDir>

using card::QsoField;

QImage batchCard(MainWindow &window, const QsoRow &row)
{
    const std::pair<QsoField, const QString &> texts[] = {
        {QsoField::CallSign, row.callSign}, {QsoField::UtcDate, row.date},
        {QsoField::UtcTime, row.time},      {QsoField::Frequency, row.frequency},
        {QsoField::Mode, row.mode},         {QsoField::Power, row.power},
        {QsoField::Signal, row.report},
    };
    for (const auto &[field, text] : texts)
        window.entryOverlay(field)->setText(text);
    CardOutputsController &outputs = window.cardOutputs();
    outputs.snapshotCard();
    return outputs.snapshotImage();
}

void emptyQsoAfterBatchCard(MainWindow &window)
{
    window.valueElement(QsoField::CallSign)->setCaption(QString());
    window.cardOutputs().showEntryOverlays();
    for (const card::QsoFieldNames &field : card::qsoFields()) {
        window.entryOverlay(field.field)->clear();
        window.valueElement(field.field)->setCaption(QString());
    }
}

QString batchFolder()
{
    const QString folder = executableFolder() + QStringLiteral("BatchJPG/");
    if (!QDir().mkpath(folder))
        throw KartelloError::cannotCreate(folder);
    return folder;
}

QString batchEmailLine(const QString &rowEmail)
{
    return rowEmail.isEmpty() ? QStringLiteral("No email address") : rowEmail;
}

QString writeBatchFiles(MainWindow &window, const QString &rowEmail, const QString &folder,
                        const QDate &dateOfWriting)
{
    const QsoRecord qso = window.qsoEntry().qsoOnScreen();
    const QString picture =
        folder + cardBaseName(qso.callSign, QDateTime::currentDateTime()) + QStringLiteral(".jpg");
    window.cardOutputs().saveSnapshotJpeg(picture);
    saveLines(contactInfoFileName(folder, dateOfWriting, qso.callSign),
              contactInfoLines(batchEmailLine(rowEmail), qso));
    return picture;
}
