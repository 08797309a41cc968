// Keeps the editor's zoom between sessions in the user's settings: the
// editor starts at the zoom it was left at, and every change is stored.
#pragma once

class CVexlor;

class ZoomMemory {
  public:
    // Gives the editor the stored zoom and stores each later change.
    static void Attach(CVexlor* view);
    static int Load();
    static void Store(int percent);
};
