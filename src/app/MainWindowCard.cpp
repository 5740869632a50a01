// The station identity on the card and the call sign's style.
#include "MainWindow.h"

#include "CardElements.h"
#include "CardLabel.h"
#include "Fonts.h"
#include "HandlerGuard.h"
#include "ItalicLean.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QSlider>

void MainWindow::connectIdentityEdits()
{
    for (const QString &name : card::identityEdits()) {
        auto *edit = control<QLineEdit>(name);
        connect(edit, &QLineEdit::textChanged, this,
                [this, edit] { guarded([this, edit] { onIdentityEdited(edit); }); });
    }
}

void MainWindow::onIdentityEdited(QObject *)
{
    copyIdentityToCard();
    applyCallSignStyle(nullptr);
}

void MainWindow::copyIdentityToCard()
{
    for (int i = 0; i < card::identityEdits().size(); ++i) {
        const auto *edit = control<QLineEdit>(card::identityEdits()[i]);
        if (auto *element = control<CardLabel>(card::identityElements()[i]))
            element->setCaption(edit->text());
    }
}

void MainWindow::applyCallSignStyle(QObject *sender)
{
    auto checked = [this](const char *name) {
        const auto *b = control<QAbstractButton>(QString::fromLatin1(name));
        return b && b->isChecked();
    };
    auto *callSign = control<CardLabel>(QStringLiteral("alCallSign"));
    QFont font = callSign->font();
    font.setBold(checked("CSFBold"));
    font.setUnderline(checked("CSFUnderline"));
    font.setPixelSize(pointsToPixels(control<QSlider>(QStringLiteral("CSFTrackBar1"))->value()));
    font.setItalic(checked("CSFItalic"));
    callSign->setFont(font);
    callSign->setWidth(card::widthWithLean(callSign->width(), font.italic()));
    removeFromTabOrder(sender);
}
