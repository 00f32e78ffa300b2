// The database windows: the database list, the detailed summary and its table menu.
#pragma once

#include <QObject>

namespace velmora {

class CaseHost;

class DatabaseWindows : public QObject {
    Q_OBJECT
public:
    explicit DatabaseWindows(CaseHost& host, QObject* parent = nullptr);
    ~DatabaseWindows() override;

    // Menu "Database": shows the database window.
    void showDatabase();
    // Button "Add  to Database" of the main window.
    void addCaseToDatabase();

private:
    CaseHost& host_;
};

} // namespace velmora
