#pragma once

/** Where a slide-in panel of the window is and where it is going: 0 is hidden,
    1 is shown. Each layout pass of the editor is one animation tick. */
struct QBSlideState
{
    static constexpr int openTicks = 15;
    static constexpr int closeTicks = 20;

    bool animating = false;
    float position = 0.0f;
    float target = 0.0f;
    float step = 0.0f;
    int ticksLeft = 0;
    int ticksDone = 0;

    /** Starts a slide to `newTarget` in `ticks` equal steps. */
    void slideTo (float newTarget, int ticks) noexcept
    {
        target = newTarget;
        step = (newTarget - position) / (float) ticks;
        ticksLeft = ticks;
        animating = true;
    }

    void open() noexcept  { slideTo (1.0f, openTicks); }
    void close() noexcept { slideTo (0.0f, closeTicks); }

    /** One layout pass: moves one step, and snaps onto the target once no tick is left. */
    void tick() noexcept
    {
        position += step;
        const int n = ticksLeft;
        --ticksLeft;
        ++ticksDone;

        if (n < 1)
        {
            ticksLeft = 0;
            ticksDone = 0;
            position = target;
            animating = false;
        }
    }

    bool isShown() const noexcept { return position > 0.0f || animating; }
};
