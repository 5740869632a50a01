#pragma once

#include <QString>

// The ADIF band ("20m", "70cm") that a frequency in MHz lies in, as loggers write it in BAND;
// empty when the text is no number or the frequency lies in no amateur band.
QString bandOfFrequency(const QString &freqMHz);

// The band of a QSO: the band of its frequency, else its log's BAND when that names an ADIF
// band (letter case ignored, written as ADIF writes it, "20m"); empty when neither tells.
QString qsoBand(const QString &freqMHz, const QString &band);
