#pragma once

#include <QPixmap>
#include <QSize>
#include <folimo/brand.hpp>

class QPainter;
class QPointF;

// A brand's three colours as small rounded squares side by side: background, badge (accent)
// and title (text), each with a faint inner border so that white and near-white still show.
namespace Swatches {

// The space the three squares take, in device-independent pixels.
QSize size();
// Paints the squares with their top left corner at topLeft.
void paint(QPainter& painter, const QPointF& topLeft, const folimo::Brand& brand);
// The squares on a transparent pixmap, sharp at the given device pixel ratio.
QPixmap pixmap(const folimo::Brand& brand, qreal devicePixelRatio);

} // namespace Swatches
