#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The window's icons, parsed once per process from the embedded SVG documents.

    Buttons take copies: pass a member's raw pointer to
    `juce::DrawableButton::setImages`, which copies the drawable; the holder
    keeps the originals for the rest of the process, so opening the editor again
    parses nothing. A document that failed to parse would leave its member empty.
*/
class QBImages
{
public:
    /** The single holder, created (and every icon parsed) on first call. */
    static QBImages& images();

    QBImages (const QBImages&) = delete;
    QBImages& operator= (const QBImages&) = delete;

    std::unique_ptr<juce::Drawable> logoImage;
    std::unique_ptr<juce::Drawable> metronomeImage;
    std::unique_ptr<juce::Drawable> presetsImage;
    std::unique_ptr<juce::Drawable> presetsImageDown;
    std::unique_ptr<juce::Drawable> settingsImage;
    std::unique_ptr<juce::Drawable> settingsImageDown;
    std::unique_ptr<juce::Drawable> collapseImageOn;
    std::unique_ptr<juce::Drawable> collapseImage;
    std::unique_ptr<juce::Drawable> diceBackgroundImage;
    std::unique_ptr<juce::Drawable> diceImage;
    std::unique_ptr<juce::Drawable> diceImageDown;
    std::unique_ptr<juce::Drawable> keyImage;
    std::unique_ptr<juce::Drawable> keyImageOn;
    std::unique_ptr<juce::Drawable> resetLockImage;
    std::unique_ptr<juce::Drawable> resetLockImageDown;
    std::unique_ptr<juce::Drawable> resetDotsImage;
    std::unique_ptr<juce::Drawable> lowPassImageOn;
    std::unique_ptr<juce::Drawable> lowPassImage;
    std::unique_ptr<juce::Drawable> bandPassImage;
    std::unique_ptr<juce::Drawable> bandPassImageOn;
    std::unique_ptr<juce::Drawable> highPassImage;
    std::unique_ptr<juce::Drawable> highPassImageOn;
    std::unique_ptr<juce::Drawable> resetSequenceImage;
    std::unique_ptr<juce::Drawable> resetSequenceImageDown;
    std::unique_ptr<juce::Drawable> forwardImage;
    std::unique_ptr<juce::Drawable> forwardImageOn;
    std::unique_ptr<juce::Drawable> pingPongImage;
    std::unique_ptr<juce::Drawable> pingPongImageOn;
    std::unique_ptr<juce::Drawable> backwardsImage;
    std::unique_ptr<juce::Drawable> backwardsImageOn;
    std::unique_ptr<juce::Drawable> wetIconImage;
    std::unique_ptr<juce::Drawable> bypassAcrossImage;
    std::unique_ptr<juce::Drawable> bypassAcrossImageDown;
    std::unique_ptr<juce::Drawable> bypassImage;
    std::unique_ptr<juce::Drawable> bypassImageOn;
    std::unique_ptr<juce::Drawable> infinityImage;
    std::unique_ptr<juce::Drawable> infinityImageOn;
    std::unique_ptr<juce::Drawable> nextArrowImage;
    std::unique_ptr<juce::Drawable> nextArrowImageDown;
    std::unique_ptr<juce::Drawable> backArrowImage;
    std::unique_ptr<juce::Drawable> backArrowImageDown;
    std::unique_ptr<juce::Drawable> closeImage;
    std::unique_ptr<juce::Drawable> closeImageDown;
    std::unique_ptr<juce::Drawable> rowBackgroundImage;
    std::unique_ptr<juce::Drawable> removePresetImage;
    std::unique_ptr<juce::Drawable> removePresetImageDown;
    std::unique_ptr<juce::Drawable> playImage;
    std::unique_ptr<juce::Drawable> stopImage;

private:
    QBImages();
};
