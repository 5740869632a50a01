// The card outputs of the main window: Create JPG, Copy QSL, Create GIF and Print.
#include "TForm1.h"

#include "CardOutput.h"
#include "HandlerGuard.h"
#include "TAlLabel.h"
#include "TEncartaButton.h"
#include "TFileDialog.h"
#include "TForm2.h"
#include "TumEdit.h"
#include "tAlBand.h"

#include <QLabel>
#include <QPixmap>

#include <memory>

namespace {

// The main window as the card outputs see it.
class MainWindowOutputs : public CardOutputHost
{
public:
    explicit MainWindowOutputs(TForm1 &form) : m_form(form) {}

    bool checkStops() override
    {
        m_form.CheckIfValidInfo(QString());
        return m_form.StopFlag;
    }
    void snapshotCard() override { m_form.SnapshotCard(); }
    QImage snapshot() const override { return m_form.snapshotImage(); }
    QString contactCallSign() const override { return m_form.ContactCallSign->text(); }
    void showOverlays() override { m_form.showEntryOverlays(); }
    void writeContactsInfo() override { m_form.WriteContactsInfo(); }
    void setSaveDialogFileName(const QString &name) override
    {
        m_form.SaveDialog1->setFileName(name);
    }

private:
    TForm1 &m_form;
};

// Keeps the print window, a window of its own rather than a child of the main window, for
// exactly the main window's lifetime.
class PrintWindowOwner : public QObject
{
public:
    PrintWindowOwner(TForm2 *form, QObject *parent) : QObject(parent), m_form(form) {}

private:
    std::unique_ptr<TForm2> m_form;
};

} // namespace

void TForm1::connectOutputs()
{
    Form2 = new TForm2(PrintWindowHost{[this] { return snapshotImage(); },
                                       [this] { return ContactCallSign->text(); },
                                       [this] { WriteContactsInfo(); }});
    new PrintWindowOwner(Form2, this);
    Form2->hide();
    for (const char *name : {"JPGButton1", "ClipBoardButton1"}) {
        auto *button = control<TEncartaButton>(QString::fromLatin1(name));
        connect(button, &TEncartaButton::clicked, this,
                [this, button] { guarded([this, button] { JPGClick(button); }); });
    }
    connect(control<TEncartaButton>(QStringLiteral("GIFButton1")), &TEncartaButton::clicked, this,
            [this] { guarded([this] { GIFClick(); }); });
    connect(control<TEncartaButton>(QStringLiteral("PrintButton1")), &TEncartaButton::clicked,
            this, [this] { guarded([this] { PrintButton1Click(); }); });
}

void TForm1::SnapshotCard()
{
    Image1->clear();
    InfoBoxes();
    TumEdit *overlays[] = {ContactCallSign, UTCDate, UTCTime, Freq, Mode, Power, Signal};
    for (TumEdit *overlay : overlays)
        overlay->hide();
    const TAlLabel *values[] = {alContactCallSign, alUTCDate, alUTCTime, alFreq,
                                alMode, alPower, alSignal};
    for (const TAlLabel *value : values)
        tAlBand1->repaint(value->geometry());
    Image1->setPixmap(QPixmap::fromImage(snapshotOfBand(tAlBand1)));
}

QImage TForm1::snapshotImage() const
{
    return Image1->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

void TForm1::showEntryOverlays()
{
    TumEdit *overlays[] = {ContactCallSign, UTCDate, UTCTime, Freq, Mode, Power, Signal};
    for (TumEdit *overlay : overlays)
        overlay->show();
    ContactCallSign->setFocus();
}

void TForm1::JPGClick(QObject *sender)
{
    MainWindowOutputs outputs(*this);
    const auto *button = qobject_cast<TEncartaButton *>(sender);
    if (button && button->objectName() == QLatin1String("ClipBoardButton1"))
        copyCardToClipboard(outputs);
    else
        exportCardJpeg(outputs);
}

void TForm1::GIFClick()
{
    MainWindowOutputs outputs(*this);
    exportCardGif(outputs);
}

void TForm1::PrintButton1Click()
{
    MainWindowOutputs outputs(*this);
    printCard(outputs, [this] { Form2->exec(); });
}

void TForm1::SaveSnapshotJPG(const QString &path)
{
    saveSnapshotJpg(snapshotImage(), path);
}
