#include "DataFolder.h"
#include "QtPrinters.h"
#include "PersistentWindow.h"
#include "RememberedSlider.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Something that remembers a file dialog's folder and file name.
class DialogMemory : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString InitialDir MEMBER initialDir)
    Q_PROPERTY(QString FileName MEMBER fileName)
public:
    using QObject::QObject;
    QString initialDir, fileName;
};

// A small window in the shape of the main one: radios, check boxes, a slider, a popup item,
// a dialog memory, and a log of the handlers that ran, in order.
class Window : public PersistentWindow
{
public:
    explicit Window(const QString &stateFile)
    {
        setObjectName(QStringLiteral("Form1"));
        setFixedSize(727, 472);
        for (int i = 1; i <= 3; ++i) {
            auto *rb = new QRadioButton(this);
            rb->setObjectName(QStringLiteral("RBPower%1").arg(i));
            rb->setChecked(i == 1);
            connect(rb, &QRadioButton::toggled, this, [this, i](bool on) {
                if (on)
                    log << QStringLiteral("PowerClick %1").arg(i);
            });
            power << rb;
        }
        check = new QCheckBox(this);
        check->setObjectName(QStringLiteral("CBShow73"));
        connect(check, &QCheckBox::toggled, this, [this] { log << QStringLiteral("CBShow73Click"); });
        slider = new RememberedSlider(this);
        slider->setObjectName(QStringLiteral("CSFTrackBar1"));
        slider->setRange(8, 72);
        slider->setValue(20);
        plainSlider = new QSlider(this);
        plainSlider->setObjectName(QStringLiteral("LRTrackBar1"));
        plainSlider->setRange(-10, 500);
        plainSlider->setValue(1);
        plainItem = new QAction(this);
        plainItem->setObjectName(QStringLiteral("Append1"));
        item = new QAction(this);
        item->setObjectName(QStringLiteral("Append2"));
        item->setCheckable(true);
        dialog = new DialogMemory(this);
        dialog->setObjectName(QStringLiteral("SaveDialog1"));
        setStoreFileName(stateFile);
        restoreState();
        log << QStringLiteral("FormCreate");
    }
    QList<QRadioButton *> power;
    QCheckBox *check;
    RememberedSlider *slider;
    QSlider *plainSlider;      // a slider whose position is not remembered
    QAction *plainItem;        // a menu item that is not checkable
    QAction *item;
    DialogMemory *dialog;
    QStringList log;
};

QString fileText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<missing>");
}

struct StateFile {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Kartello.ini"));
    void write(const QStringList &lines) { saveLines(path, lines); }
};

} // namespace

TEST(PersistentWindow, FirstRunKeepsTheInitialStates)
{
    StateFile state;
    Window w(state.path);
    EXPECT_TRUE(w.power[0]->isChecked());
    EXPECT_FALSE(w.check->isChecked());
    EXPECT_EQ(20, w.slider->value());
    EXPECT_EQ(QSize(727, 472), w.size());
    EXPECT_EQ(QStringList{"FormCreate"}, w.log);
}

TEST(PersistentWindow, RestoreRunsHandlersBeforeTheCreationHandler)
{
    StateFile state;
    state.write({"[Form1]", "RBPower1.Checked=FALSE", "RBPower3.Checked=TRUE",
                 "CBShow73.Checked=TRUE", "CSFTrackBar1.Position=31", "Append2.Checked=TRUE",
                 "LRTrackBar1.Position=300", "Append1.Checked=TRUE",
                 "SaveDialog1.InitialDir=/home/op/QSL/", "SaveDialog1.FileName=K1ABC.jpg"});
    Window w(state.path);
    EXPECT_EQ((QStringList{"PowerClick 3", "CBShow73Click", "FormCreate"}), w.log);
    EXPECT_FALSE(w.power[0]->isChecked());
    EXPECT_TRUE(w.power[2]->isChecked());
    EXPECT_TRUE(w.check->isChecked());
    EXPECT_EQ(31, w.slider->value());
    EXPECT_EQ(1, w.plainSlider->value());
    EXPECT_TRUE(w.item->isChecked());
    EXPECT_TRUE(w.plainItem->isChecked());
    EXPECT_EQ(QStringLiteral("/home/op/QSL/"), w.dialog->initialDir);
    EXPECT_EQ(QStringLiteral("K1ABC.jpg"), w.dialog->fileName);
}

TEST(PersistentWindow, ValuesThatDoNotConvertAreIgnored)
{
    struct Row { QString line; };
    const Row rows[] = {
        {"RBPower2.Checked=true"}, {"RBPower1.Checked=False"}, {"RBPower1.Checked= FALSE"},
        {"CBShow73.Checked=true"}, {"CBShow73.Checked=True"},
        {"CBShow73.Checked=1"}, {"CBShow73.Checked="}, {"CSFTrackBar1.Position=abc"},
        {"CSFTrackBar1.Position="}, {"SaveDialog1.InitialDir="}, {"Width=0"}, {"Top=0"},
    };
    for (const Row &row : rows) {
        StateFile state;
        state.write({"[Form1]", row.line});
        Window w(state.path);
        EXPECT_TRUE(w.power[0]->isChecked()) << row.line.toStdString();
        EXPECT_FALSE(w.check->isChecked()) << row.line.toStdString();
        EXPECT_EQ(20, w.slider->value()) << row.line.toStdString();
        EXPECT_EQ(QString(), w.dialog->initialDir) << row.line.toStdString();
        EXPECT_EQ(QSize(727, 472), w.size()) << row.line.toStdString();
    }
}

TEST(PersistentWindow, GroupCanBeRestoredWithNothingSelected)
{
    StateFile state;
    state.write({"[Form1]", "RBPower1.Checked=FALSE", "RBPower2.Checked=FALSE",
                 "RBPower3.Checked=FALSE"});
    Window w(state.path);
    for (QRadioButton *rb : w.power)
        EXPECT_FALSE(rb->isChecked()) << rb->objectName().toStdString();
    EXPECT_TRUE(w.power[0]->autoExclusive());
    w.power[1]->setChecked(true);
    w.power[2]->setChecked(true);
    EXPECT_FALSE(w.power[1]->isChecked());
}

TEST(PersistentWindow, GeometryIsBoundedAndZeroIsNotApplied)
{
    StateFile state;
    state.write({"[Form1]", "Top=0", "Left=140", "Width=2000", "Height=100"});
    Window w(state.path);
    EXPECT_EQ(140, w.x());
    EXPECT_EQ(0, w.y());
    EXPECT_EQ(QSize(727, 472), w.size());
}

TEST(PersistentWindow, DestructionWritesEveryRememberedValueOnce)
{
    StateFile state;
    {
        Window w(state.path);
        w.move(150, 90);
        w.power[1]->setChecked(true);
        w.slider->setValue(44);
        w.plainSlider->setValue(45);
        w.dialog->initialDir = QStringLiteral("/srv/cards/");
    }
    EXPECT_EQ(QStringLiteral("[Form1]\r\nTop=90\r\nLeft=150\r\nWidth=727\r\nHeight=472\r\n"
                             "RBPower1.Checked=FALSE\r\nRBPower2.Checked=TRUE\r\n"
                             "RBPower3.Checked=FALSE\r\nCBShow73.Checked=FALSE\r\n"
                             "CSFTrackBar1.Position=44\r\nAppend1.Checked=FALSE\r\n"
                             "Append2.Checked=FALSE\r\n"
                             "SaveDialog1.InitialDir=/srv/cards/\r\n"),
              fileText(state.path));

    // Empty values are never written: a file name cleared during the run keeps the older one.
    state.write({"[Form1]", "SaveDialog1.FileName=old.jpg"});
    { Window w(state.path); w.dialog->fileName.clear(); }
    Window again(state.path);
    EXPECT_EQ(QStringLiteral("old.jpg"), again.dialog->fileName);
    EXPECT_TRUE(again.power[0]->isChecked());
}

TEST(PersistentWindow, StateFileIsNamedAfterTheExecutable)
{
    struct Row { QString exe, title; };
    const Row rows[] = {
        {"/usr/lib/kartello/kartello", "Kartello"}, {"C:/Prog/KARTELLO.EXE", "Kartello"},
        {"/opt/x/kArTeLLo", "Kartello"}, {"/a/b/Kartello.bin", "Kartello"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.title, PersistentWindow::titleFromExecutable(row.exe));
}

// ---- where a restored window goes ----

struct GeometryRow {
    const char *name;
    StoredGeometry stored;
    QRect desktop;
    QRect expected;
};

void PrintTo(const GeometryRow &row, std::ostream *os) { *os << row.name; }

class RestoredGeometry : public ::testing::TestWithParam<GeometryRow>
{
};

TEST_P(RestoredGeometry, StaysReachableOnTheDesktop)
{
    const GeometryRow &row = GetParam();
    const QRect current(100, 100, 727, 472);
    const QRect place = restoredGeometry(row.stored, current, QSize(727, 300), QSize(727, 472),
                                         row.desktop);
    EXPECT_EQ(row.expected.x(), place.x());
    EXPECT_EQ(row.expected.y(), place.y());
    EXPECT_EQ(row.expected.width(), place.width());
    EXPECT_EQ(row.expected.height(), place.height());
}

constexpr int kMax = 2147483647;
constexpr int kMin = -2147483647 - 1;
const QRect kDesk(0, 0, 1920, 1080);

// StoredGeometry is {top, left, width, height}.
INSTANTIATE_TEST_SUITE_P(
    Rows, RestoredGeometry,
    ::testing::Values(
        GeometryRow{"NothingStored", {0, 0, 0, 0}, kDesk, {100, 100, 727, 472}},
        GeometryRow{"Ordinary", {90, 140, 727, 472}, kDesk, {140, 90, 727, 472}},
        GeometryRow{"HeightBounded", {90, 140, 2000, 100}, kDesk, {140, 90, 727, 300}},
        GeometryRow{"LargestLeft", {90, kMax, 727, 472}, kDesk, {100, 90, 727, 472}},
        GeometryRow{"SmallestLeft", {90, kMin, 727, 472}, kDesk, {100, 90, 727, 472}},
        GeometryRow{"LargestTop", {kMax, 140, 727, 472}, kDesk, {140, 100, 727, 472}},
        GeometryRow{"SmallestTop", {kMin, 140, 727, 472}, kDesk, {140, 100, 727, 472}},
        GeometryRow{"LargestEverything", {kMax, kMax, kMax, kMax}, kDesk, {100, 100, 727, 472}},
        GeometryRow{"TitleBarAboveDesktop", {-5, 140, 0, 0}, kDesk, {140, 100, 727, 472}},
        GeometryRow{"TitleBarAtBottom", {1054, 140, 0, 0}, kDesk, {140, 1054, 727, 472}},
        GeometryRow{"TitleBarBelowDesktop", {1055, 140, 0, 0}, kDesk, {140, 100, 727, 472}},
        GeometryRow{"MostlyLeftOfDesktop", {90, -687, 0, 0}, kDesk, {-687, 90, 727, 472}},
        GeometryRow{"TooFarLeft", {90, -688, 0, 0}, kDesk, {100, 90, 727, 472}},
        GeometryRow{"AtRightEdge", {90, 1880, 0, 0}, kDesk, {1880, 90, 727, 472}},
        GeometryRow{"TooFarRight", {90, 1881, 0, 0}, kDesk, {100, 90, 727, 472}},
        GeometryRow{"SecondScreenLeft", {90, -1500, 0, 0}, QRect(-1920, 0, 3840, 1080),
                    {-1500, 90, 727, 472}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PersistentWindow, ExtremeStoredPlaceLeavesTheWindowWhereItWas)
{
    StateFile state;
    state.write({"[Form1]", "Top=2147483647", "Left=2147483647", "Width=2147483647",
                 "Height=-2147483648"});
    Window w(state.path);
    EXPECT_EQ(QPoint(0, 0), w.pos());
    EXPECT_EQ(QSize(727, 472), w.size());
}

#include "PersistentWindowTest.moc"
