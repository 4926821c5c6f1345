#pragma once

// The count-in's audible click as the program asks for it: a number of clicks, one
// a beat, the first one beat from now, on the output chosen. Which threads may call
// it is said by each service (the engine's click: any thread).
class ClickSound {
public:
    virtual ~ClickSound() = default;
    // route: 1 the main output, 2 output channels 3-4 (0: nothing); level 0 to 100.
    virtual void countIn(double beatMs, int count, double frequencyHz, double lengthMs, int route,
                         int level) = 0;
    // The clicks still to come are dropped.
    virtual void cancel() = 0;
};
