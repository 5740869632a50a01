// The ADIF panel in the main window: loading logs, Search and Next.
#include "AdifPanelFixture.h"

#include "AdifReader.h"
#include "CardDocument.h"
#include "ListRow.h"

#include <QSlider>

namespace {

const QByteArray threeRecordLog =
    "Exported by a logger\n<adif_ver:5>3.1.4\n<programid:6>Logger\n<eoh>\n"
    "<call:3>abc <qso_date:8>20240405 <time_on:6>093015 <freq:3>7.1 <mode:2>CW <rst_rcvd:3>599 <eor>\n"
    "<qso_date:8>20240405 <freq:3>7.1 <eor>\n"
    "<call:6>DL1ABC <qso_date:8>20241231 <time_on:4>2359 <freq:6>14.074 <mode:3>FT8 "
    "<tx_pwr:3>50W <rst_rcvd:3>-10 <email:6>a@b.de <eor>\n";

using AdifPanel = AdifPanelFixture;

TEST_F(AdifPanel, OpensNarrowClosesWideAndEmptiesTheListOnOpen)
{
    adif().openPanel();
    EXPECT_EQ(form->width(), 517);
    EXPECT_FALSE(form->control("BatchPrint1")->isHidden());
    EXPECT_EQ(form->control("BatchPrint1")->pos(), QPoint(14, 287));
    loadLog(writeLog("one.adi", threeRecordLog));
    EXPECT_EQ(adif().rows().rowCount(), 2);
    adif().closePanel();
    EXPECT_EQ(form->width(), 727);
    EXPECT_TRUE(form->control("BatchPrint1")->isHidden());
    EXPECT_EQ(adif().rows().rowCount(), 2);
    adif().openPanel();
    EXPECT_EQ(adif().rows().rowCount(), 0);
}

TEST_F(AdifPanel, LoadTakesPowerFieldAtStartAndTellsWhatWasSkipped)
{
    adif().openPanel();
    form->entryOverlay(QsoField::Power)->setText("77");
    dialogs.fileNames.push_back(writeLog("log.adi", threeRecordLog));
    click("EncartaButton8");
    // The load has begun but runs from the event loop: the window is not held up.
    EXPECT_TRUE(adif().isBusy());
    EXPECT_TRUE(led()->isLit());
    EXPECT_FALSE(closeButton()->isButtonEnabled());
    form->entryOverlay(QsoField::Power)->setText("1");
    waitForLoad();
    EXPECT_EQ(adif().rows().rows(),
              QStringList({"   abc, 04.05.2024, 0930, 7.100, 77, CW, 599",
                           "DL1ABC, 12.31.2024, 2359, 14.074, 50W, FT8, -10, a@b.de"}));
    EXPECT_FALSE(led()->isLit());
    EXPECT_TRUE(closeButton()->isButtonEnabled());
    EXPECT_EQ(progress(), "log.adi: 2 rows added, 1 record skipped: 1 without CALL");
    EXPECT_EQ(form->control<FileDialogMemory>("OpenDialog2")->initialDir(), dir.path() + "/");
    EXPECT_TRUE(dialogs.texts("error").isEmpty());
}

TEST_F(AdifPanel, SecondLoadAppendsItsRows)
{
    adif().openPanel();
    loadLog(writeLog("a.adi", threeRecordLog));
    loadLog(writeLog("b.adi", "<call:4>K1AB<freq:4>1296<eor>"));
    ASSERT_EQ(adif().rows().rowCount(), 3);
    EXPECT_EQ(adif().rows().rows().last(), "  K1AB, , , 1296.000, , , ");
}

TEST_F(AdifPanel, BigLogArrivesWholeAfterManySlices)
{
    QByteArray log = "<adif_ver:5>3.1.4<eoh>\n";
    for (int i = 0; i < 30000; ++i)
        log += "<call:6>K" + QByteArray::number(100000 + i).right(5)
               + " <qso_date:8>20240405 <time_on:4>0930 <freq:3>7.1 <mode:2>CW <rst_rcvd:3>599 <eor>\n";
    adif().openPanel();
    dialogs.fileNames.push_back(writeLog("big.adi", log));
    click("EncartaButton8");
    EXPECT_EQ(adif().rows().rowCount(), 0);
    waitForLoad();
    ASSERT_EQ(adif().rows().rowCount(), 30000);
    EXPECT_EQ(adif().rows().rows().at(29999), "K29999, 04.05.2024, 0930, 7.100, , CW, 599");
}

TEST_F(AdifPanel, UnreadableLogChangesNothing)
{
    adif().openPanel();
    loadLog(writeLog("a.adi", threeRecordLog));
    dialogs.fileNames.push_back(dir.path() + "/missing.adi");
    click("EncartaButton8");
    EXPECT_EQ(dialogs.texts("error"), QStringList{"Cannot open file " + dir.path() + "/missing.adi"});
    EXPECT_FALSE(adif().isBusy());
    EXPECT_FALSE(led()->isLit());
    EXPECT_TRUE(closeButton()->isButtonEnabled());
    EXPECT_EQ(adif().rows().rowCount(), 2);
}

TEST_F(AdifPanel, CancelledDialogLoadsNothing)
{
    adif().openPanel();
    click("EncartaButton8");
    EXPECT_FALSE(adif().isBusy());
    EXPECT_EQ(adif().rows().rowCount(), 0);
}

TEST_F(AdifPanel, SearchAndNextButtonsScrollAndResume)
{
    QByteArray log;
    for (const char *call : {"K1AA", "K2BB", "W1AW", "K3CC", "W1AW", "K4DD"})
        log += QByteArray("<call:4>") + call + "<freq:3>7.1<eor>";
    adif().openPanel();
    loadLog(writeLog("s.adi", log));
    const auto selected = [this] {
        QList<int> rows;
        for (const QModelIndex &index : list()->selectionModel()->selectedRows())
            rows << index.row();
        return rows;
    };
    list()->selectionModel()->select(adif().rows().index(0), QItemSelectionModel::Select);
    // Typed as an operator types a call sign: letter case makes no difference.
    form->control<QLineEdit>("Edit1")->setText("w1aw");
    EXPECT_EQ(adif().resumeIndex(), -1);
    click("EncartaButton13");
    EXPECT_EQ(adif().resumeIndex(), -1);
    EXPECT_EQ(selected(), QList<int>{0});
    click("EncartaButton12");
    EXPECT_EQ(adif().resumeIndex(), 3);
    EXPECT_EQ(selected(), QList<int>{2});
    EXPECT_EQ(list()->currentIndex().row(), 2);
    click("EncartaButton13");
    EXPECT_EQ(adif().resumeIndex(), 5);
    EXPECT_EQ(selected(), QList<int>{4});
    click("EncartaButton13");
    EXPECT_EQ(adif().resumeIndex(), -1);
    // Nothing more found: the last hit stays selected.
    EXPECT_EQ(selected(), QList<int>{4});
}

TEST_F(AdifPanel, LoadDialogOffersAdifLogsAndAllFiles)
{
    adif().openPanel();
    click("EncartaButton8");
    const QStringList filters = dialogs.lastFilter.split(QStringLiteral(";;"));
    ASSERT_EQ(filters.size(), 2);
    EXPECT_TRUE(filters[0].contains(QStringLiteral("*.adi ")));
    EXPECT_TRUE(filters[0].contains(QStringLiteral("*.adif")));
    EXPECT_EQ(filters[1], QStringLiteral("All files (*)"));
}

} // namespace

// Rows of one call sign selected while a card lists several QSOs: their card lies over the
// window's card, the one the command line makes of them; anything else gives the card back.
TEST_F(AdifPanel, SelectedRowsOfOneCallShowTheirTableOnTheCard)
{
    adif().openPanel();
    QByteArray log = "<eoh>\n";
    for (const char *record :
         {"<call:5>K1ABC<qso_date:8>20260302<time_on:4>1200<freq:6>14.074<mode:3>FT8<eor>\n",
          "<call:6>DL1XYZ<qso_date:8>20260301<time_on:4>0800<freq:5>7.074<mode:2>CW<eor>\n",
          "<call:5>k1abc<qso_date:8>20260301<time_on:4>0900<freq:5>7.074<mode:2>CW<eor>\n"})
        log += record;
    loadLog(writeLog("calls.adi", log));
    auto *preview = form->control<QLabel>("QsoTablePreview");
    const QImage cardBefore = form->cardDocument().paintCard();

    selectRows({0, 2});
    EXPECT_TRUE(preview->isHidden()) << "one QSO a card shows no table";
    form->control<QSlider>("QsosPerCardBar")->setValue(3);
    ASSERT_FALSE(preview->isHidden());
    CardDocument expected;
    expected.adoptDesignOf(form->cardDocument());
    const std::vector<QsoRecord> inTimeOrder = {parseListRow(adif().rows().rows()[2]),
                                                parseListRow(adif().rows().rows()[0])};
    EXPECT_EQ(preview->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
              expected.paintCard(inTimeOrder));
    EXPECT_EQ(form->cardDocument().paintCard(), cardBefore) << "the card under it changed";

    selectRows({1});
    EXPECT_TRUE(preview->isHidden()) << "two calls are no table";
    list()->clearSelection();
    selectRows({0, 2});
    EXPECT_FALSE(preview->isHidden());
    adif().closePanel();
    EXPECT_TRUE(preview->isHidden());
}
