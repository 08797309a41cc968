// Resource set 130: the Russian menu and its accelerator table, and the
// order of the toolbar's buttons.
#pragma once

#include <QKeyCombination>
#include <span>

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
    static std::span<const Accelerator> Accelerators();
    // Command ids of the toolbar's buttons in order; 0 is a separator.
    static std::span<const int> ToolbarButtons();
};
