// Resource set 130: the Russian menu, the accelerator table as Qt key
// combinations (made from the core's table), and the order of the
// toolbar's buttons.
#pragma once

#include <QKeyCombination>
#include <span>
#include <vector>

class MenuResource {
  public:
    struct Item {
        int id; // 0 for a separator
        const char* text;
    };
    struct Popup {
        const char* title;
        std::span<const Item> items;
    };
    struct Accelerator {
        int id;
        QKeyCombination keys;
    };

    static std::span<const Popup> Menu();
    static std::vector<Accelerator> Accelerators();
    // Command ids of the toolbar's buttons in order; 0 is a separator.
    static std::span<const int> ToolbarButtons();
};
