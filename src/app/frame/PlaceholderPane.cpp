#include "PlaceholderPane.h"

namespace hesk::app {

PlaceholderPane::PlaceholderPane(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setMargin(12);
    setEnabled(false);  // drawn greyed: nothing to operate yet
}

}  // namespace hesk::app
