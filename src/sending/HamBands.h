#pragma once

#include <QString>

// The ADIF band ("20m", "70cm") that a frequency in MHz lies in, as loggers write it in BAND;
// empty when the text is no number or the frequency lies in no amateur band.
QString bandOfFrequency(const QString &freqMHz);
