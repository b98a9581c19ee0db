#pragma once

// A scroll bar drawn from a track picture and a thumb picture. Setting a
// position outside Min ... Max, or the one it has, does nothing; any other
// position repaints the bar and fires OnChange. Dragging the thumb or
// clicking the track moves it; OnScroll fires for moves by the user.

#include <QImage>
#include <QWidget>

#include <functional>

class TBMPScrollBar : public QWidget {
public:
    enum class ScrollBarKind { Horizontal, Vertical };

    explicit TBMPScrollBar(QWidget *parent = nullptr);

    void setBMPTrack(const QImage &track);
    void setBMPThumb(const QImage &thumb);
    void setRange(int min, int max);
    void SetPosition(int position);
    int Position() const { return position_; }
    int Min() const { return min_; }
    int Max() const { return max_; }

    int SmallChange = 1;
    int LargeChange = 5;
    ScrollBarKind Kind = ScrollBarKind::Vertical;
    std::function<void(TBMPScrollBar *)> OnChange;
    std::function<void(TBMPScrollBar *)> OnScroll;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int along(const QPoint &point) const;
    int travel() const;
    int thumbOffset() const;
    int positionAt(int thumbOffset) const;
    void scrollTo(int position);

    QImage track_;
    QImage thumb_;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    bool dragging_ = false;
    int grabOffset_ = 0;
};
