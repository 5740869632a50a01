#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

// Runs a program (poppler's tools) and returns its standard output.
QString runTool(const QString &program, const QStringList &args);

// Renders the first page of a PDF at 96 dots per inch and returns the bounding rectangles of
// the non-white areas, top to bottom (one per card printed on the page).
std::vector<QRect> cardsOnPdfPage(const QString &pdf, const QString &workFolder);

// The number of pages of a PDF file.
int pdfPageCount(const QString &pdf);

// A card that is easy to find on the page: navy with a one-pixel yellow frame.
QImage framedTestCard(const QColor &fill = QColor(0, 0, 128));
