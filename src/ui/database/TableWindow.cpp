#include "ui/database/TableWindow.h"

#include "ui/widgets/CommandButton.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TableWindow::TableWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("frmTable");
    setWindowTitle(QStringLiteral("Form1"));
    auto* list = new QListWidget(this);
    list->setObjectName("lstTable");
    list->addItems({QStringLiteral("General"), QStringLiteral("Shell")});
    auto* ok = commandButton(this, "Command1", QStringLiteral("OK"));
    auto* other = commandButton(this, "Command2", QStringLiteral("Command2"));
    auto* col = new QVBoxLayout(this);
    col->addWidget(list);
    auto* row = new QHBoxLayout;
    row->addWidget(ok);
    row->addWidget(other);
    col->addLayout(row);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    resize(240, 200);
}

} // namespace velmora
