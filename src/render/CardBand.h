#pragma once

#include <QColor>
#include <QList>
#include <QWidget>

class QPainter;
class CardElement;
class ReportDetailLink;

enum BandType {
    alr_Title, alr_PageHeader, alr_DetailHeader, alr_Detail, alr_DetailFooter,
    alr_PageFooter, alr_ReportFooter, alr_NewPage, alr_GroupHeader, alr_GroupFooter
};
enum RulerType { alr_none, alr_cmH, alr_cmHV, alr_cmV };
enum ClipMode { cm_Clip, cm_Expand, cm_Overwrite };
// How a band follows its window: alTop keeps it at the top, as wide as the window.
enum ElementAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// The name a design-time band shows for its type ("Title", ..., "New Page", ...).
QString bandTypeName(BandType type);

// A band holds card elements and paints them. At run time it is a flat panel filled with its
// colour; its elements are painted over it in the order they were placed on it. The same
// routine paints the screen and any image of the band (QWidget::render / grab).
class CardBand : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(ElementAlign Align READ align WRITE setAlign)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(BandType BandType READ bandType WRITE setBandType)
    Q_PROPERTY(bool AltColor READ altColor WRITE setAltColor)
    Q_PROPERTY(RulerType Ruler READ ruler WRITE setRuler)
    Q_PROPERTY(ClipMode ClipMode READ clipMode WRITE setClipMode)

public:
    // parent must be a form (a window, or the central widget of a main window); anything
    // else raises "This component must be placed on a tForm.".
    explicit CardBand(QWidget *parent = nullptr);
    ~CardBand() override;

    // Moves the band onto another form, with the same check; on failure nothing changes.
    void setParentWidget(QWidget *parent);

    ElementAlign align() const { return m_align; }
    void setAlign(ElementAlign align);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    BandType bandType() const { return m_bandType; }
    void setBandType(BandType type);
    bool altColor() const { return m_altColor; }
    void setAltColor(bool altColor) { m_altColor = altColor; }
    RulerType ruler() const { return m_ruler; }
    void setRuler(RulerType ruler);
    ClipMode clipMode() const { return m_clipMode; }
    void setClipMode(ClipMode mode) { m_clipMode = mode; }

    // Design-time look: the centimetre ruler and the band type name. Off in the program.
    bool designing() const { return m_designing; }
    void setDesigning(bool designing);

    ReportDetailLink *detailLink() const { return m_detailLink; }
    void setDetailLink(ReportDetailLink *link) { m_detailLink = link; }

    // The elements on this band, in painting order.
    const QList<CardElement *> &elements() const { return m_elements; }

    // Fills the band with its colour and paints every visible element over it, each clipped
    // to its own rectangle. paintEvent uses it; so may anything that wants a picture.
    void paintElements(QPainter &painter);

    // Element bookkeeping, called by CardElement.
    void insertElement(CardElement *element);
    void removeElement(CardElement *element);

    // True when widget may hold a band.
    static bool isForm(const QWidget *widget);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyAlign();
    void paintRuler(QPainter &painter);

    QList<CardElement *> m_elements;
    ElementAlign m_align = alTop;
    QColor m_color{Qt::white};
    BandType m_bandType = alr_Title;
    bool m_altColor = false;
    RulerType m_ruler = alr_cmHV;
    ClipMode m_clipMode = cm_Clip;
    bool m_designing = false;
    ReportDetailLink *m_detailLink = nullptr;
};
