#include "title_header.h"

#include <QPainter>
#include <QPixmap>

TitleHeader::TitleHeader(const QImage &strip, const QColor &text, QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent), strip_(strip), text_(text)
{
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setFixedHeight(strip_.isNull() ? 20 : strip_.height());
    setSectionsClickable(false);
    setHighlightSections(false);
}

void TitleHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    painter->save();
    if (strip_.isNull())
        painter->fillRect(rect, Qt::black);
    else
        painter->drawTiledPixmap(rect, QPixmap::fromImage(strip_));
    painter->setPen(QColor(0, 0, 0, 150));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->setPen(QColor(255, 255, 255, 40));
    painter->drawLine(rect.topLeft() + QPoint(0, 2), rect.bottomLeft() - QPoint(0, 2));
    painter->setPen(text_);
    const QString caption = model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
    painter->drawText(rect.adjusted(5, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      fontMetrics().elidedText(caption, Qt::ElideRight, rect.width() - 8));
    painter->restore();
}
