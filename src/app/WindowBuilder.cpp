#include "WindowBuilder.h"

#include "TextStyles.h"

#include "CardDocument.h"
#include "CardEntryOverlays.h"
#include "Colors.h"
#include "Fonts.h"
#include "CollapsiblePanel.h"
#include "LineFrame.h"
#include "FlatButton.h"
#include "Led.h"
#include "RememberedList.h"
#include "EntryEdit.h"
#include "OneLineText.h"
#include "RememberedSlider.h"
#include "GroupFrame.h"
#include "FittedCaption.h"
#include "TabRingPanel.h"
#include "CardBand.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QSlider>
#include <QStatusBar>
#include <QTextCharFormat>
#include <QToolButton>

namespace {

QWidget *createBand(QWidget *form, QWidget *parent)
{
    auto *band = new CardBand(parent);
    band->setColor(Qt::white);
    // Built docked to the top of the window at 794 wide; start-up undocks it.
    band->resize(794, 282);
    band->setAlign(Align::Top);
    band->setRuler(RulerType::Both);
    band->setBandType(BandType::Detail);
    // The window shows the card document that its features edit, and the commands paint.
    auto *document = new CardDocument(form);
    document->setObjectName(QStringLiteral("cardDocument"));
    document->showOn(band);
    card::addEntryOverlays(band);
    return band;
}

QWidget *createSlider(const ControlRow &row, QWidget *parent)
{
    auto *slider = row.cls == ControlClass::RememberedSlider
                       ? new RememberedSlider(parent)
                       : new QSlider(Qt::Horizontal, parent);
    slider->setRange(row.minimum, row.maximum);
    slider->setSingleStep(1);
    slider->setPageStep(1);
    slider->setValue(row.value);
    return slider;
}

QWidget *createCalendar(QWidget *parent)
{
    auto *calendar = new QCalendarWidget(parent);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    QTextCharFormat navy;
    navy.setForeground(colorFromInt(8388608));
    calendar->setWeekdayTextFormat(Qt::Saturday, navy);
    calendar->setWeekdayTextFormat(Qt::Sunday, navy);
    QPalette p = calendar->palette();
    p.setColor(QPalette::Text, colorFromInt(8388608));
    p.setColor(QPalette::Base, colorFromInt(11395047));
    p.setColor(QPalette::AlternateBase, colorFromInt(11395047));
    // The calendar draws the days of the months before and after in the disabled text colour.
    p.setColor(QPalette::Disabled, QPalette::Text, Qt::white);
    calendar->setPalette(p);
    return calendar;
}

QWidget *createCombo(QWidget *parent, const QString &text)
{
    auto *combo = new RememberedList(parent);
    combo->addItems(card::otherColourItems());
    combo->showOwnText(text);
    return combo;
}

QWidget *createListBox(QWidget *parent)
{
    // Rows of one height let a list of 100,000 rows scroll and grow without measuring each row.
    auto *list = new QListView(parent);
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setFont(pixelSizedFont(QStringLiteral("Courier New"), 8));
    return list;
}

QWidget *createEntryEdit(QWidget *parent, const QString &text)
{
    auto *edit = new EntryEdit(parent);
    edit->setFrame(false);
    edit->setDisplayAlignment(Qt::AlignHCenter);
    edit->setText(text);
    return edit;
}

QWidget *createLineFrame(const QString &name, QWidget *parent)
{
    auto *line = new LineFrame(parent);
    using Side = LineFrame::LineFrameStyle;
    line->setStyle(Side::Top | Side::Bottom | Side::Left | Side::Right);
    line->setPen(QPen(colorFromInt(name == QLatin1String("DiduLine1") ? 8388608 : 0), 1));
    return line;
}

QWidget *createWidget(QWidget *form, const ControlRow &row, QWidget *parent)
{
    switch (row.cls) {
    case ControlClass::Panel: {
        auto *panel = new QFrame(parent);
        panel->setAutoFillBackground(true);
        return panel;
    }
    case ControlClass::TabRingPanel: {
        auto *panel = new TabRingPanel(parent);
        panel->setAutoFillBackground(true);
        return panel;
    }
    case ControlClass::GroupBox: return new GroupFrame(row.caption, parent);
    case ControlClass::Button: {
        auto *button = new FlatButton(parent);
        button->setCaption(row.caption);
        // The low buttons (13 or 14 pixels) need a smaller face to show their captions.
        if (row.geometry.height() <= 14)
            button->setCaptionFont(pixelSizedFont(QStringLiteral("Arial"), 7));
        return button;
    }
    case ControlClass::SpeedButton: {
        auto *button = new QToolButton(parent);
        button->setText(row.caption);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    }
    case ControlClass::Radio: return new FittedRadioButton(row.caption, parent);
    case ControlClass::Check: return new FittedCheckBox(row.caption, parent);
    case ControlClass::Label: return new FittedLabel(row.caption, parent);
    case ControlClass::Edit: {
        auto *edit = new QLineEdit(row.caption, parent);
        edit->setValidator(new OneLineValidator(edit));
        return edit;
    }
    case ControlClass::EntryEdit: return createEntryEdit(parent, row.caption);
    case ControlClass::Calendar: return createCalendar(parent);
    case ControlClass::RememberedSlider:
    case ControlClass::Slider: return createSlider(row, parent);
    case ControlClass::Combo: return createCombo(parent, row.caption);
    case ControlClass::Choice: return new QComboBox(parent);
    case ControlClass::ListBox: return createListBox(parent);
    case ControlClass::Led: return new Led(parent);
    case ControlClass::LineFrame: return createLineFrame(row.name, parent);
    case ControlClass::CollapsiblePanel: return new CollapsiblePanel(parent);
    case ControlClass::Image: return new QLabel(parent);
    case ControlClass::CardBand: return createBand(form, parent);
    case ControlClass::StatusBar: {
        auto *bar = new QStatusBar(parent);
        bar->setSizeGripEnabled(false);
        return bar;
    }
    }
    return nullptr;
}

void setNavyText(QWidget *widget)
{
    widget->setFont(pixelSizedFont(QStringLiteral("MS Sans Serif"), 8));
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colorFromInt(8388608));
    palette.setColor(QPalette::ButtonText, colorFromInt(8388608));
    widget->setPalette(palette);
}

} // namespace

void setControlColour(QWidget *widget, int colour)
{
    const QColor c = colorFromInt(colour);
    if (auto *button = qobject_cast<FlatButton *>(widget)) {
        button->setColor(c);
        return;
    }
    if (auto *panel = qobject_cast<CollapsiblePanel *>(widget)) {
        panel->setColor(c);
        return;
    }
    QPalette p = widget->palette();
    if (qobject_cast<QLineEdit *>(widget)) {
        p.setColor(QPalette::Base, c);
        p.setColor(QPalette::Text, colorFromInt(8388608));
    } else {
        // Buttons fill their background in the button colour, everything else in the window's.
        p.setColor(QPalette::Window, c);
        p.setColor(widget->backgroundRole(), c);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(p);
}

void buildWindow(QWidget *form, const std::vector<ControlRow> &rows)
{
    QHash<QString, QWidget *> byName;
    for (const ControlRow &row : rows) {
        QWidget *parent = row.parent.isEmpty() ? form : byName.value(row.parent, form);
        QWidget *w = createWidget(form, row, parent);
        w->setObjectName(row.name);
        if (row.cls != ControlClass::CardBand)
            w->setGeometry(row.geometry);
        if (row.colour >= 0)
            setControlColour(w, row.colour);
        if (row.textColour >= 0) {
            QPalette p = w->palette();
            p.setColor(QPalette::WindowText, colorFromInt(row.textColour));
            w->setPalette(p);
        }
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            button->setChecked(row.flags & Checked);
        if (row.flags & NavyText)
            setNavyText(w);
        if (row.flags & AutoSize)
            w->adjustSize();
        if (row.flags & NoTabStop)
            w->setFocusPolicy(Qt::ClickFocus);
        if (row.flags & TabStop)
            w->setFocusPolicy(Qt::TabFocus);
        if (auto *edit = qobject_cast<QLineEdit *>(w); edit && (row.flags & Framed))
            edit->setFrame(true);
        if (row.flags & Hidden)
            w->hide();
        byName.insert(row.name, w);
    }
}
