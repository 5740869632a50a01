#include "QslStateMarks.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>


namespace {

// Marks keep their colours on any desktop theme: they say the same thing everywhere.
const QColor kNeedsCard(0xd0, 0x30, 0x20);
const QColor kSent(0x1b, 0x7a, 0x2e);
const QColor kLoggedSent(0x5c, 0xb8, 0x5c);
const QColor kMaybeSent(0xe0, 0xa0, 0x00);
const QColor kIgnored(0x90, 0x90, 0x90);

} // namespace

QIcon paintQslStateMark(QslState state)
{
    QPixmap pixmap(qslStateMarkSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc = QRectF(QPointF(0, 0), qslStateMarkSize).adjusted(0.5, 0.5, -0.5, -0.5);
    const auto fillDisc = [&](const QColor &colour) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(disc);
    };
    switch (state) {
    case QslState::NeedsCard: fillDisc(kNeedsCard); break;
    case QslState::OddStatus:
        painter.setPen(QPen(kNeedsCard, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(disc.adjusted(1, 1, -1, -1));
        break;
    case QslState::LoggedSent: fillDisc(kLoggedSent); break;
    case QslState::JournalSent: fillDisc(kSent); break;
    case QslState::MaybeSent: fillDisc(kMaybeSent); break;
    case QslState::Ignored:
        painter.fillRect(QRectF(0, qslStateMarkSize.height() / 2.0 - 1, qslStateMarkSize.width(), 2), kIgnored);
        break;
    }
    painter.end();
    return QIcon(pixmap);
}

QslStateMarks paintQslStateMarks()
{
    QslStateMarks marks;
    for (size_t state = 0; state < marks.size(); ++state)
        marks[state] = paintQslStateMark(static_cast<QslState>(state));
    return marks;
}
