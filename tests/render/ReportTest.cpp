#include "ReportEngine.h"
#include "ReportDetailLink.h"
#include "CardRecordField.h"
#include "Report.h"
#include "CardSystemField.h"
#include "TestNames.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

// The report printer is shared; every test starts from a fresh preview set-up.
class ReportLayer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        reportPrinter().endDoc();
        reportPrinter().clearPages();
        reportPrinter().setPreviewMode(true);
        reportPrinter().setOrientation(PrinterOrientation::Portrait);
        reportPrinter().setPaperSize(PaperSize::A4);
        setShowFieldNames(false);
        setShowFieldCaptions(false);
    }
    void TearDown() override { SetUp(); }
};

struct FieldRow
{
    const char *name;
    QStringList values;
    int steps;            // nextValue calls before printedText
    bool showCaptions, showNames;
    const char *fieldName;
    const char *expected;
};

void PrintTo(const FieldRow &row, std::ostream *os)
{
    *os << row.name;
}

class FieldText : public ::testing::TestWithParam<FieldRow> {};

TEST_P(FieldText, PrintTextFollowsValuesAndTheEmptyFieldRules)
{
    const FieldRow &row = GetParam();
    QObject owner;
    auto *master = new CardRecordField(&owner);
    master->setObjectName(QStringLiteral("CALL"));
    master->values() << QStringLiteral("DL1ABC");
    auto *field = new CardRecordField(&owner);
    field->setObjectName(QString::fromUtf8(row.fieldName));
    field->setCaption(QStringLiteral("Call sign"));
    field->values() = row.values;
    setShowFieldCaptions(row.showCaptions);
    setShowFieldNames(row.showNames);
    for (int i = 0; i < row.steps; ++i)
        field->nextValue();
    EXPECT_EQ(field->printedText().toStdString(), row.expected);
    setShowFieldCaptions(false);
    setShowFieldNames(false);
}

const FieldRow fieldRows[] = {
    {"first value", {"a", "b"}, 0, false, false, "f", "a"},
    {"second value", {"a", "b"}, 1, false, false, "f", "b"},
    {"past the end of two", {"a", "b"}, 5, false, false, "f", "~"},
    {"the only value stays", {"a"}, 3, false, false, "f", "a"},
    {"empty shows the caption", {}, 0, true, true, "f", "Call sign"},
    {"empty shows the name", {}, 0, false, true, "Call_", "[CALL_]"},
    {"empty takes its master's text", {}, 0, false, false, "CALL__", "DL1ABC"},
    {"empty without master", {}, 0, false, false, "QTH_", "~"},
    {"empty plain", {}, 0, false, false, "f", "~"},
    {"duplicates kept", {"x", "x", "y"}, 2, false, false, "f", "y"},
};

INSTANTIATE_TEST_SUITE_P(CardRecordField, FieldText, ::testing::ValuesIn(fieldRows),
                         [](const auto &info) { return testName(info.param.name); });

TEST(CardRecordField, NextValueWalksTheListOnce)
{
    const struct { int count; std::vector<bool> answers; } rows[] = {
        {0, {false, false}}, {1, {false, false}}, {2, {true, false, false}},
        {3, {true, true, false, false}},
    };
    for (const auto &row : rows) {
        CardRecordField field;
        for (int i = 0; i < row.count; ++i)
            field.values() << QString::number(i);
        std::vector<bool> answers;
        for (size_t i = 0; i < row.answers.size(); ++i)
            answers.push_back(field.nextValue());
        EXPECT_EQ(answers, row.answers) << row.count << " values";
        EXPECT_LE(field.valueIndex(), row.count);
        if (row.count == 2) { // past the end, a single remaining value still prints
            field.values().removeLast();
            EXPECT_EQ(field.printedText().toStdString(), "0");
        }
        field.resetValues();
        EXPECT_EQ(field.valueIndex(), 0);
        field.clearValues();
        EXPECT_TRUE(field.values().isEmpty());
    }
}

TEST(Report, ConstructionClearsTheSwitches)
{
    setShowFieldNames(true);
    setShowFieldCaptions(true);
    Report report;
    EXPECT_FALSE(showFieldNames());
    EXPECT_FALSE(showFieldCaptions());
    EXPECT_EQ(report.orientation(), PrinterOrientation::Portrait);
    EXPECT_EQ(report.papersize(), PaperSize::A4);
}

TEST_F(ReportLayer, MarginsStayBelowThePaperWidth)
{
    const struct { PaperSize paper; int margin; int kept; } rows[] = {
        {PaperSize::A4, 209, 209},  {PaperSize::A4, 210, 0},        {PaperSize::A4, 0, 0},
        {PaperSize::A4, -1, 0},     {PaperSize::A5, 147, 147},      {PaperSize::A5, 148, 0},
        {PaperSize::Letter, 214, 214}, {PaperSize::Legal, 215, 0},
    };
    for (const auto &row : rows) {
        Report report;
        report.setPapersize(row.paper);
        report.setLeftMarginMM(row.margin);
        report.setRightMarginMM(row.margin);
        EXPECT_EQ(report.leftMarginMM(), row.kept) << static_cast<int>(row.paper) << " " << row.margin;
        EXPECT_EQ(report.rightMarginMM(), row.kept) << static_cast<int>(row.paper) << " " << row.margin;
    }
}

TEST(ReportPrinter, PagePixelsRoundToNearest)
{
    constexpr auto Portrait = PrinterOrientation::Portrait;
    constexpr auto Landscape = PrinterOrientation::Landscape;
    const struct { PaperSize paper; PrinterOrientation o; int ppi; QSize size; } rows[] = {
        {PaperSize::A4, Portrait, 96, {794, 1123}},    {PaperSize::A4, Landscape, 96, {1123, 794}},
        {PaperSize::A5, Portrait, 96, {559, 794}},     {PaperSize::Letter, Portrait, 96, {813, 1054}},
        {PaperSize::Legal, Portrait, 96, {813, 1342}}, {PaperSize::A4, Portrait, 600, {4961, 7016}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(pagePixels(row.paper, row.o, row.ppi), row.size) << static_cast<int>(row.paper) << " " << row.ppi;
}

TEST_F(ReportLayer, PreviewMetricsFollowTheScreenAndTheReport)
{
    const int screenPpi = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX());
    ReportPrinter &printer = reportPrinter();
    EXPECT_TRUE(printer.previewMode());
    EXPECT_EQ(printer.pixelsPerInchX(), screenPpi);
    EXPECT_EQ(printer.printingOffset(), QPoint(0, 0));
    EXPECT_EQ(QSize(printer.pageWidth(), printer.pageHeight()),
              pagePixels(PaperSize::A4, PrinterOrientation::Portrait, screenPpi));

    Report report;
    report.setOrientation(PrinterOrientation::Landscape);
    EXPECT_EQ(QSize(printer.pageWidth(), printer.pageHeight()),
              pagePixels(PaperSize::A4, PrinterOrientation::Landscape, screenPpi));
    report.setPapersize(PaperSize::Letter);
    EXPECT_EQ(QSize(printer.pageWidth(), printer.pageHeight()),
              pagePixels(PaperSize::Letter, PrinterOrientation::Landscape, screenPpi));
}

TEST_F(ReportLayer, PagesAreCreatedOnDemandAndCounted)
{
    ReportPrinter &printer = reportPrinter();
    EXPECT_EQ(printer.pageCount(), 0);
    printer.canvas(); // the first canvas makes the first page
    EXPECT_EQ(printer.pageCount(), 1);
    RecordedPage *first = printer.currentPage();
    EXPECT_TRUE(first->drawing());
    printer.newPage();
    EXPECT_EQ(printer.pageCount(), 2);
    EXPECT_FALSE(first->drawing()) << "a new page closes the previous one";
    EXPECT_EQ(printer.currentPage()->width(), printer.pageWidth());
    EXPECT_EQ(printer.currentPage()->height(), printer.pageHeight());
    CardSystemField pageNumber;
    pageNumber.setDataType(SystemDataType::PageNumber);
    EXPECT_EQ(pageNumber.printedText().toStdString(), "2");
}

TEST(RecordedPage, ReopeningStartsANewRecording)
{
    RecordedPage page(40, 30);
    page.canvas()->fillRect(QRect(0, 0, 10, 10), Qt::red);
    page.closeDrawing();
    EXPECT_EQ(page.toImage().pixel(5, 5), qRgb(255, 0, 0));
    page.openDrawing();
    page.canvas()->fillRect(QRect(20, 20, 10, 10), Qt::blue);
    page.closeDrawing();
    const QImage image = page.toImage();
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(25, 25), qRgb(0, 0, 255));
}

TEST(CardSystemField, TextsByDataType)
{
    QObject owner;
    owner.setObjectName(QStringLiteral("Form1"));
    const struct { SystemDataType type; const char *caption; const char *text; } rows[] = {
        {SystemDataType::Counter, "#Counter#", "1"},
        {SystemDataType::Count, "#Count#", "E"},
        {SystemDataType::FormName, "#Form1#", "Form1"},
        {SystemDataType::PageNumber, "#Page#", nullptr},
        {SystemDataType::Time, "#hh:mm:ss#", nullptr},
        {SystemDataType::Date, "#tt.mm.jjjj#", nullptr},
        {SystemDataType::DateTime, "#tt.mm.jjjj hh:mm:ss#", nullptr},
    };
    for (const auto &row : rows) {
        CardSystemField field(&owner);
        field.setDataType(row.type);
        EXPECT_EQ(field.caption().toStdString(), row.caption);
        if (row.text)
            EXPECT_EQ(field.printedText().toStdString(), row.text);
        else
            EXPECT_FALSE(field.printedText().isEmpty());
    }
    CardSystemField counter;
    counter.setDataType(SystemDataType::Counter);
    EXPECT_FALSE(counter.nextValue());
    EXPECT_FALSE(counter.nextValue());
    EXPECT_EQ(counter.printedText().toStdString(), "3");
    EXPECT_EQ(CardSystemField().color(), QColor(Qt::white));
}

TEST(ReportDetailLink, GroupBandPointsBackOnlyToItsCurrentLink)
{
    QWidget form;
    auto *first = new CardBand(&form);
    auto *second = new CardBand(&form);
    ReportDetailLink link;
    link.setGroupBand(first);
    EXPECT_EQ(first->detailLink(), &link);
    link.setGroupBand(second);
    EXPECT_EQ(second->detailLink(), &link);
    EXPECT_EQ(first->detailLink(), nullptr);
    {
        ReportDetailLink other;
        other.setGroupBand(first);
    }
    EXPECT_EQ(first->detailLink(), nullptr) << "a freed link leaves no reference behind";
}

TEST(ReportEngine, RegisteredClassesCreateThemselves)
{
    QWidget form;
    const QStringList names = registeredReportClasses();
    EXPECT_EQ(names.size(), 8);
    for (const QString &name : names) {
        std::unique_ptr<QObject> made(createReportComponent(name, &form));
        ASSERT_TRUE(made) << name.toStdString();
        EXPECT_EQ(QString::fromLatin1(made->metaObject()->className()), name);
    }
    EXPECT_EQ(createReportComponent(QStringLiteral("CardChart"), &form), nullptr);
}

} // namespace
