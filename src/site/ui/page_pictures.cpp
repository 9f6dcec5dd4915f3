#include "site/ui/page_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace arkona::site::ui {

namespace {

// A sheet with a folded corner and a few lines of text, drawn for any device pixel ratio.
QPixmap sheet(const QColor& paper, const QColor& edge, qreal scale) {
    const int side = 16;
    QPixmap pixmap(QSize(side, side) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath outline;
    outline.moveTo(2.5, 1.5);
    outline.lineTo(10.5, 1.5);
    outline.lineTo(13.5, 4.5);
    outline.lineTo(13.5, 14.5);
    outline.lineTo(2.5, 14.5);
    outline.closeSubpath();
    p.setPen(QPen(edge, 1));
    p.setBrush(paper);
    p.drawPath(outline);
    p.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 4.5));
    p.drawLine(QPointF(10.5, 4.5), QPointF(13.5, 4.5));
    p.setPen(QPen(edge.lighter(150), 1));
    for (qreal y : {6.5, 8.5, 10.5}) {
        p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
    }
    return pixmap;
}

QIcon drawn(PagePicture picture) {
    QIcon icon;
    for (qreal scale : {1.0, 2.0}) {
        QPixmap pixmap;
        switch (picture) {
        case PagePicture::Page:
            pixmap = sheet(Qt::white, QColor(0x50, 0x50, 0x50), scale);
            break;
        case PagePicture::Link: {
            pixmap = sheet(QColor(0xE8, 0xF0, 0xFF), QColor(0x40, 0x50, 0x80), scale);
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            // A bent arrow: this entry leads elsewhere.
            p.setPen(QPen(QColor(0x10, 0x50, 0xC0), 1.6, Qt::SolidLine, Qt::RoundCap));
            QPainterPath arrow;
            arrow.moveTo(4, 13);
            arrow.cubicTo(4, 9, 6, 8, 11, 8);
            p.drawPath(arrow);
            p.drawLine(QPointF(11, 8), QPointF(8.5, 5.8));
            p.drawLine(QPointF(11, 8), QPointF(8.5, 10.2));
            break;
        }
        case PagePicture::Target: {
            pixmap = sheet(QColor(0xFF, 0xF4, 0xC0), QColor(0x80, 0x60, 0x00), scale);
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            // A mark on the sheet: the page the selected link shows.
            p.setPen(QPen(QColor(0xC0, 0x30, 0x10), 1.4));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(8, 10), 3.2, 3.2);
            p.setBrush(QColor(0xC0, 0x30, 0x10));
            p.drawEllipse(QPointF(8, 10), 1.1, 1.1);
            break;
        }
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon pagePicture(PagePicture picture) {
    static const QIcon page = drawn(PagePicture::Page);
    static const QIcon link = drawn(PagePicture::Link);
    static const QIcon target = drawn(PagePicture::Target);
    switch (picture) {
    case PagePicture::Page:
        return page;
    case PagePicture::Link:
        return link;
    case PagePicture::Target:
        return target;
    }
    return page;
}

} // namespace arkona::site::ui
