#include "CardDesign.h"
#include "DesignBinding.h"
#include "MainWindowFixture.h"
#include "QtPrinters.h"

#include "CardElements.h"
#include "CardLabel.h"
#include "CollapsiblePanel.h"
#include "Mailer.h"
#include "EntryEdit.h"
#include "FilePlaces.h"
#include "CardBand.h"
#include "CardPictureElement.h"
#include "WindowDescription.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QShowEvent>

#include <algorithm>

namespace {

QStringList titles(const MainWindow &form)
{
    QStringList out;
    for (const QString &name : card::titleElements())
        out << form.control<CardLabel>(name)->caption();
    return out;
}

QString radioCaption(const MainWindow &form, const QString &name)
{
    return form.control<QRadioButton>(name)->text();
}

} // namespace

// ---- failures at start-up ----

struct StartupFailure {
    const char *what;
    const char *file;            // data file changed before the start
    const char *content;         // nullptr: the file is deleted
    const char *error;           // expected error text; "%1" stands for the file's path
    QStringList expectedTitles;
    bool identityLoaded;         // the station identity still arrives
};

class StartupFailures : public MainWindowFixture,
                        public ::testing::WithParamInterface<StartupFailure> {};

TEST_P(StartupFailures, AreReportedAndLaterStepsStillRun)
{
    const StartupFailure &row = GetParam();
    if (row.content)
        writeFile(dataFile(row.file), row.content);
    else
        QFile::remove(dataFile(row.file));
    start();

    QStringList expectedErrors;
    if (row.error)
        expectedErrors << QString::fromLatin1(row.error).arg(dataFile(row.file));
    EXPECT_EQ(expectedErrors, dialogs.texts("error"));
    EXPECT_EQ(row.expectedTitles, titles(*form));
    // Pick lists after "Info.txt" are independent of it.
    EXPECT_EQ(QString("SSB"), radioCaption(*form, "RBMode1"));
    // Send QSL relies on the recipient entry, whatever failed before it.
    EXPECT_EQ(1, form->mailer().recipients.count());
    EXPECT_EQ(&form->mailer().recipients[0], form->mailRecipient());
    EXPECT_EQ(row.identityLoaded ? QString("N0CALL") : QString(),
              form->control<QLineEdit>("CallSignEdit1")->text());
}

const QStringList kShippedTitles = {"Confirming QSO with", "UTC Date", "UTC Time", "Freq MHz",
                                    "Mode", "Power", "Signal"};

INSTANTIATE_TEST_SUITE_P(
    Rows, StartupFailures,
    ::testing::Values(
        StartupFailure{"missing_info", "Info.txt", nullptr, "Cannot open file %1",
                       kShippedTitles, true},
        StartupFailure{"six_line_info", "Info.txt", "Call\r\nDate\r\nTime\r\nMHz\r\nMd\r\nPwr\r\n",
                       "List index out of bounds (6)",
                       {"Call", "Date", "Time", "MHz", "Md", "Pwr", "Signal"}, true},
        StartupFailure{"bad_number_in_prefs", "prefs.txt", "8\r\n-7\r\nabc\r\n", 
                       "'abc' is not a valid integer value", kShippedTitles, true},
        StartupFailure{"short_prefs", "prefs.txt", "8\r\n-7\r\n",
                       "List index out of bounds (2)", kShippedTitles, true},
        StartupFailure{"missing_identity", "dfile.qec", nullptr, "Cannot open file %1",
                       kShippedTitles, false},
        StartupFailure{"deleted_background", "gfile.qec", "/no/such/picture.bmp\r\n", nullptr,
                       kShippedTitles, true}),
    [](const auto &info) { return std::string(info.param.what); });

TEST_F(MainWindowFixture, DeletedBackgroundPictureLeavesTheCardWithoutOne)
{
    writeFile(dataFile("gfile.qec"), (dir.path() + "/gone.bmp\r\n").toUtf8());
    start();
    EXPECT_TRUE(dialogs.texts("error").isEmpty());
    EXPECT_TRUE(form->control<CardPictureElement>("tAlImage1")->picture().isEmpty());
}

TEST_F(MainWindowFixture, BackgroundPictureNamedInGfileIsLoaded)
{
    QImage picture(511, 280, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.path() + "/bkg.bmp"));
    writeFile(dataFile("gfile.qec"), (dir.path() + "/bkg.bmp\r\n").toUtf8());
    start();
    EXPECT_TRUE(form->control<CardPictureElement>("tAlImage1")->picture().isBitmap());
}

// A file that could not be read whole at start-up is written whole at shutdown, and what the
// operator had in it is kept as NAME.bak.
struct DamagedFile {
    const char *name;
    const char *file;
    const char *content;   // nullptr: the file is missing
    int lines;             // lines of the file written at shutdown
};

void PrintTo(const DamagedFile &row, std::ostream *os) { *os << row.name; }

class ShutdownHealsDamagedFiles : public MainWindowFixture,
                                  public ::testing::WithParamInterface<DamagedFile> {};

TEST_P(ShutdownHealsDamagedFiles, WritesThemWholeAndKeepsTheOldOnes)
{
    const DamagedFile &row = GetParam();
    if (row.content)
        writeFile(dataFile(row.file), row.content);
    else
        QFile::remove(dataFile(row.file));
    start();
    form->control<QLineEdit>("CallSignEdit1")->setText("DL2XYZ");
    closeAndDestroy();
    const QStringList lines = loadLines(dataFile(row.file));
    EXPECT_EQ(row.lines, lines.size());
    EXPECT_EQ(row.content ? QByteArray(row.content) : QByteArray(),
              readFile(dataFile(row.file) + ".bak"));
    if (QString(row.file) == "dfile.qec")
        EXPECT_EQ(QString("DL2XYZ"), lines.value(0));
    else
        EXPECT_EQ(QString("8"), lines.value(0));

    // The next start reads both files without a complaint.
    dialogs.shown.clear();
    start();
    EXPECT_EQ(QStringList(), dialogs.texts("error"));
    EXPECT_EQ(QString("DL2XYZ"), form->control<QLineEdit>("CallSignEdit1")->text());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ShutdownHealsDamagedFiles,
    ::testing::Values(DamagedFile{"PrefsBadNumber", "prefs.txt", "8\r\n-7\r\nx77\r\n224\r\n", 88},
                      DamagedFile{"PrefsShort", "prefs.txt", "8\r\n-7\r\n", 88},
                      DamagedFile{"IdentityShort", "dfile.qec", "K1ABC\r\nAnn\r\n3\r\n4\r\n5\r\n", 8},
                      DamagedFile{"IdentityMissing", "dfile.qec", nullptr, 8}),
    [](const auto &info) { return std::string(info.param.name); });

// Identity lines the file does not give start empty: no edit's own name reaches the card or
// the file written at close.
struct MissingIdentity {
    const char *name;
    const char *content;   // nullptr: no dfile.qec
    QStringList edits;     // the identity edits' texts after the start
};

void PrintTo(const MissingIdentity &row, std::ostream *os) { *os << row.name; }

class MissingIdentityLines : public MainWindowFixture,
                             public ::testing::WithParamInterface<MissingIdentity> {};

TEST_P(MissingIdentityLines, StartEmptyAndAreSavedEmpty)
{
    if (GetParam().content)
        writeFile(dataFile("dfile.qec"), GetParam().content);
    else
        QFile::remove(dataFile("dfile.qec"));
    start();
    QStringList edits, card;
    for (int i = 0; i < card::identityEdits().size(); ++i) {
        edits << form->control<QLineEdit>(card::identityEdits()[i])->text();
        card << form->control<CardLabel>(card::identityElements()[i])->caption();
    }
    EXPECT_EQ(GetParam().edits, edits);
    EXPECT_EQ(GetParam().edits, card);
    closeAndDestroy();
    EXPECT_EQ(GetParam().edits, loadLines(dataFile("dfile.qec")));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MissingIdentityLines,
    ::testing::Values(
        MissingIdentity{"NoFile", nullptr, QStringList(8, QString())},
        MissingIdentity{"ThreeLines", "K1ABC\r\nAnn\r\nMain St\r\n",
                        QStringList{"K1ABC", "Ann", "Main St"} + QStringList(5, QString())}),
    [](const auto &info) { return std::string(info.param.name); });

// A Close whose save fails keeps the window open with what was typed and says why; the next
// Close asks whether to close without saving, and "No" tries the save again.
struct FailedSave {
    const char *name;
    UserDialogs::Answer answer;   // to the second Close's question
    bool fixedBeforeSecondClose;  // the identity file can be written by then
    bool closedAtSecond;
    const char *saved;            // the identity file's first line at the end; nullptr: none
};

void PrintTo(const FailedSave &row, std::ostream *os) { *os << row.name; }

class FailedSaveAtClose : public MainWindowFixture,
                          public ::testing::WithParamInterface<FailedSave> {};

TEST_P(FailedSaveAtClose, KeepsTheWindowAndWhatWasTyped)
{
    const FailedSave &row = GetParam();
    start();
    const QString identity = dataFile("dfile.qec");
    ASSERT_TRUE(QFile::remove(identity));
    ASSERT_TRUE(QDir().mkpath(identity + "/in-the-way"));   // no file can take its place
    form->control<QLineEdit>("CallSignEdit1")->setText("DL2XYZ");
    EXPECT_FALSE(form->close());
    const QStringList errors = dialogs.texts("error");
    ASSERT_EQ(1, errors.size());
    EXPECT_TRUE(errors[0].startsWith("Cannot create file " + identity + "\n")) << errors[0].toStdString();
    EXPECT_GT(errors[0].size(), QString("Cannot create file " + identity + "\n").size());
    EXPECT_EQ(QString("DL2XYZ"), form->control<QLineEdit>("CallSignEdit1")->text());

    if (row.fixedBeforeSecondClose)
        ASSERT_TRUE(QDir(identity).removeRecursively());
    dialogs.answers.push_back(row.answer);
    EXPECT_EQ(row.closedAtSecond, form->close());
    EXPECT_EQ(QStringList{"The station data could not be saved. Close without saving?"},
              dialogs.texts("question"));
    if (row.saved)
        EXPECT_EQ(QString(row.saved), loadLines(identity).value(0));
    else
        EXPECT_FALSE(QFileInfo(identity).isFile());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FailedSaveAtClose,
    ::testing::Values(
        FailedSave{"CloseWithoutSaving", UserDialogs::Answer::Yes, false, true, nullptr},
        FailedSave{"SaveAgainAfterTheFix", UserDialogs::Answer::No, true, true, "DL2XYZ"},
        FailedSave{"SaveFailsAgainStaysOpen", UserDialogs::Answer::No, false, false, nullptr}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- a normal start and close ----

TEST_F(MainWindowFixture, StartShowsShippedDataOnTheCard)
{
    start();
    EXPECT_TRUE(dialogs.texts("error").isEmpty());
    EXPECT_EQ(kShippedTitles, titles(*form));
    EXPECT_EQ(QString("N0CALL"), form->control<CardLabel>("alCallSign")->caption());
    EXPECT_EQ(QString("Pat Operator"), form->control<CardLabel>("alName")->caption());
    EXPECT_EQ(QPoint(0, 0), form->control<CardElement>("AlShape15")->geometry().topLeft());
    EXPECT_EQ(513, form->cardBand()->width());
    EXPECT_TRUE(form->control<CollapsiblePanel>("CollapsePanel1")->isCollapsed());
    EXPECT_EQ(467, form->control<CollapsiblePanel>("CollapsePanel1")->unfoldedHeight());
    EXPECT_FALSE(form->firstActivationPending());
}

// A window shown where nothing activates it (no window manager) still gets its card options.
TEST_F(MainWindowFixture, FirstShowingCountsAsTheFirstActivation)
{
    form = std::make_unique<MainWindow>(nullptr, stateFile());
    ASSERT_TRUE(form->firstActivationPending());
    QShowEvent show;
    QCoreApplication::sendEvent(form.get(), &show);
    EXPECT_FALSE(form->firstActivationPending());
}

TEST_F(MainWindowFixture, CloseWritesPrefsIdentityAndState)
{
    start();
    card::CardDesign design = form->cardDesign();
    card::placeTextElement(design, "alName", true, 30);
    card::placeTextElement(design, "alName", false, 90);
    form->showCardDesign(design);
    form->control<QLineEdit>("AddressEdit1")->setText(QString());
    closeAndDestroy();

    const QStringList prefs = loadLines(dataFile("prefs.txt"));
    ASSERT_EQ(88, prefs.size());
    // alName is the 16th text element: Left, Top, Height, Width.
    EXPECT_EQ((QStringList{"30", "90", "15", "268"}), prefs.mid(60, 4));
    EXPECT_EQ((QStringList{"8", "-7"}), prefs.mid(0, 2));
    const QStringList identity = loadLines(dataFile("dfile.qec"));
    ASSERT_EQ(8, identity.size());
    EXPECT_EQ(QString(), identity[2]);
    const QByteArray ini = readFile(stateFile());
    EXPECT_TRUE(ini.contains("[Form1]")) << ini.constData();
    EXPECT_TRUE(ini.contains("RBBkgClr6.Checked=TRUE")) << ini.constData();
    EXPECT_TRUE(ini.contains("CSFTrackBar1.Position=20")) << ini.constData();
}

TEST_F(MainWindowFixture, SecondStartRestoresPlacesPowerAndNoMode)
{
    start();
    card::CardDesign design = form->cardDesign();
    card::placeTextElement(design, "alEmail", false, 140);
    form->showCardDesign(design);
    form->control<QRadioButton>("RBPower3")->setChecked(true);
    form->control<QRadioButton>("RBMode2")->setChecked(true);
    form->control<QRadioButton>("RBBkgClr8")->setChecked(true);
    closeAndDestroy();

    start();
    const QStringList power = loadLines(dataFile("Power.txt"));
    EXPECT_EQ(140, form->control<CardLabel>("alEmail")->top());
    EXPECT_TRUE(form->control<QRadioButton>("RBPower3")->isChecked());
    EXPECT_EQ(power[2], form->entryOverlay(QsoField::Power)->text());
    EXPECT_EQ(power[2], form->valueElement(QsoField::Power)->caption());
    for (int n = 1; n <= 8; ++n)
        EXPECT_FALSE(form->control<QRadioButton>(QString("RBMode%1").arg(n))->isChecked());
    EXPECT_EQ(QString(), form->entryOverlay(QsoField::Mode)->text());
    EXPECT_EQ(QString(), form->valueElement(QsoField::Mode)->caption());
    EXPECT_EQ(16711680, form->cardOptions().boxColours().box);
}

// The state file holds exactly what the window remembers: every check box, radio button and
// popup item's checked state, the two track bars, the item chosen in each "Other" colour
// list, and the file dialogs' folder and file name.
TEST_F(MainWindowFixture, StateFileHoldsTheRememberedPropertiesOnly)
{
    start();
    QStringList expected = {"Top", "Left", "Width", "Height", "CSFTrackBar1.Position",
                            "IOTrackBar3.Position", "ComboBox1.Position", "ComboBox2.Position",
                            "ComboBox3.Position", "QsosPerCardBar.Position"};
    for (QAbstractButton *b : form->findChildren<QAbstractButton *>())
        if (qobject_cast<QCheckBox *>(b) || qobject_cast<QRadioButton *>(b))
            expected << b->objectName() + ".Checked";
    for (const char *item : {"MenuCallSign1", "Append1", "Append2", "Append3"})
        expected << QString(item) + ".Checked";
    closeAndDestroy();

    QStringList written;
    for (const QString &line : loadLines(stateFile()))
        if (line.contains('='))
            written << line.left(line.indexOf('='));
    // The dialogs' memories are written once a dialog has been used (empty values never are).
    const QStringList dialogs{"OpenPictureDialog1", "SaveDialog1", "OpenDialog1", "OpenDialog2",
                              "OpenDialog3"};
    written.erase(std::remove_if(written.begin(), written.end(),
                                 [&dialogs](const QString &key) {
                                     const QString component = key.section('.', 0, 0);
                                     return dialogs.contains(component)
                                            && (key.endsWith(".InitialDir")
                                                || key.endsWith(".FileName"));
                                 }),
                  written.end());
    expected.sort();
    written.sort();
    EXPECT_EQ(expected, written);
    EXPECT_FALSE(written.contains("LRTrackBar1.Position"));
    EXPECT_FALSE(written.contains("UDTrackBar2.Position"));
    EXPECT_TRUE(written.contains("Append3.Checked"));
}

// Identity lines longer than their edits show their beginning after loading.
TEST_F(MainWindowFixture, LoadedIdentityShowsTheBeginningOfLongLines)
{
    const QString longTail = QString(" and a long tail").repeated(6);
    QStringList lines;
    for (const QString &name : card::identityEdits())
        lines << name + longTail;
    saveLines(dataFile("dfile.qec"), lines);
    start();
    for (const QString &name : card::identityEdits()) {
        auto *edit = form->control<QLineEdit>(name);
        EXPECT_EQ(name + longTail, edit->text());
        EXPECT_EQ(0, edit->cursorPosition()) << name.toStdString();
    }
}

namespace {

// A control a feature uses that the window's description lacks stops the start with an error
// naming it, and the half-built window leaves the remembered state as it was.
class MissingControls : public MainWindowFixture, public ::testing::WithParamInterface<const char *>
{
};

TEST_P(MissingControls, StopTheStartNamingTheControl)
{
    auto &rows = const_cast<std::vector<ControlRow> &>(mainWindowDescription());
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [](const ControlRow &r) { return r.name == GetParam(); });
    ASSERT_NE(row, rows.end());
    const ControlRow kept = *row;
    const auto place = rows.erase(row);
    const QByteArray remembered = "[Form1]\r\nCBPseQSL.Checked=TRUE\r\n";
    writeFile(stateFile(), remembered);
    try {
        MainWindow window(nullptr, stateFile());
        ADD_FAILURE() << "the window started without " << GetParam();
    } catch (const MissingControlError &e) {
        EXPECT_NE(std::string(e.what()).find(std::string("\"") + GetParam() + "\""),
                  std::string::npos) << e.what();
    }
    rows.insert(place, kept);
    EXPECT_EQ(readFile(stateFile()), remembered);
}

INSTANTIATE_TEST_SUITE_P(Names, MissingControls,
                         ::testing::Values("CBPseQSL", "CloseButton3", "IOTrackBar3", "tAlBand1"));

} // namespace

// ---- a portable copy whose data folder may not be written ----

namespace {

bool neverWritable(const QString &)
{
    return false;
}

// Points the XDG base directories at a temporary folder and makes the copy's "system/" read
// only as far as Kartello can tell (a root user may write anywhere); puts both back afterwards.
class ReadOnlyPortableCopy : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        for (const char *name : kNames) {
            saved << qgetenv(name);
            qputenv(name, (xdg.path() + "/" + name).toUtf8());
        }
        setWritableFolderCheck(neverWritable);
    }
    void TearDown() override
    {
        MainWindowFixture::TearDown();
        setWritableFolderCheck(nullptr);
        for (int i = 0; i < 3; ++i) {
            if (saved[i].isEmpty())
                qunsetenv(kNames[i]);
            else
                qputenv(kNames[i], saved[i]);
        }
    }
    QString operatorsDataFolder() const { return xdg.path() + "/XDG_DATA_HOME/kartello/system/"; }

    static constexpr const char *kNames[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"};
    QTemporaryDir xdg;
    QList<QByteArray> saved;
};

} // namespace

TEST_F(ReadOnlyPortableCopy, SaysWhichFolderItUsesAndWhyOnceAtStart)
{
    writeFile(dataFile("dfile.qec"), "OZ1AB\r\nOle\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    start();
    const QStringList told = dialogs.texts("information");
    ASSERT_EQ(1, told.size());
    EXPECT_TRUE(told[0].contains(dir.path() + "/system/, is read-only")) << told[0].toStdString();
    EXPECT_TRUE(told[0].contains(operatorsDataFolder())) << told[0].toStdString();
    EXPECT_EQ(QString("OZ1AB"), form->control<CardLabel>("alCallSign")->caption());
    form->onActivated();
    EXPECT_EQ(1, dialogs.texts("information").size());

    // Close saves into the operator's folder and leaves the copy as it was.
    form->control<QLineEdit>("NameEdit1")->setText("Ole Hansen");
    closeAndDestroy();
    EXPECT_TRUE(readFile(operatorsDataFolder() + "dfile.qec").startsWith("OZ1AB\r\nOle Hansen\r\n"));
    EXPECT_EQ(QByteArray("OZ1AB\r\nOle\r\n\r\n\r\n\r\n\r\n\r\n\r\n"), readFile(dataFile("dfile.qec")));
}

TEST_F(MainWindowFixture, WritablePortableCopyStartsWithoutABox)
{
    start();
    EXPECT_EQ(QStringList(), dialogs.texts("information"));
}
