#include "platform/ui/table_view_controller.hpp"

namespace ui {

void TableViewController::viewDidLoad() {
    ViewController::viewDidLoad();
    if (!tableView) return;
    tableView->setDelegate(this);
    tableView->setDataSource(this);
}

void TableViewController::viewWillAppear() {
    ViewController::viewWillAppear();
    if (!tableView) return;
    if (auto selected = tableView->indexPathForSelectedRow()) tableView->deselectRow(*selected, true);
}

}  // namespace ui
