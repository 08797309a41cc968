// The state of the Caps, Num and Scroll Lock keys, where the platform tells
// it (the keyboard indicators of an X11 display); elsewhere it is unknown.
#pragma once

class LockKeys {
  public:
    struct State {
        bool known = false;
        bool caps = false;
        bool num = false;
        bool scroll = false;
    };

    static State Query();
};
