#pragma once

// The column header of the playlist window's list, drawn with the
// texture's header strip.

#include <QColor>
#include <QHeaderView>
#include <QImage>

class TitleHeader : public QHeaderView {
public:
    TitleHeader(const QImage &strip, const QColor &text, QWidget *parent = nullptr);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    QImage strip_;
    QColor text_;
};
