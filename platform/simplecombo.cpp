#include "platform/simplecombo.h"

#include "platform/events.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace platform {

namespace {
bool before(const QString& a, const QString& b)
{
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}
} // namespace

SimpleCombo::SimpleCombo(QWidget* parent) : QWidget(parent), edit_(new QLineEdit(this)), list_(new QListWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit_);
    layout->addWidget(list_, 1);
    // One control in the tab order: the list is worked from the edit field.
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusProxy(edit_);

    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { edit_->setText(item->text()); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        edit_->setText(item->text());
        emit DblClick();
    });
    connect(edit_, &QLineEdit::textEdited, this, [this](const QString& typed) { follow(typed); });
    onEvent(edit_, QEvent::KeyPress, [this](QEvent* e) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key != Qt::Key_Up && key != Qt::Key_Down)
            return false;
        // An empty list has nothing to move to (and no range to clamp into).
        if (ListCount() == 0)
            return true;
        const int step = key == Qt::Key_Up ? -1 : 1;
        setListIndex(std::clamp(ListIndex() + step, 0, ListCount() - 1));
        return true;
    });
}

void SimpleCombo::AddItem(const QString& item)
{
    int at = 0;
    while (at < list_->count() && !before(item, list_->item(at)->text()))
        ++at;
    list_->insertItem(at, item);
}

int SimpleCombo::ListCount() const
{
    return list_->count();
}

QString SimpleCombo::List(int index) const
{
    const QListWidgetItem* item = list_->item(index);
    return item ? item->text() : QString();
}

void SimpleCombo::setListIndex(int index)
{
    QListWidgetItem* item = list_->item(index);
    if (!item)
        return;
    list_->setCurrentItem(item);
    list_->scrollToItem(item);
    edit_->setText(item->text());
}

int SimpleCombo::ListIndex() const
{
    return list_->currentRow();
}

QString SimpleCombo::Text() const
{
    return edit_->text();
}

void SimpleCombo::setText(const QString& text)
{
    edit_->setText(text);
}

void SimpleCombo::follow(const QString& typed)
{
    if (typed.isEmpty())
        return;
    for (int k = 0; k < list_->count(); ++k) {
        if (list_->item(k)->text().startsWith(typed, Qt::CaseInsensitive)) {
            list_->setCurrentRow(k);
            list_->scrollToItem(list_->item(k), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

} // namespace platform
