#pragma once
// The control panel's pictures: start and stop, each active or inactive, and the lamp
// lit or dark, drawn from the program's own SVG resources at the size asked for.

#include <QIcon>
#include <QPixmap>

namespace hesk::app {

enum class PanelPicture { StartActive, StartInactive, StopActive, StopInactive, LampLit, LampDark };

QPixmap panelPixmap(PanelPicture picture, int size = 32);
QIcon panelIcon(PanelPicture picture, int size = 32);

}  // namespace hesk::app
