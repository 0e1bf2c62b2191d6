#pragma once
// A pane whose content comes later: it says what will be shown there.

#include <QLabel>

namespace hesk::app {

class PlaceholderPane final : public QLabel {
    Q_OBJECT
public:
    PlaceholderPane(const QString& text, QWidget* parent = nullptr);
};

}  // namespace hesk::app
