#include "StationIdentityController.h"

#include "CardElements.h"
#include "CardPictureElement.h"
#include "CardLabel.h"
#include "CardStyling.h"
#include "DataFolder.h"
#include "FilePlaces.h"
#include "EntryEdit.h"
#include "FileDialogMemory.h"
#include "FlatButton.h"
#include "HandlerGuard.h"
#include "KartelloError.h"
#include "ControlLookup.h"
#include "FeatureHosts.h"
#include "SavedCard.h"
#include "UserDialogs.h"

#include <QFileInfo>
#include <QLineEdit>

namespace {

const QString kBackgroundFile = QStringLiteral("gfile.qec");

} // namespace

StationIdentityController::StationIdentityController(ControlLookup &controls, QsoEntryParts &qso)
    : QObject(&controls.hostWidget())
    , m_controls(controls)
    , m_qso(qso)
{
    for (const QString &name : card::identityEdits()) {
        auto *edit = m_controls.control<QLineEdit>(name);
        connectGuarded(edit, &QLineEdit::textChanged, this, [this, edit] { copyIdentityToCard(edit); });
    }
    const struct {
        const char *button;
        void (StationIdentityController::*handler)();
    } buttons[] = {
        {"EncartaButton53", &StationIdentityController::appendSlashedZero},
        {"EncartaButton6", &StationIdentityController::loadBackgroundPicture},
        {"EncartaButton15", &StationIdentityController::loadSavedQso},
    };
    for (const auto &b : buttons) {
        auto *button = m_controls.control<FlatButton>(QString::fromLatin1(b.button));
        const auto handler = b.handler;
        connectGuarded(button, &FlatButton::clicked, this, [this, handler] { (this->*handler)(); });
    }
}

void StationIdentityController::copyIdentityToCard(QObject *)
{
    copyIdentityTexts();
    emit identityCopiedToCard();
}

void StationIdentityController::copyIdentityTexts()
{
    QStringList texts;
    for (const QString &name : card::identityEdits())
        texts << m_controls.control<QLineEdit>(name)->text();
    card::copyIdentityTexts(&m_controls.hostWidget(), texts);
}

void StationIdentityController::appendSlashedZero()
{
    auto *call = m_controls.control<QLineEdit>(QStringLiteral("CallSignEdit1"));
    call->setText(call->text() + QChar(0x00D8));
}

void StationIdentityController::loadBackgroundPicture()
{
    auto *dialog = m_controls.control<FileDialogMemory>(QStringLiteral("OpenPictureDialog1"));
    dialog->setInitialDir(filePlaces().dialogFolder);
    dialog->setFilter(card::backgroundPictureFilter());
    const QString chosen =
        userDialogs().openPictureFileName(QStringLiteral("Open"), dialog->initialDir(), dialog->filter());
    if (chosen.isEmpty())
        return;
    dialog->setFileName(chosen);
    // Cleared first: a picture that fails to load leaves the card without one.
    auto *background = m_controls.control<CardPictureElement>(QStringLiteral("tAlImage1"));
    background->setPicture(Picture());
    background->setPicture(card::loadBackgroundPicture(chosen));
    saveLines(dataFilePath(kBackgroundFile), {QFileInfo(chosen).absoluteFilePath()});
}

void StationIdentityController::loadRememberedBackground()
{
    const QString path = lineAt(loadLines(dataFilePath(kBackgroundFile)), 0);
    if (!path.isEmpty() && QFileInfo(path).isFile())
        m_controls.control<CardPictureElement>(QStringLiteral("tAlImage1"))
            ->setPicture(card::loadBackgroundPicture(path));
}

void StationIdentityController::loadSavedQso()
{
    auto *dialog = m_controls.control<FileDialogMemory>(QStringLiteral("OpenDialog3"));
    dialog->setInitialDir(cardFolder());
    dialog->setFilter(card::contactInfoFilter());
    const QString chosen =
        userDialogs().openFileName(QStringLiteral("Open"), dialog->initialDir(), dialog->filter());
    if (chosen.isEmpty())
        return;
    dialog->setFileName(chosen);
    const card::SavedQso qso = card::savedQsoFromLines(loadLines(chosen));
    // Each field is set as typing would set it, so its change handling runs.
    for (int i = 0; i < qso.fields.size(); ++i)
        m_qso.entryOverlay(card::qsoFields()[i].field)->setText(qso.fields[i]);
    if (qso.missingLine)
        throw KartelloError::indexOutOfBounds(*qso.missingLine);
    if (qso.contactEmail)
        m_qso.contactEmailField()->setText(*qso.contactEmail);
}
