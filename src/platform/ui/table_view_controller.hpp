// A screen built around one table on its root view (the `tableView` outlet):
// the screen is the table's data source and delegate, and coming back to it
// shows the table without the row chosen before.
#pragma once

#include "platform/ui/table_view.hpp"
#include "platform/ui/view_controller.hpp"

namespace ui {

class TableViewController : public ViewController, public TableViewDataSource, public TableViewDelegate {
public:
    TableView* tableView = nullptr;  // outlet: the root view owns the table

    /// Becomes the table's data source and delegate.
    void viewDidLoad() override;
    /// Deselects the row chosen before, if any.
    void viewWillAppear() override;
};

}  // namespace ui
