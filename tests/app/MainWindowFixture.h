#pragma once

#include "DataFolder.h"
#include "ScriptedDialogs.h"
#include "CardPictureElement.h"
#include "CardLabel.h"
#include "CollapsiblePanel.h"
#include "EntryEdit.h"
#include "FileDialogMemory.h"
#include "MainWindow.h"
#include "Mailer.h"
#include "PrintWindow.h"
#include "features/CardOptionsController.h"
#include "features/CardOutputsController.h"
#include "features/QsoEntryController.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QMenu>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using card::QsoField;

// A main window started on a private copy of the shipped data folder, with scripted dialogs.
class MainWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir().mkpath(dir.path() + "/system");
        const QDir shipped(QStringLiteral(KARTELLO_SOURCE_DIR "/data/system"));
        for (const QString &name : shipped.entryList(QDir::Files))
            QFile::copy(shipped.filePath(name), dir.path() + "/system/" + name);
        setExecutableFolder(dir.path() + "/");
    }
    void TearDown() override
    {
        form.reset();
        setExecutableFolder(QString());
    }

    QString dataFile(const QString &name) const { return dir.path() + "/system/" + name; }
    QString stateFile() const { return dir.path() + "/Kartello.ini"; }

    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readFile(const QString &name) const
    {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Starts the program's main window as the program does, up to its first activation.
    void start()
    {
        form = std::make_unique<MainWindow>(nullptr, stateFile());
        form->onActivated();
    }
    // Closes the window and destroys it, which writes the state file.
    void closeAndDestroy()
    {
        form->close();
        form.reset();
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> form;
};
