#pragma once

#include <QObject>

namespace kav {

// Says that something changed which has no signal of its own: the operator's settings, the layout,
// a result window's columns. Views read what they show again; a view that finds nothing new shows
// nothing new, so telling too often costs a look, never a wrong picture.
class ChangeNotice : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void tell() { emit changed(); }

signals:
    void changed();
};

} // namespace kav
