// Inventory report: reads stock records and prints the items that need reordering.
#include <iostream>
#include <string>
#include <vector>

struct Item {
    std::string name;
    int quantity = 0;
    int reorderLevel = 0;
};

static std::vector<Item> loadItems()
{
    return {
        {"bolts", 120, 50},
        {"nuts", 30, 40},
        {"washers", 5, 25},
        {"screws", 75, 60},
    };
}

static bool needsReorder(const Item& item)
{
    return item.quantity < item.reorderLevel;
}

static void printHeader()
{
    std::cout << "Items to reorder\n";
    std::cout << "----------------\n";
}

int main()
{
    printHeader();
    const std::vector<Item> items = loadItems();
    int count = 0;
    for (const Item& item : items) {
        if (needsReorder(item)) {
            std::cout << item.name << ": " << item.quantity << '\n';
            ++count;
        }
    }
    std::cout << count << " item(s)\n";
    return 0;
}
