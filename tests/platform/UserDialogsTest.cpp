#include "UserDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

namespace {

enum class Box { Information, Warning, Error, QuestionYesNo, QuestionOkCancel };

struct PointerRow {
    const char *name;
    Box box;
    bool armed;                // placePointer() called before the box
    const char *defaultButton; // the caption the pointer must rest on
};

// Runs inspect on the modal box once it is shown and any pointer placement has run, then
// answers the box with its default button.
void whenBoxShows(const std::function<void(QMessageBox &)> &inspect)
{
    QTimer::singleShot(0, [inspect] {
        QTimer::singleShot(0, [inspect] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(nullptr, box);
            inspect(*box);
            box->defaultButton()->click();
        });
    });
}

void openBox(QtUserDialogs &dialogs, Box box)
{
    switch (box) {
    case Box::Information: dialogs.information("Done."); break;
    case Box::Warning: dialogs.warning("Careful."); break;
    case Box::Error: dialogs.errorReport("Cannot open file x"); break;
    case Box::QuestionYesNo: dialogs.question("Go?", UserDialogs::Buttons::YesNo); break;
    case Box::QuestionOkCancel: dialogs.question("Go?", UserDialogs::Buttons::OkCancel); break;
    }
}

class PointerOnBox : public ::testing::TestWithParam<PointerRow> {};

// The box is centred on its window, not on the desktop: the pointer goes to its default
// button, wherever that lies.
TEST_P(PointerOnBox, RestsOnTheDefaultButtonOnlyWhenAsked)
{
    const PointerRow &row = GetParam();
    QWidget window;
    window.setGeometry(300, 200, 400, 300);
    window.show();
    QApplication::setActiveWindow(&window);
    QtUserDialogs dialogs;
    const QPoint away(3, 4);
    QCursor::setPos(away);
    if (row.armed)
        dialogs.placePointer(-10, 35);
    QString caption;
    QRect button;
    QPoint pointer;
    whenBoxShows([&](QMessageBox &box) {
        caption = box.defaultButton()->text().remove(QLatin1Char('&'));
        button = QRect(box.defaultButton()->mapToGlobal(QPoint(0, 0)), box.defaultButton()->size());
        pointer = QCursor::pos();
    });
    openBox(dialogs, row.box);
    EXPECT_EQ(std::string(row.defaultButton), caption.toStdString());
    if (row.armed)
        EXPECT_TRUE(button.contains(pointer)) << pointer.x() << "," << pointer.y();
    else
        EXPECT_EQ(away, pointer);

    // Asked once, the pointer moves for one box only.
    QCursor::setPos(away);
    whenBoxShows([&](QMessageBox &) { pointer = QCursor::pos(); });
    openBox(dialogs, row.box);
    EXPECT_EQ(away, pointer);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, PointerOnBox,
    ::testing::Values(PointerRow{"information", Box::Information, true, "OK"},
                      PointerRow{"warning", Box::Warning, true, "OK"},
                      PointerRow{"error", Box::Error, true, "OK"},
                      PointerRow{"yesNo", Box::QuestionYesNo, true, "Yes"},
                      PointerRow{"okCancel", Box::QuestionOkCancel, true, "OK"},
                      PointerRow{"notAskedInformation", Box::Information, false, "OK"},
                      PointerRow{"notAskedYesNo", Box::QuestionYesNo, false, "Yes"}),
    [](const auto &info) { return std::string(info.param.name); });

struct AnswerRow {
    const char *name;
    UserDialogs::Buttons buttons;
    bool pressDefault;   // the default button, else the box is closed
    UserDialogs::Answer expected;
};

class QuestionAnswers : public ::testing::TestWithParam<AnswerRow> {};

TEST_P(QuestionAnswers, DefaultButtonAcceptsClosingRefuses)
{
    const AnswerRow &row = GetParam();
    QtUserDialogs dialogs;
    QTimer::singleShot(0, [&row] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(nullptr, box);
        if (row.pressDefault)
            box->defaultButton()->click();
        else
            box->reject();
    });
    EXPECT_EQ(row.expected, dialogs.question("Go?", row.buttons));
}

using A = UserDialogs::Answer;
using B = UserDialogs::Buttons;
INSTANTIATE_TEST_SUITE_P(Boxes, QuestionAnswers,
                         ::testing::Values(AnswerRow{"yes", B::YesNo, true, A::Yes},
                                           AnswerRow{"closedYesNo", B::YesNo, false, A::No},
                                           AnswerRow{"ok", B::OkCancel, true, A::Ok},
                                           AnswerRow{"closedOkCancel", B::OkCancel, false, A::Cancel}),
                         [](const auto &info) { return std::string(info.param.name); });

struct PointRow {
    const char *name;
    QRect widget;
    int dx, dy;
    QPoint expected;   // relative to the window's top-left corner
};

class PointerPoint : public ::testing::TestWithParam<PointRow> {};

TEST_P(PointerPoint, MiddleOfTheWidgetPlusOffsets)
{
    QWidget window;
    window.setGeometry(100, 50, 300, 200);
    QWidget child(&window);
    child.setGeometry(GetParam().widget);
    window.show();
    EXPECT_EQ(window.mapToGlobal(QPoint(0, 0)) + GetParam().expected,
              pointerPointOn(&child, GetParam().dx, GetParam().dy));
}

INSTANTIATE_TEST_SUITE_P(Widgets, PointerPoint,
                         ::testing::Values(PointRow{"printButton", {8, 8, 86, 22}, 12, 0, {8 + 43 + 12, 8 + 11}},
                                           PointRow{"noOffset", {0, 0, 10, 10}, 0, 0, {5, 5}},
                                           PointRow{"oddSizeLeftUp", {20, 30, 11, 7}, -3, -4, {20 + 5 - 3, 30 + 3 - 4}}),
                         [](const auto &info) { return std::string(info.param.name); });

// Printing to a file proposes the file Kartello names, not Qt's ~/print.pdf.
TEST(PrintDialog, ProposesTheGivenFileForPrintingToAFile)
{
    QtUserDialogs dialogs;
    QPrinter printer;
    QString proposed;
    QTimer::singleShot(0, [&proposed] {
        QTimer::singleShot(0, [&proposed] {
            auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(nullptr, dialog);
            if (auto *file = dialog->findChild<QLineEdit *>(QStringLiteral("filename")))
                proposed = file->text();
            dialog->reject();
        });
    });
    EXPECT_FALSE(dialogs.printDialog(printer, "/srv/cards/K1ABC_P.pdf"));
    EXPECT_EQ("/srv/cards/K1ABC_P.pdf", proposed.toStdString());
}

} // namespace
