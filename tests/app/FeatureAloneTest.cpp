// A feature of the main window hosted on its own: a small host that builds only the controls
// the feature connects (with the card), so the feature is tried without the whole window.
#include "CardBand.h"
#include "CardLabel.h"
#include "CardShape.h"
#include "EntryEdit.h"
#include "Mailer.h"
#include "WindowBuilder.h"
#include "WindowDescription.h"
#include "features/CardOptionsController.h"
#include "features/FeatureHost.h"

#include <QCheckBox>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

class SmallHost : public QWidget, public FeatureHost
{
public:
    // Builds the rows named in controls, the rows that hold them and the card.
    explicit SmallHost(const QStringList &controls)
    {
        QStringList wanted = controls + QStringList{"tAlBand1"};
        const std::vector<ControlRow> &all = mainWindowDescription();
        for (int i = 0; i < wanted.size(); ++i) {
            const auto row = std::find_if(all.begin(), all.end(),
                                          [&](const ControlRow &r) { return r.name == wanted[i]; });
            if (row != all.end() && !row->parent.isEmpty() && !wanted.contains(row->parent))
                wanted << row->parent;
        }
        std::vector<ControlRow> rows;
        std::copy_if(all.begin(), all.end(), std::back_inserter(rows),
                     [&](const ControlRow &r) { return wanted.contains(r.name); });
        buildWindow(this, rows);
    }

    QWidget &hostWidget() override { return *this; }
    const QWidget &hostWidget() const override { return *this; }
    EntryEdit *entryOverlay(card::QsoField field) const override
    {
        return findChild<EntryEdit *>(QString::fromLatin1(card::qsoField(field).overlay));
    }
    CardLabel *valueElement(card::QsoField field) const override
    {
        return findChild<CardLabel *>(QString::fromLatin1(card::qsoField(field).valueElement));
    }
    EntryEdit *contactEmailField() const override { return nullptr; }
    CardBand *cardBand() const override { return findChild<CardBand *>("tAlBand1"); }
    void removeFromTabOrder(QObject *) override {}
    void focusCallSign() override {}
    void copyIdentityToCard() override {}
    Mailer &mailer() const override { return m_mailer; }
    EmailAddress *mailRecipient() const override { return nullptr; }
    int nameLineStep() const override { return 15; }
    void setNameLineStep(int) override {}

private:
    mutable Mailer m_mailer;
};

const QStringList CardOptionControls = {
    "CBPseQSL", "CBPseLoTW", "CBShow73", "CBShowEmail1", "CBTranspName", "CBTranspEmail",
    "CBTranspTitles", "CBTransp73Pse", "CBFrameInfo1", "CBFrameCard1", "CBSendEnabled",
    "RBBkgClr1", "RBBkgClr2", "RBBkgClr3", "RBBkgClr4", "RBBkgClr5", "RBBkgClr6", "RBBkgClr7",
    "RBBkgClr8", "RBBkgClr9", "RBBkgClr0", "HL1", "HL2", "HL3", "Panel5", "GroupBox1",
    "GroupBox2", "GroupBox3", "GroupBox4", "EncartaButton1", "ClipBoardButton1"};

TEST(FeatureAlone, CardOptionsWorkOnASmallHost)
{
    SmallHost host(CardOptionControls);
    CardOptionsController options(host);
    auto *frame = host.control<CardShape>("AlShape15");
    host.control<QCheckBox>("CBFrameCard1")->setChecked(true);
    EXPECT_TRUE(frame->visible());
    host.control<QCheckBox>("CBFrameCard1")->setChecked(false);
    EXPECT_FALSE(frame->visible());
    host.control<QCheckBox>("CBPseLoTW")->setChecked(true);
    EXPECT_TRUE(host.control<CardLabel>("alPseLoTW")->visible());
}

TEST(FeatureAlone, AControlTheFeatureNeedsMissingStopsItNamingTheControl)
{
    QStringList controls = CardOptionControls;
    controls.removeAll("CBTranspEmail");
    SmallHost host(controls);
    try {
        CardOptionsController options(host);
        ADD_FAILURE() << "the feature started without CBTranspEmail";
    } catch (const MissingControlError &e) {
        EXPECT_NE(std::string(e.what()).find("\"CBTranspEmail\""), std::string::npos) << e.what();
    }
}

} // namespace
