#include "AdifController.h"

#include "AdifReader.h"
#include "BatchCard.h"
#include "CardOutput.h"
#include "CardOutputsController.h"
#include "CardMail.h"
#include "CardQueue.h"
#include "DataFolder.h"
#include "EntryEdit.h"
#include "FileDialogMemory.h"
#include "FlatButton.h"
#include "HandlerGuard.h"
#include "KartelloError.h"
#include "Led.h"
#include "ControlLookup.h"
#include "ControlNames.h"
#include "FeatureHosts.h"
#include "FilePlaces.h"
#include "PrintWindow.h"
#include "QsoListModel.h"
#include "QsoGroups.h"
#include "QsoListSearch.h"
#include "QsoTablePreview.h"
#include "QslStateMarks.h"
#include "SentJournal.h"
#include "UserDialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSlider>

namespace {

// The window's client width with the panel open and closed (525 and 735 with the frame).
constexpr int kWidthWithPanel = 517;
constexpr int kFullWidth = 727;
constexpr QPoint kPanelPlace(14, 287);

// How long one slice of a load may take before the window gets its turn again.
constexpr qint64 kLoadSliceMs = 15;
constexpr int kRowsPerRead = 256;

const QString kBatchPrintTitle = QStringLiteral("Batch QSL print");
// Loggers name their exports .adi or .adif, some in capitals.
const QString kLogFilter = QStringLiteral("ADIF logs (*.adi *.adif *.ADI *.ADIF);;All files (*)");

} // namespace

AdifController::AdifController(ControlLookup &controls, const BatchCardParts &batch)
    : QObject(&controls.hostWidget())
    , m_controls(controls)
    , m_batch(std::make_unique<BatchCardParts>(batch))
    , m_rows(new QsoListModel(this))
{
    m_rows->setStateMarks([marks = paintQslStateMarks()](QslState state) {
        return QVariant(marks[static_cast<size_t>(state)]);
    });
    if (QListView *view = list()) {
        view->setModel(m_rows);
        view->setIconSize(qslStateMarkSize);
    }
    m_preview = new QsoTablePreview(m_controls, *m_rows);
    m_loadSlices.setInterval(0);
    connectGuarded(&m_loadSlices, &QTimer::timeout, this, [this] { readLoadSlice(); });
    const std::pair<const char *, void (AdifController::*)()> buttons[] = {
        {controlnames::adifButton, &AdifController::openPanel},
        {controlnames::adifCloseButton, &AdifController::closePanel},
        {controlnames::loadAdifButton, &AdifController::chooseAndLoadLog},
        {controlnames::searchButton, &AdifController::searchFromTop},
        {controlnames::searchNextButton, &AdifController::searchNext},
        {controlnames::selectUnsentButton, &AdifController::selectUnsent},
        {controlnames::printSelectedButton, &AdifController::printSelected},
        {controlnames::jpegSelectedButton, &AdifController::saveSelectedAsJpeg},
        {controlnames::sendSelectedButton, &AdifController::sendSelected},
    };
    for (const auto &[name, handler] : buttons) {
        if (auto *button = m_controls.control<FlatButton>(QString::fromLatin1(name)))
            connectGuarded(button, &FlatButton::clicked, this,
                           [this, handler = handler] { (this->*handler)(); });
    }
}

AdifController::~AdifController() = default;

QListView *AdifController::list() const { return m_controls.control<QListView>(controlnames::qsoList); }
Led *AdifController::led() const { return m_controls.control<Led>(controlnames::batchLed); }
FlatButton *AdifController::closeButton() const
{
    return m_controls.control<FlatButton>(controlnames::adifCloseButton);
}
QLabel *AdifController::progressLine() const
{
    return m_controls.control<QLabel>(controlnames::adifProgress);
}

void AdifController::openPanel()
{
    m_controls.hostWidget().setFixedWidth(kWidthWithPanel);
    QWidget *panel = m_controls.control(controlnames::adifPanel);
    panel->move(kPanelPlace);
    panel->show();
    panel->raise();
    if (!isBusy()) {
        m_rows->clear();
        showProgress(QString());
    }
}

void AdifController::closePanel()
{
    m_controls.hostWidget().setFixedWidth(kFullWidth);
    m_controls.control(controlnames::adifPanel)->hide();
    m_preview->hide();
}

bool AdifController::isBusy() const
{
    return m_load || m_running;
}

void AdifController::showBusy(bool busy)
{
    led()->setLit(busy);
    closeButton()->setButtonEnabled(!busy);
    // A batch run shows each of its cards on the card itself.
    if (busy)
        m_preview->hide();
}

void AdifController::showProgress(const QString &text)
{
    if (QLabel *line = progressLine())
        line->setText(text);
}

void AdifController::chooseAndLoadLog()
{
    if (isBusy())
        return;
    auto *memory = m_controls.control<FileDialogMemory>(controlnames::adifDialog);
    const QString path = userDialogs().openFileName(QStringLiteral("Open"), memory->initialDir(),
                                                    kLogFilter);
    if (path.isEmpty())
        return;
    memory->setFileName(path);
    memory->setInitialDir(QFileInfo(path).absolutePath() + QLatin1Char('/'));
    loadLogFile(path);
}

void AdifController::loadLogFile(const QString &path)
{
    if (isBusy())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw KartelloError::cannotOpen(path);
    m_load = std::make_unique<AdifReader>(file.readAll());
    // The journal is read once per load; a journal that cannot be read does not stop the load.
    m_loadJournal = std::make_unique<SentJournal>(filePlaces().sentJournal);
    m_loadJournalError.clear();
    try {
        m_loadJournal->read();
    } catch (const JournalError &error) {
        m_loadJournal.reset();
        m_loadJournalError = error.text();
    }
    m_loadName = QFileInfo(path).fileName();
    m_lastLogPath = path;
    m_loadPower = m_batch->qso.entryOverlay(card::QsoField::Power)->text();
    m_loadedRows = 0;
    showBusy(true);
    showProgress(QStringLiteral("%1: loading").arg(m_loadName));
    m_loadSlices.start();
}

void AdifController::readLoadSlice()
{
    if (!m_load) {
        m_loadSlices.stop();
        return;
    }
    QElapsedTimer slice;
    slice.start();
    QStringList rows;
    std::vector<QslStatus> statuses;
    AdifRecord record;
    while (!m_load->atEnd() && slice.elapsed() < kLoadSliceMs) {
        for (int n = 0; n < kRowsPerRead && m_load->readNext(record); ++n) {
            rows << listRow(record, m_loadPower);
            statuses.push_back(qslStatusOf(record, m_loadJournal.get()));
        }
    }
    m_rows->appendRows(rows, statuses);
    m_loadedRows += int(rows.size());
    if (m_load->atEnd()) {
        finishLoad();
        return;
    }
    const int percent = int(100 * m_load->position() / std::max<qsizetype>(1, m_load->size()));
    showProgress(QStringLiteral("%1: loading, %2 rows (%3%)").arg(m_loadName).arg(m_loadedRows).arg(percent));
}

void AdifController::finishLoad()
{
    m_loadSlices.stop();
    QString summary = m_loadName + QStringLiteral(": ") + loadSummary(m_loadedRows, m_load->skipped());
    if (!m_loadJournalError.isEmpty())
        summary += QStringLiteral("; QSL states from the log alone: ") + m_loadJournalError;
    m_load.reset();
    m_loadJournal.reset();
    showBusy(false);
    showProgress(summary);
    emit loadFinished(summary);
}

void AdifController::showFoundRow(int row)
{
    // The hit is the selection, so that a batch run or Send Selected takes what was found.
    const QModelIndex index = m_rows->index(row);
    list()->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    list()->scrollTo(index, QAbstractItemView::PositionAtTop);
}

void AdifController::searchFromTop()
{
    const QString text = m_controls.control<QLineEdit>(controlnames::searchEdit)->text();
    const SearchStep step = ::searchFromTop(m_rows->rows(), text, m_resumeIndex);
    m_resumeIndex = step.resumeIndex;
    if (step.foundRow >= 0)
        showFoundRow(step.foundRow);
}

void AdifController::searchNext()
{
    const QString text = m_controls.control<QLineEdit>(controlnames::searchEdit)->text();
    const SearchStep step = ::searchNext(m_rows->rows(), text, m_resumeIndex);
    m_resumeIndex = step.resumeIndex;
    if (step.foundRow >= 0)
        showFoundRow(step.foundRow);
}

void AdifController::selectUnsent()
{
    if (isBusy())
        return;
    const QList<int> unsent = m_rows->rowsNeedingCard();
    // Runs of neighbouring rows as one range each, so that a long log selects at once.
    QItemSelection selection;
    for (qsizetype i = 0; i < unsent.size();) {
        qsizetype last = i;
        while (last + 1 < unsent.size() && unsent[last + 1] == unsent[last] + 1)
            ++last;
        selection.select(m_rows->index(unsent[i]), m_rows->index(unsent[last]));
        i = last + 1;
    }
    QItemSelectionModel *model = list()->selectionModel();
    model->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!unsent.isEmpty()) {
        const QModelIndex first = m_rows->index(unsent.first());
        model->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
        list()->scrollTo(first, QAbstractItemView::PositionAtTop);
    }
    showProgress(QStringLiteral("%1 of %2 QSOs need a card").arg(unsent.size()).arg(m_rows->rowCount()));
}

QList<int> AdifController::selectedRowNumbers() const
{
    QList<int> numbers;
    for (const QModelIndex &index : list()->selectionModel()->selectedRows())
        numbers << index.row();
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

QStringList AdifController::selectedRows() const
{
    QStringList rows;
    for (int row : selectedRowNumbers())
        rows << m_rows->rows().at(row);
    return rows;
}

void AdifController::refreshJournalEntries(const QList<int> &rows, const SentJournal &journal)
{
    for (int row : rows) {
        if (row >= m_rows->rowCount())
            continue;
        const JournalEntry entry = journalEntry(journal, sentQsoOf(parseListRow(m_rows->rows().at(row))));
        if (entry != JournalEntry::None)
            m_rows->setJournalEntry(row, entry);
    }
}

bool AdifController::eventFilter(QObject *watched, QEvent *event)
{
    if (m_running && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        requestStop();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

std::vector<std::vector<QsoRecord>> AdifController::selectedCards() const
{
    std::vector<QsoRecord> qsos;
    for (const QString &row : selectedRows())
        qsos.push_back(parseListRow(row));
    const int perCard =
        m_controls.control<QSlider>(QString::fromLatin1(controlnames::qsosPerCardSlider))->value();
    std::vector<std::vector<QsoRecord>> cards;
    for (const std::vector<int> &card : qsoCards(qsos, perCard, perCard > 1)) {
        cards.emplace_back();
        for (int i : card)
            cards.back().push_back(qsos[i]);
    }
    return cards;
}

int AdifController::runOverSelection(
    const std::function<void(const std::vector<QsoRecord> &, int)> &makeCard)
{
    const std::vector<std::vector<QsoRecord>> rows = selectedCards();
    // A window closed during the run ends it as Esc does: nobody waits for the cards any more.
    const bool shownAtStart = m_controls.hostWidget().isVisible();
    m_running = true;
    m_stopRequested = false;
    showBusy(true);
    qApp->installEventFilter(this);
    auto finish = [this] {
        qApp->removeEventFilter(this);
        emptyQsoAfterBatchCard(*m_batch);
        m_running = false;
        showBusy(false);
    };
    int made = 0;
    try {
        for (const std::vector<QsoRecord> &card : rows) {
            // The window repaints and Esc is seen between two cards.
            QCoreApplication::processEvents();
            if (shownAtStart && !m_controls.hostWidget().isVisible())
                m_stopRequested = true;
            if (m_stopRequested)
                break;
            showProgress(QStringLiteral("Card %1 of %2").arg(made + 1).arg(rows.size()));
            makeCard(card, made);
            ++made;
        }
    } catch (...) {
        finish();
        showProgress(QStringLiteral("%1 of %2 cards made, then an error").arg(made).arg(rows.size()));
        throw;
    }
    finish();
    showProgress(m_stopRequested ? QStringLiteral("Stopped after %1 of %2 cards").arg(made).arg(rows.size())
                                 : QStringLiteral("%1 of %2 cards made").arg(made).arg(rows.size()));
    return made;
}

void AdifController::printSelected()
{
    if (isBusy())
        return;
    PrintWindow &printWindow = m_batch->outputs.printWindow();
    LetterSheet &report = printWindow.sheet();
    report.setupPrinter(printWindow.printer());
    QString proposal;
    if (!m_lastLogPath.isEmpty()) {
        try {
            proposal = batchPrintFileProposal(cardFolder(), m_lastLogPath);
        } catch (const KartelloError &) {
            // Without a readable card folder the print dialog proposes its own file.
        }
    }
    if (!userDialogs().printDialog(printWindow.printer(), proposal))
        return;
    report.setReportTitle(kBatchPrintTitle);
    report.beginJob(printWindow.printer());
    struct JobEnd {
        LetterSheet &report;
        ~JobEnd() { report.endJob(); }
    } jobEnd{report};
    int onPage = 0;
    runOverSelection([&](const std::vector<QsoRecord> &qsos, int) {
        const QImage card =
            qsos.size() > 1 ? m_preview->paintCard(qsos) : batchCard(*m_batch, qsos.front());
        if (onPage == 0)
            report.clearSlots();
        report.setSlotPicture(onPage, card);
        emptyQsoAfterBatchCard(*m_batch);
        if (++onPage == LetterSheet::SlotCount) {
            report.printPage();
            onPage = 0;
        }
    });
    // The last page with one or two cards; after Esc too, so no card made is lost.
    if (onPage > 0)
        report.printPage();
}

void AdifController::saveSelectedAsJpeg()
{
    if (isBusy())
        return;
    const QString folder = batchFolder();
    BatchCardNames names;
    runOverSelection([&](const std::vector<QsoRecord> &qsos, int) {
        if (qsos.size() > 1) {
            writeBatchFilesOf(m_preview->paintCard(qsos), m_preview->shownQso(qsos.front()),
                              qsos.front().email, folder, QDate::currentDate(), names);
            return;
        }
        batchCard(*m_batch, qsos.front());
        writeBatchFiles(*m_batch, qsos.front().email, folder, QDate::currentDate(), names);
        emptyQsoAfterBatchCard(*m_batch);
    });
}
