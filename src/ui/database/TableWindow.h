// The small table window of the detailed summary, shown by a right click on the summary: a list
// of the two table names and "OK".
#pragma once

#include <QWidget>

namespace velmora {

class TableWindow : public QWidget {
    Q_OBJECT
public:
    explicit TableWindow(QWidget* owner);
};

} // namespace velmora
