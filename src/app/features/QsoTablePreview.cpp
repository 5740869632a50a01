#include "QsoTablePreview.h"

#include "CardDocument.h"
#include "CardElements.h"
#include "ControlLookup.h"
#include "ControlNames.h"
#include "HandlerGuard.h"
#include "ListRow.h"
#include "QsoGroups.h"
#include "QsoListModel.h"

#include <QEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPixmap>
#include <QSlider>

#include <algorithm>

QsoTablePreview::QsoTablePreview(ControlLookup &controls, const QsoListModel &rows)
    : QObject(&controls.hostWidget())
    , m_controls(controls)
    , m_rows(rows)
{
    QWidget *band = m_controls.control(QString::fromLatin1(controlnames::cardBand));
    m_picture = new QLabel(band);
    m_picture->setObjectName(QStringLiteral("QsoTablePreview"));
    m_picture->setGeometry(0, 0, card::kCardWidth, card::kCardHeight);
    m_picture->hide();
    m_picture->installEventFilter(this);
    auto *list = m_controls.control<QListView>(QString::fromLatin1(controlnames::qsoList));
    connectGuarded(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                   [this] { update(); });
    connectGuarded(m_controls.control<QSlider>(QString::fromLatin1(controlnames::qsosPerCardSlider)),
                   &QSlider::valueChanged, this, [this] { update(); });
}

QsoTablePreview::~QsoTablePreview() = default;

void QsoTablePreview::update()
{
    auto *list = m_controls.control<QListView>(QString::fromLatin1(controlnames::qsoList));
    const int perCard =
        m_controls.control<QSlider>(QString::fromLatin1(controlnames::qsosPerCardSlider))->value();
    QModelIndexList selected = list->selectionModel()->selectedRows();
    if (perCard < 2 || selected.size() < 2 || !list->isVisibleTo(&m_controls.hostWidget())) {
        hide();
        return;
    }
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    std::vector<QsoRecord> qsos;
    for (const QModelIndex &index : selected) {
        if (index.row() >= m_rows.rows().size())
            continue;
        qsos.push_back(parseListRow(m_rows.rows().at(index.row())));
        if (groupingCallSign(qsos.back().callSign) != groupingCallSign(qsos.front().callSign)) {
            hide();
            return;
        }
    }
    const std::vector<std::vector<int>> cards = qsoCards(qsos, perCard, true);
    std::vector<QsoRecord> first;
    for (int i : cards.front())
        first.push_back(qsos[i]);
    m_picture->setPixmap(QPixmap::fromImage(paintCard(first)));
    m_picture->show();
    m_picture->raise();
}

CardDocument &QsoTablePreview::document()
{
    if (!m_document)
        m_document = std::make_unique<CardDocument>();
    m_document->adoptDesignOf(*m_controls.control<CardDocument>(
        QString::fromLatin1(controlnames::cardDocument)));
    return *m_document;
}

QImage QsoTablePreview::paintCard(const std::vector<QsoRecord> &qsos)
{
    return document().paintCard(qsos);
}

QsoRecord QsoTablePreview::shownQso(const QsoRecord &qso)
{
    return document().shownQso(qso);
}

void QsoTablePreview::hide()
{
    m_picture->hide();
}

bool QsoTablePreview::isShown() const
{
    return !m_picture->isHidden();
}

bool QsoTablePreview::eventFilter(QObject *watched, QEvent *event)
{
    // A click on the card is meant for the card: the table makes way.
    if (watched == m_picture && event->type() == QEvent::MouseButtonPress) {
        hide();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
