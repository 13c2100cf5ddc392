#include "MarkedAnswerDelegate.h"

#include "ui/style/DarkStyle.h"

#include <QApplication>
#include <QPainter>

namespace {

// On the gold selection the marks go dark red: apart from the selection's
// near-black text and from the gold beneath them.
const QColor kMarkOnSelectionColor(0x8B, 0x0F, 0x08);

} // namespace

void MarkedAnswerDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    const QList<int> marks = index.data(kMarkedCharactersRole).value<QList<int>>();
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (marks.isEmpty() || opt.text.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }

    const QWidget *widget = opt.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    const QString text = opt.text;
    // The style draws the background, selection and focus; the text is drawn
    // here run by run.
    opt.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const bool selected = opt.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (opt.state & QStyle::State_Active) ? QPalette::Normal
                                                                            : QPalette::Inactive;
    const QColor plainColor = opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor markColor = selected ? kMarkOnSelectionColor : DarkStyle::gold;
    QFont markFont = opt.font;
    markFont.setBold(true);
    markFont.setUnderline(true);
    // The same inset the style gives an item's text.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area = textRect.adjusted(margin, 0, -margin, 0);

    painter->save();
    painter->setClipRect(area);
    int x = area.left();
    // Only indexes inside the text are looked up, so marks that no longer fit
    // the text are never drawn.
    for (int start = 0; start < text.size();) {
        const bool marked = marks.contains(start);
        int end = start + 1;
        while (end < text.size() && marks.contains(end) == marked)
            ++end;
        const QString run = text.mid(start, end - start);
        painter->setFont(marked ? markFont : opt.font);
        painter->setPen(marked ? markColor : plainColor);
        const int width = painter->fontMetrics().horizontalAdvance(run);
        painter->drawText(QRect(x, area.top(), width, area.height()),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, run);
        x += width;
        start = end;
    }
    painter->restore();
}

void MarkedAnswerDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                        const QModelIndex &index) const
{
    const QString before = index.data(Qt::DisplayRole).toString();
    QStyledItemDelegate::setModelData(editor, model, index);
    if (index.data(Qt::DisplayRole).toString() != before)
        model->setData(index, QVariant(), kMarkedCharactersRole);
}
