#pragma once

#include <QObject>
#include <functional>
#include <vector>

class QAbstractItemView;

// The keys a user expects of a dialog's lists: Enter in a list of
// available items moves the chosen one across, as its ">" does, instead of
// pressing the dialog's default button; Delete in a list of chosen items
// takes the chosen one off, as its "<" does.
class ListKeys : public QObject {
    Q_OBJECT
  public:
    using Action = std::function<void()>;
    explicit ListKeys(QObject* parent);

    void OnEnter(QAbstractItemView* list, Action act);
    void OnDelete(QAbstractItemView* list, Action act);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Key { Enter, Delete };
    struct Binding {
        QObject* list;
        Key key;
        Action act;
    };
    void Bind(QAbstractItemView* list, Key key, Action act);

    std::vector<Binding> m_bindings;
};
