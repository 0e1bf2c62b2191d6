#pragma once
// The plotting library's header. It is written with Qt's keyword macros (signals, slots,
// emit, foreach), which this code base switches off (QT_NO_KEYWORDS); they are defined for
// the length of the include only. Include this instead of <qcustomplot.h>.

#if defined(signals) || defined(slots) || defined(emit) || defined(foreach)
#error "Qt keyword macros are already defined"
#endif
#define signals Q_SIGNALS
#define slots Q_SLOTS
#define emit Q_EMIT
#define foreach Q_FOREACH
#include <qcustomplot.h>
#undef signals
#undef slots
#undef emit
#undef foreach
