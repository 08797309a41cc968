// The frame's accelerator table in the editor's own key terms: the Control
// letters of the editing commands (from their table) and the frame's other
// keys. The window turns it into shortcuts; the batch mode looks keys up in
// it, so both see exactly the same combinations.
#pragma once

#include <vector>

class Accelerators {
  public:
    struct Accelerator {
        int id;
        unsigned vk;
        bool shift;
        bool control;
        bool alt;
    };

    static const std::vector<Accelerator>& All();
    // The command of exactly this combination, or 0.
    static int Find(unsigned vk, bool shift, bool control, bool alt);
};
