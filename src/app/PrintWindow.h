#pragma once

#include "ReportPage.h"

#include <QDialog>
#include <QImage>
#include <QPrinter>
#include <QString>

#include <array>
#include <functional>

class QCheckBox;
class QFrame;
class QLabel;
class QRadioButton;
class QStatusBar;
class FlatButton;

// What the print window needs of the main window.
struct PrintWindowHost {
    std::function<QImage()> cardPicture;        // the main window's picture holder `Image1`
    std::function<QString()> contactCallSign;   // the report title
    std::function<void()> writeContactsInfo;    // runs after every press of Print
};

// The print window "Kartello Print": how many cards go on the page (Copies 1 to 3) or at
// which of three positions a single card goes, a preview of the latest snapshot and the
// print page. Created once and hidden when closed, so the choice lasts until the program ends.
class PrintWindow : public QDialog
{
    Q_OBJECT

public:
    // The six radio buttons in the order Copy1, Copy2, Copy3, Pos1, Pos2, Pos3.
    enum Choice { Copies1, Copies2, Copies3, Position1, Position2, Position3 };

    explicit PrintWindow(PrintWindowHost host, QWidget *parent = nullptr);

    // Which slots hold the card for a choice.
    static std::array<bool, ReportPage::SlotCount> slotsFor(Choice choice);
    // The choice after a press of Print: positions advance 1 to 2 to 3 to 1 when
    // autoLoop is on; copies never change.
    static Choice choiceAfterPrint(Choice choice, bool autoLoop);
    // Where CenterMouse puts the pointer, in global coordinates.
    static QPoint centerMousePoint(const QWidget *button, int dx, int dy);

    Choice choice() const;
    void setChoice(Choice choice);
    ReportPage &report() { return *m_report; }
    QPrinter &printer() { return m_printer; }
    QImage previewImage() const;

    void FormActivate();
    void PrintButton1Click();
    void CloseButton2Click();
    void Copy1Click();
    static void CenterMouse(const QWidget *button, int dx, int dy);

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createControls();
    FlatButton *createButton(const char *name, const QString &caption, const QRect &place);

    PrintWindowHost m_host;
    ReportPage *m_report = nullptr;
    QPrinter m_printer{QPrinter::HighResolution};
    FlatButton *m_printButton = nullptr;
    QFrame *m_panel = nullptr;
    std::array<QRadioButton *, 6> m_radios{};
    QCheckBox *m_autoLoop = nullptr;
    QLabel *m_preview = nullptr;
    QStatusBar *m_statusBar = nullptr;
};
