#include "StationIdentityController.h"

#include "CardElements.h"
#include "ControlNames.h"
#include "CardPictureElement.h"
#include "CardLabel.h"
#include "CardStyling.h"
#include "DesignBinding.h"
#include "KartelloError.h"
#include "DataFolder.h"
#include "FilePlaces.h"
#include "EntryEdit.h"
#include "FileDialogMemory.h"
#include "FlatButton.h"
#include "HandlerGuard.h"
#include "ControlLookup.h"
#include "FeatureHosts.h"
#include "SavedCard.h"
#include "features/QsoEntryController.h"
#include "UserDialogs.h"

#include <QFileInfo>
#include <QLineEdit>

namespace {

const QString kBackgroundFile = QStringLiteral("gfile.qec");

} // namespace

StationIdentityController::StationIdentityController(ControlLookup &controls, QsoEntryParts &qso,
                                                     DesignBinding &design)
    : QObject(&controls.hostWidget())
    , m_controls(controls)
    , m_qso(qso)
    , m_design(design)
{
    for (const QString &name : card::identityEdits()) {
        auto *edit = m_controls.control<QLineEdit>(name);
        connectGuarded(edit, &QLineEdit::textChanged, this, [this, edit] { copyIdentityToCard(edit); });
    }
    const struct {
        const char *button;
        void (StationIdentityController::*handler)();
    } buttons[] = {
        {controlnames::slashedZeroButton, &StationIdentityController::appendSlashedZero},
        {controlnames::loadBackgroundButton, &StationIdentityController::loadBackgroundPicture},
        {controlnames::loadQslButton, &StationIdentityController::loadSavedQso},
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
    card::CardDesign design = m_design.design();
    design.identity = texts;
    m_design.setDesign(design);
}

void StationIdentityController::appendSlashedZero()
{
    auto *call = m_controls.control<QLineEdit>(controlnames::callSignIdentityEdit);
    call->setText(call->text() + QChar(0x00D8));
}

void StationIdentityController::loadBackgroundPicture()
{
    auto *dialog = m_controls.control<FileDialogMemory>(controlnames::backgroundDialog);
    dialog->setInitialDir(filePlaces().dialogFolder);
    dialog->setFilter(card::backgroundPictureFilter());
    const QString chosen =
        userDialogs().openPictureFileName(QStringLiteral("Open"), dialog->initialDir(), dialog->filter());
    if (chosen.isEmpty())
        return;
    dialog->setFileName(chosen);
    // Cleared first: a picture that fails to load leaves the card without one.
    showBackground(QString());
    showBackground(QFileInfo(chosen).absoluteFilePath());
    saveLines(dataFilePath(kBackgroundFile), {QFileInfo(chosen).absoluteFilePath()});
}

void StationIdentityController::loadRememberedBackground()
{
    const QString path = lineAt(loadLines(dataFilePath(kBackgroundFile)), 0);
    if (!path.isEmpty() && QFileInfo(path).isFile())
        showBackground(path);
}

void StationIdentityController::showBackground(const QString &path)
{
    card::CardDesign design = m_design.design();
    design.backgroundPicture = path;
    const QStringList problems = m_design.setDesign(design);
    if (!problems.isEmpty()) {
        design.backgroundPicture.clear();
        m_design.setDesign(design);
        throw KartelloError(problems.constFirst());
    }
}

void StationIdentityController::loadSavedQso()
{
    auto *dialog = m_controls.control<FileDialogMemory>(controlnames::loadQslDialog);
    const QString chosen = chooseContactInfoFile(*dialog, cardFolder());
    if (chosen.isEmpty())
        return;
    showSavedQso(m_qso, loadLines(chosen));
}
