#pragma once

#include "ElementSurface.h"

#include <QColor>
#include <QList>
#include <QWidget>

class QPainter;
class CardElement;
class ReportDetailLink;

enum class BandType {
    Title, PageHeader, DetailHeader, Detail, DetailFooter,
    PageFooter, ReportFooter, NewPage, GroupHeader, GroupFooter
};
// The centimetre ruler a band shows with its layout guides on.
enum class RulerType { None, Horizontal, Both, Vertical };
enum class ClipMode { Clip, Expand, Overwrite };
// How a band follows its window: Align::Top keeps it at the top, as wide as the window.
enum class Align { None, Top, Bottom, Left, Right, Client };

// The name a band shows for its type while its layout guides are on ("Title", ...,
// "New Page", ...).
QString bandTypeName(BandType type);

// A band holds card elements and paints them. At run time it is a flat panel filled with its
// colour; its elements are painted over it in the order they were placed on it. The same
// routine paints the screen and any image of the band (QWidget::render / grab).
class CardBand : public QWidget, public ElementSurface
{
    Q_OBJECT
    Q_PROPERTY(Align Align READ align WRITE setAlign)
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

    Align align() const { return m_align; }
    void setAlign(Align align);
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

    // Layout guides: the centimetre ruler and the band type name. Off in the program.
    bool showLayoutGuides() const { return m_showLayoutGuides; }
    void setShowLayoutGuides(bool show);

    ReportDetailLink *detailLink() const { return m_detailLink; }
    void setDetailLink(ReportDetailLink *link) { m_detailLink = link; }

    // The elements on this band, in painting order.
    const QList<CardElement *> &elements() const { return m_elements; }

    // Fills the band with its colour and paints every visible element over it, each clipped
    // to its own rectangle. paintEvent uses it; so may anything that wants a picture.
    void paintElements(QPainter &painter);

    // The surface of the elements placed on the band, called by CardElement.
    QObject *surfaceObject() override { return this; }
    QFont surfaceFont() const override { return font(); }
    void repaintArea(const QRect &area) override { update(area); }
    void insertElement(CardElement *element) override;
    void removeElement(CardElement *element) override;

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
    Align m_align = Align::Top;
    QColor m_color{Qt::white};
    BandType m_bandType = BandType::Title;
    bool m_altColor = false;
    RulerType m_ruler = RulerType::Both;
    ClipMode m_clipMode = ClipMode::Clip;
    bool m_showLayoutGuides = false;
    ReportDetailLink *m_detailLink = nullptr;
};
