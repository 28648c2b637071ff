#include "ui/TableStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>

namespace ui {

namespace {

const QColor BoxEdge(0x40, 0x40, 0x40);
constexpr int BoxSide = 13;

void DrawCheckBox(const QStyleOption &option, QPainter &painter)
{
    const int side = qMin(BoxSide, qMin(option.rect.width(), option.rect.height()));
    const QRectF box(option.rect.left() + (option.rect.width() - side) / 2 + 0.5,
                     option.rect.top() + (option.rect.height() - side) / 2 + 0.5, side - 1, side - 1);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(BoxEdge, 1));
    painter.setBrush(option.state & QStyle::State_Enabled ? Qt::white : option.palette.color(QPalette::Window));
    painter.drawRect(box);
    if (option.state & QStyle::State_On) {
        QPainterPath tick;
        tick.moveTo(box.left() + side * 0.22, box.top() + side * 0.5);
        tick.lineTo(box.left() + side * 0.42, box.top() + side * 0.72);
        tick.lineTo(box.left() + side * 0.78, box.top() + side * 0.26);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    }
    painter.restore();
}

} // namespace

TTableStyle::TTableStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
{
}

void TTableStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                const QWidget *widget) const
{
    if (element == PE_IndicatorItemViewItemCheck && option && painter)
        DrawCheckBox(*option, *painter);
    else if (element == PE_FrameFocusRect)
        return;  // the highlighted row has its frame, which says it all
    else
        QProxyStyle::drawPrimitive(element, option, painter, widget);
}

} // namespace ui
