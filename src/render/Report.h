#pragma once

#include "ReportPrinter.h"

#include <QObject>
#include <QString>

// The page set-up of a report: orientation and paper go to the shared report printer;
// margins are whole millimetres from 0 up to, not including, the paper's portrait width.
class Report : public QObject
{
    Q_OBJECT
    Q_PROPERTY(PrinterOrientation Orientation READ orientation WRITE setOrientation)
    Q_PROPERTY(PaperSize Papersize READ papersize WRITE setPapersize)
    Q_PROPERTY(int LeftMarginMM READ leftMarginMM WRITE setLeftMarginMM)
    Q_PROPERTY(int RightMarginMM READ rightMarginMM WRITE setRightMarginMM)
    Q_PROPERTY(QString ReportTitle READ reportTitle WRITE setReportTitle)

public:
    // Portrait, A4; clears the show-names and show-captions switches; scrolls a scrolling
    // owner back to its origin.
    explicit Report(QObject *owner = nullptr);

    PrinterOrientation orientation() const { return m_orientation; }
    void setOrientation(PrinterOrientation orientation);
    PaperSize papersize() const { return m_papersize; }
    void setPapersize(PaperSize paper);
    int leftMarginMM() const { return m_leftMarginMM; }
    void setLeftMarginMM(int mm);
    int rightMarginMM() const { return m_rightMarginMM; }
    void setRightMarginMM(int mm);
    QString reportTitle() const { return m_reportTitle; }
    void setReportTitle(const QString &title) { m_reportTitle = title; }

private:
    bool acceptsMargin(int mm) const;

    PrinterOrientation m_orientation = PrinterOrientation::Portrait;
    PaperSize m_papersize = PaperSize::A4;
    int m_leftMarginMM = 0;
    int m_rightMarginMM = 0;
    QString m_reportTitle;
};
