#pragma once
// A combo box of the simple style: an edit field with its list always open
// below it. The list keeps its entries in alphabetical order without regard
// to case, whatever the order they are added in; the edit field takes any
// text. Choosing an entry (a click, or Up and Down in the edit field) puts
// it into the edit field; typing moves the list to the first entry that
// begins with the text, without changing the text.
#include <QWidget>

class QLineEdit;
class QListWidget;

namespace platform {

class SimpleCombo : public QWidget {
    Q_OBJECT
public:
    explicit SimpleCombo(QWidget* parent = nullptr);

    // Adds an entry at its place in the sorted list.
    void AddItem(const QString& item);
    int ListCount() const;
    QString List(int index) const;
    // Selects entry index, which puts it into the edit field.
    void setListIndex(int index);
    int ListIndex() const;

    QString Text() const;
    void setText(const QString& text);

    QLineEdit* edit() const { return edit_; }
    QListWidget* list() const { return list_; }

signals:
    // A double-click on an entry, once the entry is in the edit field.
    void DblClick();

private:
    void follow(const QString& typed);

    QLineEdit* edit_;
    QListWidget* list_;
};

} // namespace platform
