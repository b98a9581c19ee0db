#pragma once

// A button that is a piece of a texture picture, pressed in a pixel while
// held. Its text is not drawn: the picture carries its name, and the text
// (in the language) is its hint.

#include <QAbstractButton>
#include <QImage>

class PictureButton : public QAbstractButton {
public:
    explicit PictureButton(QWidget *parent = nullptr);

    // Takes the face's size as its own.
    void setFace(const QImage &face);
    QSize sizeHint() const override { return face_.size(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    QImage face_;
};
