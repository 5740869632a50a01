// The batch runs of the ADIF panel: JPG Selected and Print Selected.
#include "AdifPanelFixture.h"

#include "PdfPage.h"
#include "PrintWindow.h"
#include "QtPrinters.h"
#include "LetterSheet.h"
#include "features/BatchCard.h"
#include "CardDocument.h"
#include "CardPictureFiles.h"
#include "ListRow.h"

#include <QSlider>

#include <QDate>
#include <QKeyEvent>
#include <QPrinter>

namespace {

const QByteArray batchLog =
    "<adif_ver:5>3.1.4<eoh>\n"
    "<call:10>DL/K1ABC/P <qso_date:8>20240405 <time_on:6>093015 <freq:3>7.1 <mode:2>CW "
    "<tx_pwr:3>50W <rst_rcvd:3>599 <email:11>k1@mail.org <eor>\n"
    "<call:3>abc <qso_date:8>20241231 <time_on:4>2359 <freq:6>14.074 <mode:3>FT8 <rst_rcvd:3>-10 <eor>\n"
    "<call:4>K2BB <qso_date:8>20240101 <time_on:4>0001 <freq:5>3.573 <mode:3>FT4 <rst_rcvd:3>+03 <eor>\n"
    "<call:4>K3CC <qso_date:8>20240102 <time_on:4>0002 <freq:4>1296 <mode:3>SSB <rst_rcvd:2>59 <eor>\n";

class BatchRun : public AdifPanelFixture
{
protected:
    void SetUp() override
    {
        AdifPanelFixture::SetUp();
        adif().openPanel();
        form->entryOverlay(QsoField::Power)->setText("5");
        loadLog(writeLog("batch.adi", batchLog));
        ASSERT_EQ(adif().rows().rowCount(), 4);
    }
    QString batchDir() const { return dir.path() + "/BatchJPG/"; }
    QString infoFile(const QString &call) const
    {
        return batchDir() + QDate::currentDate().toString("yy_MM_dd_") + call + "_info.txt";
    }
    void expectRunEnded()
    {
        EXPECT_FALSE(adif().isBusy());
        EXPECT_FALSE(led()->isLit());
        EXPECT_TRUE(closeButton()->isButtonEnabled());
        for (const card::QsoFieldNames &field : card::qsoFields()) {
            EXPECT_EQ(form->entryOverlay(field.field)->text(), "") << field.overlay;
            EXPECT_EQ(form->valueElement(field.field)->caption(), "") << field.valueElement;
            EXPECT_FALSE(form->entryOverlay(field.field)->isHidden()) << field.overlay;
        }
    }
};

TEST_F(BatchRun, JpgSelectedWritesPictureAndContactFileInCreatedFolder)
{
    ASSERT_FALSE(QDir(batchDir()).exists());
    selectRows({1, 0});
    click("EncartaButton10");
    EXPECT_TRUE(dialogs.texts("error").isEmpty()) << dialogs.texts("error").join("\n").toStdString();
    expectRunEnded();
    EXPECT_EQ(QDir(batchDir()).entryList({"*.jpg"}, QDir::Files, QDir::Name),
              QStringList({"ABC.jpg", "DL_K1ABC_P.jpg"}));
    EXPECT_EQ(loadLines(infoFile("DL_K1ABC_P")),
              QStringList({"k1@mail.org", "DL/K1ABC/P", "4.5.2024", "09:30", "7.100", "CW", "50W", "599"}));
    EXPECT_EQ(loadLines(infoFile("ABC")),
              QStringList({"No email address", "ABC", "12.31.2024", "23:59", "14.074", "FT8", "5", "-10"}));
    EXPECT_EQ(progress(), "2 of 2 cards made");
    EXPECT_EQ(list()->selectionModel()->selectedRows().size(), 2);
}

TEST_F(BatchRun, JpgSelectedKeepsEveryCardOfACallSign)
{
    loadLog(writeLog("k8bl.adi",
                     "<eoh><call:4>K8BL <qso_date:8>20230406 <time_on:4>1000 <freq:3>7.1 <mode:2>CW <eor>"
                     "<call:4>K8BL <qso_date:8>20230407 <time_on:6>194100 <freq:6>14.080 <mode:3>FT4 <eor>"
                     "<call:4>k8bl <qso_date:8>20230407 <time_on:4>2005 <freq:6>14.070 <mode:3>FT8 <eor>"));
    selectRows({4, 5, 6});
    click("EncartaButton10");
    EXPECT_TRUE(dialogs.texts("error").isEmpty()) << dialogs.texts("error").join("\n").toStdString();
    EXPECT_EQ(QDir(batchDir()).entryList({"K8BL*.jpg"}, QDir::Files, QDir::Name),
              QStringList({"K8BL.jpg", "K8BL_20230407_1941.jpg", "K8BL_20230407_2005.jpg"}));
    const std::pair<const char *, const char *> infos[] = {
        {"K8BL", "10:00"}, {"K8BL_20230407_1941", "19:41"}, {"K8BL_20230407_2005", "20:05"}};
    for (const auto &[name, time] : infos) {
        const QStringList lines = loadLines(infoFile(name));
        ASSERT_EQ(lines.size(), 8) << name;
        EXPECT_EQ(lines[3], QString::fromLatin1(time)) << name;
    }
    EXPECT_EQ(progress(), "3 of 3 cards made");
}

// With several QSOs a card, the selected rows of one call sign share cards in time order, as
// `kartello cards --group-by-call` makes them; a call's one QSO keeps the card it always had.
TEST_F(BatchRun, JpgSelectedGroupsACallsQsosWhenACardListsSeveral)
{
    loadLog(writeLog("k8bl.adi",
                     "<eoh><call:4>K8BL <qso_date:8>20230407 <time_on:6>194100 <freq:6>14.080 <mode:3>FT4 <eor>"
                     "<call:4>K8BL <qso_date:8>20230406 <time_on:4>1000 <freq:3>7.1 <mode:2>CW <eor>"
                     "<call:4>k8bl <qso_date:8>20230407 <time_on:4>2005 <freq:6>14.070 <mode:3>FT8 <eor>"));
    form->control<QSlider>("QsosPerCardBar")->setValue(2);
    selectRows({4, 5, 6, 1});
    click("EncartaButton10");
    EXPECT_TRUE(dialogs.texts("error").isEmpty()) << dialogs.texts("error").join("\n").toStdString();
    expectRunEnded();
    EXPECT_EQ(QDir(batchDir()).entryList({"*.jpg"}, QDir::Files, QDir::Name),
              QStringList({"ABC.jpg", "K8BL.jpg", "K8BL_20230407_2005.jpg"}));
    EXPECT_EQ(progress(), "3 of 3 cards made");
    // The first card of K8BL: its two earliest QSOs, the table the window's design draws.
    CardDocument expected;
    expected.adoptDesignOf(form->cardDocument());
    const QString table = dir.path() + "/table.jpg";
    writeCardJpeg(expected.paintCard({parseListRow(adif().rows().rows()[5]),
                                      parseListRow(adif().rows().rows()[4])}),
                  table);
    EXPECT_TRUE(readFile(batchDir() + "K8BL.jpg") == readFile(table));
    EXPECT_EQ(loadLines(infoFile("K8BL")),
              QStringList({"No email address", "K8BL", "4.6.2023", "10:00", "7.100", "CW", "5", ""}));
}

TEST_F(BatchRun, JpgSelectedCardIsByteForByteCreateJpg)
{
    selectRows({0});
    click("EncartaButton10");
    const QByteArray batch = readFile(batchDir() + "DL_K1ABC_P.jpg");
    ASSERT_GT(batch.size(), 1000);

    const QString cards = dir.path() + "/cards/";
    QDir().mkpath(cards);
    writeFile(dataFile("lfile.qec"), (cards + "\r\n").toUtf8());
    const char *texts[][2] = {{"ContactCallSign", "DL/K1ABC/P"}, {"UTCDate", "4.5.2024"},
                              {"UTCTime", "09:30"}, {"Freq", "7.100"}, {"Mode", "CW"},
                              {"Power", "50W"}, {"Signal", "599"}, {"ContactsEmail", "k1@mail.org"}};
    for (const auto &t : texts)
        form->control<EntryEdit>(t[0])->setText(t[1]);
    dialogs.fileNames.push_back(cards + "DL_K1ABC_P.jpg");
    click("JPGButton1");
    ASSERT_TRUE(dialogs.texts("error").isEmpty()) << dialogs.texts("error").join("\n").toStdString();
    EXPECT_TRUE(readFile(cards + "DL_K1ABC_P.jpg") == batch) << "JPG Selected differs from Create JPG";
}

TEST_F(BatchRun, FailureMidRunKeepsEarlierCardsAndPutsLedAndCloseBack)
{
    QDir().mkpath(batchDir() + "ABC.jpg");   // a folder where the second picture should go
    selectRows({0, 1, 2});
    click("EncartaButton10");
    EXPECT_EQ(dialogs.texts("error"), QStringList{"Cannot create file " + batchDir() + "ABC.jpg"});
    expectRunEnded();
    EXPECT_TRUE(QFile::exists(batchDir() + "DL_K1ABC_P.jpg"));
    EXPECT_FALSE(QFile::exists(batchDir() + "K2BB.jpg"));
}

TEST_F(BatchRun, EscStopsBetweenTwoCardsAndKeepsTheCardsMade)
{
    // Esc is pressed while the first card is being made; the run shows it is busy then.
    bool litDuringRun = false, closeOffDuringRun = false;
    QString progressDuringRun;
    QObject::connect(form->entryOverlay(QsoField::CallSign), &QLineEdit::textChanged, form.get(),
                     [&, this](const QString &text) {
                         if (text != "DL/K1ABC/P")
                             return;
                         litDuringRun = led()->isLit();
                         closeOffDuringRun = !closeButton()->isButtonEnabled();
                         progressDuringRun = progress();
                         QCoreApplication::postEvent(form.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
                     });
    selectRows({0, 1, 2});
    click("EncartaButton10");
    expectRunEnded();
    EXPECT_EQ(QDir(batchDir()).entryList({"*.jpg"}, QDir::Files), QStringList{"DL_K1ABC_P.jpg"});
    EXPECT_EQ(progress(), "Stopped after 1 of 3 cards");
    EXPECT_TRUE(litDuringRun);
    EXPECT_TRUE(closeOffDuringRun);
    EXPECT_EQ(progressDuringRun, "Card 1 of 3");
}

TEST_F(BatchRun, ClosingTheWindowEndsTheRunAfterTheCardInHand)
{
    form->show();
    QObject::connect(form->entryOverlay(QsoField::CallSign), &QLineEdit::textChanged, form.get(),
                     [this](const QString &text) {
                         if (text == "DL/K1ABC/P")
                             QMetaObject::invokeMethod(form.get(), "close", Qt::QueuedConnection);
                     });
    selectRows({0, 1, 2});
    click("EncartaButton10");
    EXPECT_EQ(QDir(batchDir()).entryList({"*.jpg"}, QDir::Files), QStringList{"DL_K1ABC_P.jpg"});
    EXPECT_FALSE(adif().isBusy());
}

TEST_F(BatchRun, NoRowSelectedMakesNothing)
{
    click("EncartaButton10");
    expectRunEnded();
    EXPECT_TRUE(QDir(batchDir()).entryList({"*.jpg"}, QDir::Files).isEmpty());
}

// Which of the three card slots of a PDF page hold something.
std::vector<bool> filledSlots(const QString &pdf, int page, const QString &work)
{
    const QString base = work + "/page" + QString::number(page);
    runTool("pdftoppm", {"-r", "96", "-png", "-singlefile", "-f", QString::number(page), "-l",
                         QString::number(page), pdf, base});
    const QImage image(base + ".png");
    std::vector<bool> filled;
    const double pxPerMm = 96 / 25.4;
    for (int slot = 0; slot < LetterSheet::SlotCount; ++slot) {
        const QRectF mm =
            LetterSheet::slotRectMm(slot).translated(LetterSheet::MarginMm, LetterSheet::MarginMm);
        const QRect area(int(mm.x() * pxPerMm) + 4, int(mm.y() * pxPerMm) + 4, 500, 200);
        bool any = false;
        for (int y = area.top(); y < area.bottom() && !any; y += 2)
            for (int x = area.left(); x < area.right() && !any; x += 2)
                any = image.pixelColor(x, y) != QColor(Qt::white);
        filled.push_back(any);
    }
    return filled;
}

struct PrintCase
{
    const char *name;
    std::vector<int> rows;
    int pages;
    std::vector<bool> lastPage;
};

void PrintTo(const PrintCase &c, std::ostream *os) { *os << c.name; }

class BatchPrint : public BatchRun, public ::testing::WithParamInterface<PrintCase>
{
};

TEST_P(BatchPrint, PutsThreeCardsOnAPageInOneJob)
{
    const PrintCase &c = GetParam();
    const QString pdf = dir.path() + "/batch.pdf";
    dialogs.printAnswers.push_back(true);
    dialogs.onPrint = [pdf](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    };
    for (int row : c.rows)
        selectRows({row});
    click("EncartaButton9");
    EXPECT_TRUE(dialogs.texts("error").isEmpty()) << dialogs.texts("error").join("\n").toStdString();
    expectRunEnded();
    EXPECT_EQ(form->cardOutputs().printWindow().printer().docName(), "Batch QSL print");
    ASSERT_EQ(pdfPageCount(pdf), c.pages);
    for (int page = 1; page < c.pages; ++page)
        EXPECT_EQ(filledSlots(pdf, page, dir.path()), std::vector<bool>({true, true, true}));
    EXPECT_EQ(filledSlots(pdf, c.pages, dir.path()), c.lastPage);
}

const PrintCase printCases[] = {
    {"FourRowsTwoPages", {0, 1, 2, 3}, 2, {true, false, false}},
    {"ThreeRowsOnePage", {0, 1, 2}, 1, {true, true, true}},
    {"TwoRowsOnePage", {3, 1}, 1, {true, true, false}},
};

INSTANTIATE_TEST_SUITE_P(Adif, BatchPrint, ::testing::ValuesIn(printCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Print to File proposes a PDF named after the log in the card folder, beside the cards;
// without a readable card folder the print dialog's own proposal stands.
TEST_F(BatchRun, PrintToFileProposesTheLogsNameInTheCardFolder)
{
    writeFile(dataFile("lfile.qec"), (dir.path() + "/cards/\r\n").toUtf8());
    dialogs.printAnswers.push_back(false);
    selectRows({0});
    click("EncartaButton9");
    EXPECT_EQ(dialogs.lastProposedPrintFile, dir.path() + "/cards/batch.pdf");

    QFile::remove(dataFile("lfile.qec"));
    dialogs.printAnswers.push_back(false);
    click("EncartaButton9");
    EXPECT_EQ(dialogs.lastProposedPrintFile, QString());
    EXPECT_TRUE(dialogs.texts("error").isEmpty());
}

TEST_F(BatchRun, CancelledPrintDialogChangesNothing)
{
    dialogs.printAnswers.push_back(false);
    selectRows({0});
    form->entryOverlay(QsoField::Power)->setText("5");
    click("EncartaButton9");
    EXPECT_EQ(form->entryOverlay(QsoField::Power)->text(), "5");
    EXPECT_FALSE(led()->isLit());
}

} // namespace
