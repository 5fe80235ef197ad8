// Inventory report: reads stock records and prints the items that need reordering.
#include <iostream>
#include <string>
#include <vector>

struct Item {
    std::string name;
    int quantity = 0;
    int reorderLevel = 0;
    int supplier = 0;
};

static void printHeader()
{
    std::cout << "Items to reorder\n";
    std::cout << "----------------\n";
}

static std::vector<Item> loadItems()
{
    return {
        {"bolts", 120, 50, 1},
        {"nuts", 30, 40, 1},
        {"washers", 5, 25, 2},
        {"screws", 75, 60, 2},
        {"rivets", 10, 20, 3},
    };
}

static bool needsReorder(const Item& item)
{
    return item.quantity <= item.reorderLevel;
}

int main()
{
    printHeader();
    const std::vector<Item> items = loadItems();
    int count = 0;
    for (const Item& item : items) {
        if (needsReorder(item)) {
            std::cout << item.name << ": " << item.quantity << " (supplier " << item.supplier << ")\n";
            ++count;
        }
    }
    std::cout << count << " item(s) to reorder\n";
    return 0;
}
