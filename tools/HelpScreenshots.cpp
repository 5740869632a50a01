// Takes the help page's pictures of the real main window: the first start with the shipped
// data folder, the interface panel open, and the ADIF panel. Run by scripts/help-screenshots.sh:
//   help_screenshots <source data folder> <output folder>
#include "CollapsiblePanel.h"
#include "DataFolder.h"
#include "FlatButton.h"
#include "Fonts.h"
#include "MainWindow.h"
#include "QsoListModel.h"
#include "features/AdifController.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstdio>

namespace {

bool save(QWidget &window, const QString &file)
{
    QCoreApplication::processEvents();
    const bool saved = window.grab().save(file);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(file));
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerFontSubstitutes();
    if (argc != 3) {
        std::fprintf(stderr, "usage: help_screenshots DATA_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    // A first start: the shipped data folder in a portable copy of its own, no state file.
    QTemporaryDir home;
    QDir().mkpath(home.path() + "/system");
    const QDir shipped(QString::fromLocal8Bit(argv[1]));
    for (const QString &name : shipped.entryList(QDir::Files))
        QFile::copy(shipped.filePath(name), home.path() + "/system/" + name);
    setExecutableFolder(home.path() + "/");
    const QString out = QString::fromLocal8Bit(argv[2]) + "/";

    MainWindow window(nullptr, home.path() + "/Kartello.ini");
    window.leaveStateFileAlone();
    window.show();
    window.onActivated();
    bool ok = save(window, out + "first-start.png");
    window.control<CollapsiblePanel>("CollapsePanel1")->headerButton()->click();
    ok = save(window, out + "interface-panel.png") && ok;
    window.control<CollapsiblePanel>("CollapsePanel1")->headerButton()->click();
    emit window.control<FlatButton>("EncartaButton14")->clicked();
    // A small log with a station worked twice, one card confirmed: the two QSOs selected with
    // three to a card show their card on the card.
    const QString log = home.path() + "/weekend.adi";
    QFile file(log);
    file.open(QIODevice::WriteOnly);
    file.write("<eoh>\n"
               "<call:5>K1ABC<qso_date:8>20260314<time_on:4>1412<freq:6>14.074<mode:3>FT8"
               "<rst_sent:3>-08<tx_pwr:3>100<eor>\n"
               "<call:6>DL1XYZ<qso_date:8>20260314<time_on:4>1530<freq:5>7.012<mode:2>CW"
               "<rst_sent:3>599<tx_pwr:3>100<qsl_sent:1>Y<eor>\n"
               "<call:5>K1ABC<qso_date:8>20260315<time_on:4>0930<freq:5>7.074<mode:3>FT8"
               "<rst_sent:3>-12<tx_pwr:3>100<eor>\n");
    file.close();
    window.adif().loadLogFile(log);
    while (window.adif().isBusy())
        QCoreApplication::processEvents();
    window.control<QSlider>("QsosPerCardBar")->setValue(3);
    auto *list = window.control<QListView>("ListBox1");
    for (int row : {0, 2})
        list->selectionModel()->select(window.adif().rows().index(row),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ok = save(window, out + "adif-panel.png") && ok;
    return ok ? 0 : 1;
}
