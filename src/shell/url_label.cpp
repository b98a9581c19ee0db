#include "shell/url_label.h"

#include <QDesktopServices>
#include <QMouseEvent>

namespace shell {

QUrl linkAddress(LabelType type, const QString &text)
{
    static const QStringList schemes = {"http", "https", "ftp", "mailto"};
    const QString trimmed = text.trimmed();
    QUrl url(trimmed, QUrl::StrictMode);
    if (!schemes.contains(url.scheme().toLower())) {
        const QString prefix = type == hmMAIL ? QStringLiteral("mailto:")
                               : type == hmFTP ? QStringLiteral("ftp://")
                               : type == hmHTTP ? QStringLiteral("http://")
                                                : QString();
        url = QUrl(prefix + trimmed, QUrl::StrictMode);
    }
    const bool hasPlace = url.scheme() == u"mailto" ? !url.path().isEmpty() : !url.host().isEmpty();
    return url.isValid() && hasPlace && schemes.contains(url.scheme().toLower()) ? url : QUrl();
}

TURLLabel::TURLLabel(QWidget *parent)
    : QLabel(parent), open([](const QUrl &url) { QDesktopServices::openUrl(url); })
{
    setTextFormat(Qt::PlainText);  // an address, never markup
    setCursor(Qt::PointingHandCursor);
    colour(URLColStd);
}

void TURLLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        colour(URLColPre);
    QLabel::mousePressEvent(event);
}

void TURLLabel::mouseReleaseEvent(QMouseEvent *event)
{
    colour(URLColStd);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        const QUrl url = linkAddress(labelType, text());
        if (!url.isEmpty())
            open(url);
    }
    QLabel::mouseReleaseEvent(event);
}

void TURLLabel::setURLColours(const QColor &standard, const QColor &pressed)
{
    URLColStd = standard;
    URLColPre = pressed;
    colour(URLColStd);
}

void TURLLabel::colour(const QColor &color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, color);
    setPalette(palette);
}

}  // namespace shell
