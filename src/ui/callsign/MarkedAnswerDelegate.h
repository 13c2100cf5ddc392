#pragma once

#include <QStyledItemDelegate>

// The role a results cell keeps the indexes of its characters to point out
// in, as a QList<int>; a cell without them is drawn as usual.
inline constexpr int kMarkedCharactersRole = Qt::UserRole + 1;

// Draws the characters of a wrong answer that were copied wrong, missed or
// slipped in bold and underlined, in gold beside the rest of the red row (in
// dark red while the row is selected, as gold on the gold selection would
// vanish). A cell edited afterwards loses its marks: they belong to the text
// as it was answered.
class MarkedAnswerDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
};
