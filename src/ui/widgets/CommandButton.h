// The command buttons of the database, summary and study windows.
#pragma once

#include <QPushButton>
#include <QString>

namespace velmora {

// A push button named `name` that never becomes the default button of its window.
QPushButton* commandButton(QWidget* parent, const char* name, const QString& caption);

} // namespace velmora
