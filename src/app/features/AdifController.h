#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class AdifReader;
class FlatButton;
class Led;
class ControlLookup;
struct BatchCardParts;
class QLabel;
class QListView;
class QsoListModel;
class QsoTablePreview;
struct QsoRecord;
class SentJournal;

// ADIF: the ADIF panel, loading logs into the QSO list, Search and Next, and the batch runs
// Print Selected, JPG Selected and Send Selected. A load reads the log a slice at a time from the event loop,
// so a log of 100,000 QSOs never stalls the window; a batch run lets the window repaint
// between two cards and stops there when the operator presses Esc.
class AdifController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls to their handlers; the batch runs make their cards with
    // batch, whose QSO fields also give a load its default power.
    AdifController(ControlLookup &controls, const BatchCardParts &batch);
    ~AdifController() override;

    // "ADIF": narrows the window to the panel's width, shows the panel and empties the list.
    void openPanel();
    // The panel's Close: the window gets its full width back; the rows stay.
    void closePanel();
    // Load ADIF: the open dialog, then loadLogFile() on the chosen file.
    void chooseAndLoadLog();
    // Starts reading the log at path into the list, after the rows already there, with the
    // power field's text for records without TX_PWR. Throws "Cannot open file %s" before
    // anything changes when the file cannot be read.
    void loadLogFile(const QString &path);
    // Search: selects the first row holding the search text (letter case ignored) and scrolls
    // it to the top.
    void searchFromTop();
    // Next: selects the next row holding the search text and scrolls it to the top.
    void searchNext();
    // Unsent: selects every row whose QSO needs a card (QslQueue.h) and scrolls the first to
    // the top; the progress line tells how many.
    void selectUnsent();
    // Print Selected: after the print dialog, the selected rows' cards three to a page in one
    // job titled "Batch QSL print".
    void printSelected();
    // JPG Selected: each selected row's card and contact info file in "BatchJPG/".
    void saveSelectedAsJpeg();
    // Send Selected: each selected row's card, as JPG Selected draws it, by e-mail to the row's
    // address in one session, recorded in Sent.adi; rows sent before only after a question.
    void sendSelected();

    // A load or a batch run is going on (the LED is lit).
    bool isBusy() const;
    // Asks a running batch run to stop before its next card.
    void requestStop() { m_stopRequested = true; }
    QsoListModel &rows() const { return *m_rows; }
    // The card of the selected rows of one call sign, shown over the window's card.
    QsoTablePreview &tablePreview() const { return *m_preview; }
    // The row where Next goes on, -1 when Next has nothing to go on from.
    int resumeIndex() const { return m_resumeIndex; }

signals:
    // A load ended; summary tells how many rows were added and which records were skipped.
    void loadFinished(const QString &summary);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Reads the next slice of the log that is loading and ends the load at its end.
    void readLoadSlice();
    void finishLoad();
    // Lights the LED and switches off Close, or the other way round.
    void showBusy(bool busy);
    void showProgress(const QString &text);
    // Runs makeCard for every card of the selected rows, with the progress shown, until the
    // cards end or Esc is pressed; the LED, Close and the QSO fields are put back however it
    // ends. A card is one row, top to bottom, while the design lists one QSO a card; else the
    // rows of one call sign share cards as `kartello cards --group-by-call` groups them.
    // Returns the number of cards made.
    int runOverSelection(const std::function<void(const std::vector<QsoRecord> &, int number)> &makeCard);
    // The selected rows' cards, each the rows' QSOs in the order they go on it.
    std::vector<std::vector<QsoRecord>> selectedCards() const;
    QStringList selectedRows() const;
    // The selected rows' numbers, top to bottom.
    QList<int> selectedRowNumbers() const;
    // Takes into the rows' QSL states what journal now holds of their QSOs (after Send
    // Selected); what it held before is never forgotten.
    void refreshJournalEntries(const QList<int> &rows, const SentJournal &journal);
    void showFoundRow(int row);

    QListView *list() const;
    Led *led() const;
    FlatButton *closeButton() const;
    QLabel *progressLine() const;

    ControlLookup &m_controls;
    std::unique_ptr<BatchCardParts> m_batch;
    QsoListModel *m_rows = nullptr;
    QsoTablePreview *m_preview = nullptr;
    int m_resumeIndex = -1;

    std::unique_ptr<AdifReader> m_load;
    // The sent journal as the load began, for the rows' QSL states; null when it could not be
    // read (m_loadJournalError says why) and the log alone decides.
    std::unique_ptr<SentJournal> m_loadJournal;
    QString m_loadJournalError;
    QString m_loadName;
    QString m_lastLogPath;    // the log loaded last: Print Selected's PDF is named after it
    QString m_loadPower;
    int m_loadedRows = 0;
    QTimer m_loadSlices;

    bool m_running = false;
    std::atomic<bool> m_stopRequested{false};
};
