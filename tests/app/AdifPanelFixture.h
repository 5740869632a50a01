#pragma once

#include "MainWindowFixture.h"

#include "FlatButton.h"
#include "Led.h"
#include "QsoListModel.h"
#include "features/AdifController.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QListView>

// A started main window with helpers for the ADIF panel.
class AdifPanelFixture : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        start();
    }
    AdifController &adif() const { return form->adif(); }
    Led *led() const { return form->control<Led>("LED1"); }
    FlatButton *closeButton() const { return form->control<FlatButton>("EncartaButton11"); }
    QListView *list() const { return form->control<QListView>("ListBox1"); }
    QString progress() const { return form->control<QLabel>("AdifProgress")->text(); }
    void click(const char *button) { emit form->control<FlatButton>(button)->clicked(); }

    QString writeLog(const QString &name, const QByteArray &bytes) const
    {
        const QString path = dir.path() + "/" + name;
        writeFile(path, bytes);
        return path;
    }
    // Lets the event loop run until the load has ended.
    void waitForLoad()
    {
        for (int turn = 0; turn < 100000 && adif().isBusy(); ++turn)
            QCoreApplication::processEvents();
        ASSERT_FALSE(adif().isBusy()) << "the load did not end";
    }
    void loadLog(const QString &path)
    {
        dialogs.fileNames.push_back(path);
        click("EncartaButton8");
        waitForLoad();
    }
    void selectRows(std::initializer_list<int> rows)
    {
        for (int row : rows)
            list()->selectionModel()->select(adif().rows().index(row),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
};
