#pragma once

#include "QsoRecord.h"

#include <QImage>
#include <QObject>

#include <memory>
#include <vector>

class CardDocument;
class ControlLookup;
class QLabel;
class QsoListModel;

// The card of several QSOs shown on the window's card while rows of one call sign are
// selected in the QSO list and the design lists more than one QSO a card: the card
// `kartello cards --group-by-call` makes of them (its first card when there are more rows
// than a card lists). It lies over the card until the selection is no longer such a group,
// the panel closes, a batch run starts or the operator clicks it; the card under it is
// untouched.
class QsoTablePreview : public QObject
{
    Q_OBJECT
public:
    QsoTablePreview(ControlLookup &controls, const QsoListModel &rows);
    ~QsoTablePreview() override;

    // Shows the table of the selected rows, or hides it when they are no group to show.
    void update();
    void hide();
    bool isShown() const;
    // The card of several QSOs of one call sign with the window's design, as the preview and
    // the batch runs draw it, and a QSO as that card shows it.
    QImage paintCard(const std::vector<QsoRecord> &qsos);
    QsoRecord shownQso(const QsoRecord &qso);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The copy of the window's card document, with the window's design as it is now.
    CardDocument &document();

    ControlLookup &m_controls;
    const QsoListModel &m_rows;
    QLabel *m_picture = nullptr;
    std::unique_ptr<CardDocument> m_document;
};
