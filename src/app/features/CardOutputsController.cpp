#include "CardOutputsController.h"

#include "CardBand.h"
#include "CardDocument.h"
#include "CardLabel.h"
#include "CardOutput.h"
#include "DataFolder.h"
#include "KartelloError.h"
#include "EntryEdit.h"
#include "FileDialogMemory.h"
#include "FlatButton.h"
#include "HandlerGuard.h"
#include "ControlLookup.h"
#include "ControlNames.h"
#include "FeatureHosts.h"
#include "PrintWindow.h"
#include "QsoEntryController.h"

#include <QLabel>
#include <QPixmap>

namespace {

// The window and the QSO entry as the card outputs see them.
class MainWindowOutputs : public CardOutputHost
{
public:
    MainWindowOutputs(ControlLookup &controls, QsoEntryParts &qso, CardOutputsController &outputs,
                      QsoEntryController &qsoEntry)
        : m_controls(controls), m_qso(qso), m_outputs(outputs), m_qsoEntry(qsoEntry) {}

    bool shouldStopOutput() override { return m_qsoEntry.shouldStopOutput(QString()); }
    void snapshotCard() override { m_outputs.snapshotCard(); }
    QImage snapshot() const override { return m_outputs.snapshotImage(); }
    QString contactCallSign() const override
    {
        return m_qso.entryOverlay(card::QsoField::CallSign)->text();
    }
    void showOverlays() override { m_outputs.showEntryOverlays(); }
    void writeContactsInfo() override { m_qsoEntry.writeContactInfo(); }
    void setSaveDialogFileName(const QString &name) override
    {
        m_controls.control<FileDialogMemory>(controlnames::saveDialog)->setFileName(name);
    }

private:
    ControlLookup &m_controls;
    QsoEntryParts &m_qso;
    CardOutputsController &m_outputs;
    QsoEntryController &m_qsoEntry;
};

} // namespace

CardOutputsController::CardOutputsController(ControlLookup &controls, QsoEntryParts &qso,
                                             KeyboardFocusHost &focus, QsoEntryController &qsoEntry)
    : QObject(&controls.hostWidget())
    , m_controls(controls)
    , m_qso(qso)
    , m_focus(focus)
    , m_qsoEntry(qsoEntry)
{
    m_printWindow = std::make_unique<PrintWindow>(PrintWindowHost{
        [this] { return snapshotImage(); },
        [this] { return m_qso.entryOverlay(card::QsoField::CallSign)->text(); },
        [this] { m_qsoEntry.writeContactInfo(); },
        [this] { return proposedPrintFile(); }});
    m_printWindow->hide();
    auto onClick = [this](const char *name, void (CardOutputsController::*handler)()) {
        connectGuarded(m_controls.control<FlatButton>(QString::fromLatin1(name)),
                       &FlatButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    onClick(controlnames::jpegButton, &CardOutputsController::createJpeg);
    onClick(controlnames::copyButton, &CardOutputsController::copyToClipboard);
    onClick(controlnames::gifButton, &CardOutputsController::createGif);
    onClick(controlnames::printButton, &CardOutputsController::printCard);
}

CardOutputsController::~CardOutputsController() = default;

QString CardOutputsController::proposedPrintFile() const
{
    QString folder;
    try {
        folder = cardFolder();
    } catch (const KartelloError &) {
        // Without a readable card folder the print dialog proposes its own file.
        return QString();
    }
    return printFileProposal(folder, m_qso.entryOverlay(card::QsoField::CallSign)->text(),
                             QDateTime::currentDateTime());
}

QLabel *CardOutputsController::snapshotHolder() const
{
    // Found by name once: the batch runs take a snapshot for every card.
    if (!m_snapshotHolder)
        m_snapshotHolder = m_controls.control<QLabel>(controlnames::snapshotHolder);
    return m_snapshotHolder;
}

void CardOutputsController::snapshotCard()
{
    snapshotHolder()->clear();
    m_qsoEntry.copyFieldsToCard();
    for (const card::QsoFieldNames &field : card::qsoFields())
        m_qso.entryOverlay(field.field)->hide();
    for (const card::QsoFieldNames &field : card::qsoFields())
        m_qso.cardBand()->repaint(m_qso.valueElement(field.field)->geometry());
    snapshotHolder()->setPixmap(QPixmap::fromImage(m_qso.cardDocument().paintCard()));
}

QImage CardOutputsController::snapshotImage() const
{
    return snapshotHolder()->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

void CardOutputsController::showEntryOverlays()
{
    for (const card::QsoFieldNames &field : card::qsoFields())
        m_qso.entryOverlay(field.field)->show();
    m_focus.focusCallSign();
}

void CardOutputsController::createJpeg()
{
    MainWindowOutputs outputs(m_controls, m_qso, *this, m_qsoEntry);
    exportCardJpeg(outputs);
}

void CardOutputsController::copyToClipboard()
{
    MainWindowOutputs outputs(m_controls, m_qso, *this, m_qsoEntry);
    copyCardToClipboard(outputs);
}

void CardOutputsController::createGif()
{
    MainWindowOutputs outputs(m_controls, m_qso, *this, m_qsoEntry);
    exportCardGif(outputs);
}

void CardOutputsController::printCard()
{
    MainWindowOutputs outputs(m_controls, m_qso, *this, m_qsoEntry);
    ::printCard(outputs, [this] { m_printWindow->exec(); });
}

void CardOutputsController::saveSnapshotJpeg(const QString &path)
{
    saveSnapshotJpg(snapshotImage(), path);
}
