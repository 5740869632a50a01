#pragma once

#include "LetterSheet.h"

#include <QDialog>
#include <QImage>
#include <QPrinter>
#include <QString>

#include <array>
#include <functional>

class QRadioButton;

// What the print window needs of the main window.
struct PrintWindowHost {
    std::function<QImage()> cardPicture;        // the main window's picture holder `Image1`
    std::function<QString()> contactCallSign;   // the report title
    std::function<void()> writeContactsInfo;    // runs after every press of Print
    std::function<QString()> printFileProposal; // what Print to File proposes ("" = Qt's)
};

// The print window "Kartello Print": how many cards go on the page (Copies 1 to 3) or at
// which of three positions a single card goes, a preview of the latest snapshot and the
// print page. Built from its description (PrintWindowDescription.cpp); created once and
// hidden when closed, so the choice lasts until the program ends.
class PrintWindow : public QDialog
{
    Q_OBJECT

public:
    // The six radio buttons in the order Copy1, Copy2, Copy3, Pos1, Pos2, Pos3.
    enum Choice { Copies1, Copies2, Copies3, Position1, Position2, Position3 };

    explicit PrintWindow(PrintWindowHost host, QWidget *parent = nullptr);

    // Which slots hold the card for a choice.
    static std::array<bool, LetterSheet::SlotCount> slotsFor(Choice choice);
    // The choice after a press of Print: positions advance 1 to 2 to 3 to 1 when
    // autoLoop is on; copies never change.
    static Choice choiceAfterPrint(Choice choice, bool autoLoop);

    Choice choice() const;
    void setChoice(Choice choice);
    LetterSheet &sheet() { return *m_sheet; }
    QPrinter &printer() { return m_printer; }
    QImage previewImage() const;

    // Every opening: the focus on the hidden panel, the latest snapshot as the preview and
    // the pointer on Print.
    void prepareOpening();
    // Print: fills the slots, asks the print dialog, prints, writes the contact info file
    // and closes.
    void printPage();
    // Cancel closes the window without printing.
    void cancel();
    // A choice radio was picked: the focus goes back to the hidden panel.
    void onChoicePicked();

protected:
    void showEvent(QShowEvent *event) override;

private:
    template <typename T = QWidget> T *control(const char *name) const
    {
        return findChild<T *>(QString::fromLatin1(name));
    }
    void connectControls();

    PrintWindowHost m_host;
    LetterSheet *m_sheet = nullptr;
    QPrinter m_printer{QPrinter::HighResolution};
    // The choice radios in Choice order.
    std::array<QRadioButton *, 6> m_choiceRadios{};
};
