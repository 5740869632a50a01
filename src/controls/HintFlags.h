#pragma once

class QEvent;
class QWidget;

// The ShowHint / ParentShowHint pair of Kartello's controls. With ParentShowHint on, the
// control shows its tooltip when its parent's "ShowHint" property is on (or the parent has
// none); otherwise its own ShowHint decides. Setting ShowHint switches ParentShowHint off.
class HintFlags
{
public:
    bool showHint() const { return m_showHint; }
    void setShowHint(bool on);
    bool parentShowHint() const { return m_parentShowHint; }
    void setParentShowHint(bool on) { m_parentShowHint = on; }

    bool hintsShown(const QWidget *control) const;
    // True when `event` is a tooltip request that must be swallowed.
    bool suppresses(const QWidget *control, const QEvent *event) const;

private:
    bool m_showHint = true;
    bool m_parentShowHint = true;
};
