#pragma once

#include "QslQueue.h"

#include <QIcon>
#include <QSize>

#include <array>

// The mark a QSO list row shows for its QSL state: a red dot for a QSO that needs a card (a
// red ring when the log's QSL_SENT is one Kartello does not know), green for sent (a lighter
// green when only the log says so), amber for a card that may have been sent, a grey bar for
// one the log says to ignore. Small enough that a row keeps its height.
inline constexpr QSize qslStateMarkSize(8, 8);
QIcon paintQslStateMark(QslState state);

// Every state's mark, painted once, by state.
using QslStateMarks = std::array<QIcon, 6>;
QslStateMarks paintQslStateMarks();
