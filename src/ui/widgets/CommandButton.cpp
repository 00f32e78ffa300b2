#include "ui/widgets/CommandButton.h"

namespace velmora {

QPushButton* commandButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace velmora
