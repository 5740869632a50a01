#pragma once

#include "JpegWriter.h"

#include <QString>

// Writes rows as saveJpegFile does (the same file). Where this build has JpegSeries, the
// pictures a thread writes go through a series of its own (about a megabyte for a card, held
// while the thread runs); pictures of more than two million pixels are written alone.
// The series reaches into libjpeg's internal layout, which a library may change without
// notice, and a wrong layout still gives valid JPEGs, only grey ones. So each thread's first
// picture is also encoded plainly and compared byte for byte; on any difference the series is
// switched off for the rest of the process (one warning on stderr) and the plain bytes are
// written. Throws what saveJpegFile throws.
void saveJpegFileInSeries(const JpegRows &rows, int quality, const QString &path);

// Whether pictures still go through a series: false in a build without one, or once a
// comparison found a difference.
bool jpegSeriesInUse();

namespace JpegSeriesTesting {
// Forgets the comparisons: the series is in use again and each thread's next picture is
// compared anew. For tests only.
void resetGuard();
} // namespace JpegSeriesTesting
