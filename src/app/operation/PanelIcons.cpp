#include "PanelIcons.h"

#include <QPainter>
#include <QSvgRenderer>

namespace hesk::app {

namespace {

QString resourceOf(PanelPicture picture)
{
    switch (picture) {
    case PanelPicture::StartActive: return QStringLiteral(":/panel/start-active.svg");
    case PanelPicture::StartInactive: return QStringLiteral(":/panel/start-inactive.svg");
    case PanelPicture::StopActive: return QStringLiteral(":/panel/stop-active.svg");
    case PanelPicture::StopInactive: return QStringLiteral(":/panel/stop-inactive.svg");
    case PanelPicture::LampLit: return QStringLiteral(":/panel/lamp-lit.svg");
    case PanelPicture::LampDark: return QStringLiteral(":/panel/lamp-dark.svg");
    }
    return {};
}

}  // namespace

QPixmap panelPixmap(PanelPicture picture, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resourceOf(picture));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QIcon panelIcon(PanelPicture picture, int size)
{
    return QIcon(panelPixmap(picture, size));
}

}  // namespace hesk::app
