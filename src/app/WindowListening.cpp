#include "WindowListening.h"

#include "HandlerGuard.h"
#include "IniFile.h"
#include "MainWindow.h"
#include "features/ListenController.h"

#include <QAction>

bool applyListenChoice(MainWindow &window, const ListenSettings &settings)
{
    IniFile state(window.storeFileName());
    state.load();
    writeListenSettings(state, settings);
    state.save();
    return window.listen().apply(settings);
}

void setUpListening(MainWindow &window)
{
    auto *choose = new QAction(QStringLiteral("Listen..."), &window);
    choose->setObjectName(QStringLiteral("ListenChoice"));
    connectGuarded(choose, &QAction::triggered, &window, [&window] {
        ListenDialog dialog(window.listen().settings(), &window);
        if (dialog.exec() == QDialog::Accepted && dialog.settings())
            applyListenChoice(window, *dialog.settings());
    });
    window.addAction(choose);
    window.setContextMenuPolicy(Qt::ActionsContextMenu);
    IniFile state(window.storeFileName());
    state.load();
    window.listen().apply(readListenSettings(state));
}
