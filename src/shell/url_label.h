#pragma once

// TURLLabel: a label that opens a web or mail address when clicked, with a
// hand pointer and a second colour while the button is held.

#include <QColor>
#include <QLabel>
#include <QUrl>

#include <functional>

namespace shell {

enum LabelType { hmHTTP, hmMAIL, hmFTP, hmCUSTOM };

// The address `text` stands for: the type's prefix is put in front unless
// the text already starts with an address of its own. Only http, https, ftp
// and mailto addresses are opened; any other gives an empty address.
QUrl linkAddress(LabelType type, const QString &text);

class TURLLabel : public QLabel {
public:
    explicit TURLLabel(QWidget *parent = nullptr);

    LabelType labelType = hmHTTP;
    // The link's colour, and its colour while the button is held.
    void setURLColours(const QColor &standard, const QColor &pressed);
    // Opens an address; QDesktopServices unless a test replaces it.
    std::function<void(const QUrl &)> open;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void colour(const QColor &color);

    QColor URLColStd = Qt::blue, URLColPre = Qt::red;
};

}  // namespace shell
