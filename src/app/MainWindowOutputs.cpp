// The card outputs of the main window: Create JPG, Copy QSL, Create GIF and Print.
#include "MainWindow.h"

#include "CardOutput.h"
#include "HandlerGuard.h"
#include "CardLabel.h"
#include "FlatButton.h"
#include "FileDialogMemory.h"
#include "PrintWindow.h"
#include "EntryEdit.h"
#include "CardBand.h"

#include <QLabel>
#include <QPixmap>

#include <memory>

namespace {

// The main window as the card outputs see it.
class MainWindowOutputs : public CardOutputHost
{
public:
    explicit MainWindowOutputs(MainWindow &form) : m_form(form) {}

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
    MainWindow &m_form;
};

// Keeps the print window, a window of its own rather than a child of the main window, for
// exactly the main window's lifetime.
class PrintWindowOwner : public QObject
{
public:
    PrintWindowOwner(PrintWindow *form, QObject *parent) : QObject(parent), m_form(form) {}

private:
    std::unique_ptr<PrintWindow> m_form;
};

} // namespace

void MainWindow::connectOutputs()
{
    Form2 = new PrintWindow(PrintWindowHost{[this] { return snapshotImage(); },
                                       [this] { return ContactCallSign->text(); },
                                       [this] { WriteContactsInfo(); }});
    new PrintWindowOwner(Form2, this);
    Form2->hide();
    for (const char *name : {"JPGButton1", "ClipBoardButton1"}) {
        auto *button = control<FlatButton>(QString::fromLatin1(name));
        connect(button, &FlatButton::clicked, this,
                [this, button] { guarded([this, button] { JPGClick(button); }); });
    }
    connect(control<FlatButton>(QStringLiteral("GIFButton1")), &FlatButton::clicked, this,
            [this] { guarded([this] { GIFClick(); }); });
    connect(control<FlatButton>(QStringLiteral("PrintButton1")), &FlatButton::clicked,
            this, [this] { guarded([this] { PrintButton1Click(); }); });
}

void MainWindow::SnapshotCard()
{
    Image1->clear();
    InfoBoxes();
    EntryEdit *overlays[] = {ContactCallSign, UTCDate, UTCTime, Freq, Mode, Power, Signal};
    for (EntryEdit *overlay : overlays)
        overlay->hide();
    const CardLabel *values[] = {alContactCallSign, alUTCDate, alUTCTime, alFreq,
                                alMode, alPower, alSignal};
    for (const CardLabel *value : values)
        tAlBand1->repaint(value->geometry());
    Image1->setPixmap(QPixmap::fromImage(snapshotOfBand(tAlBand1)));
}

QImage MainWindow::snapshotImage() const
{
    return Image1->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

void MainWindow::showEntryOverlays()
{
    EntryEdit *overlays[] = {ContactCallSign, UTCDate, UTCTime, Freq, Mode, Power, Signal};
    for (EntryEdit *overlay : overlays)
        overlay->show();
    ContactCallSign->setFocus();
}

void MainWindow::JPGClick(QObject *sender)
{
    MainWindowOutputs outputs(*this);
    const auto *button = qobject_cast<FlatButton *>(sender);
    if (button && button->objectName() == QLatin1String("ClipBoardButton1"))
        copyCardToClipboard(outputs);
    else
        exportCardJpeg(outputs);
}

void MainWindow::GIFClick()
{
    MainWindowOutputs outputs(*this);
    exportCardGif(outputs);
}

void MainWindow::PrintButton1Click()
{
    MainWindowOutputs outputs(*this);
    printCard(outputs, [this] { Form2->exec(); });
}

void MainWindow::SaveSnapshotJPG(const QString &path)
{
    saveSnapshotJpg(snapshotImage(), path);
}
