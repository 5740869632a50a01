#pragma once

#include <QFileDialog>

class QLabel;

// The picture-open dialog: Qt's own file dialog with a pane beside it that shows the picture
// under the cursor, scaled down to fit. A file that is no whole picture (a bitmap cut short
// among them) shows nothing, never what memory held.
class PictureOpenDialog : public QFileDialog
{
    Q_OBJECT
public:
    PictureOpenDialog(QWidget *parent, const QString &title, const QString &initialDir,
                      const QString &filter);

    QLabel *preview() const { return m_preview; }
    // Shows the picture at path in the pane, or an empty pane.
    void showPreview(const QString &path);

private:
    QLabel *m_preview = nullptr;
};
