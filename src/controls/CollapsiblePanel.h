#pragma once

#include <QColor>
#include <QTimer>
#include <QWidget>
#include <vector>

class QLabel;
class QToolButton;

// A panel that folds up to its header bar and unfolds again, a few pixels at a time so the
// movement shows. The header button folds and unfolds it; with AutoClose on the panel unfolds
// when the pointer enters and folds AutoCloseTime milliseconds after it has left, unless the
// header button (then a toggle) pins it open.
class CollapsiblePanel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QString HeaderCaption READ headerCaption WRITE setHeaderCaption)
    Q_PROPERTY(bool AutoClose READ autoClose WRITE setAutoClose)
    Q_PROPERTY(int AutoCloseTime READ autoCloseTime WRITE setAutoCloseTime)
    Q_PROPERTY(bool Collapsed READ isCollapsed WRITE setCollapsed)

public:
    static constexpr int HeaderHeight = 16;
    // Panels at least this tall when unfolded move in steps of this many pixels.
    static constexpr int LargePanel = 300;
    static constexpr int LargeStep = 4;

    explicit CollapsiblePanel(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    QString headerCaption() const;
    void setHeaderCaption(const QString &caption);
    bool autoClose() const { return m_autoClose; }
    void setAutoClose(bool on);
    int autoCloseTime() const { return m_timer.interval(); }
    void setAutoCloseTime(int milliseconds);
    bool isCollapsed() const { return m_collapsed; }
    void setCollapsed(bool collapsed);

    bool isPinned() const { return m_pinned; }
    bool isTimerActive() const { return m_timer.isActive(); }
    int unfoldedHeight() const { return m_unfoldedHeight; }
    QWidget *header() const;
    QToolButton *headerButton() const { return m_button; }
    QColor headerColor() const;

    // The heights a fold or unfold passes through from `from` to `to`, both ends included
    // where they are on the grid, before the final height `to` is set. `unfolded` is the
    // panel's unfolded height, which picks the step size.
    static std::vector<int> steps(int from, int to, int unfolded);

    QSize sizeHint() const override { return {185, 41}; }

signals:
    // Each height a fold or unfold applies on its way, the final one included.
    void heightStepped(int height);

public slots:
    void fold();
    void unfold();
    // What the auto-close timer does when it fires: fold up and stop.
    void autoCloseTick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void moveThrough(int to);
    void applyHeight(int height);
    void setHeaderColor(const QColor &color);
    void headerButtonClicked();

    QColor m_color;
    QLabel *m_header;
    QToolButton *m_button;
    QTimer m_timer;
    int m_unfoldedHeight = 0;
    bool m_autoClose = false;
    bool m_collapsed = false;
    bool m_pinned = false;
};
