#include "QBStandaloneFilterWindow.h"

#include "QBColours.h"
#include "QBFonts.h"

#include <limits>

namespace
{
    constexpr const char* windowXKey = "windowX";
    constexpr const char* windowYKey = "windowY";

    /** What "windowX" and "windowY" hold when no position was saved. */
    constexpr int positionNotSet = -100;
}

//==============================================================================
QBStandaloneFilterWindow::QBStandaloneFilterWindow (const juce::String& title,
                                                    juce::Colour backgroundColour,
                                                    juce::PropertySet* settingsToUse)
    : juce::DocumentWindow (title, backgroundColour, minimiseButton | closeButton)
{
    setTitleBarButtonsRequired (allButtons, false);
    setUsingNativeTitleBar (true);

    pluginHolder = std::make_unique<QBStandalonePluginHolder> (settingsToUse);

    setContentOwned (new MainContentComponent (*this), true);
    restoreWindowPosition();
}

QBStandaloneFilterWindow::~QBStandaloneFilterWindow()
{
    saveWindowPosition();

    // The player lets go of the processor before the editor goes, and the
    // editor goes before the processor.
    pluginHolder->player.setProcessor (nullptr);
    clearContentComponent();
    pluginHolder = nullptr;
}

void QBStandaloneFilterWindow::closeButtonPressed()
{
    pluginHolder->savePluginState();
    juce::JUCEApplicationBase::quit();
}

void QBStandaloneFilterWindow::moved()
{
    juce::DocumentWindow::moved();

    // Only a position the user chose: not the placement during construction.
    if (positionRestored)
        saveWindowPosition();
}

QBStandaloneFilterWindow::Placement QBStandaloneFilterWindow::placeOnScreens (juce::Rectangle<int> wanted, int fixedHeight,
                                                                              const juce::Array<juce::Rectangle<int>>& userAreas)
{
    // Far beyond any screen is as good as far: a position read from a damaged
    // settings file cannot overflow what is computed from it.
    constexpr int farAway = 1 << 20;
    wanted = juce::Rectangle<int> (juce::jlimit (-farAway, farAway, wanted.getX()), juce::jlimit (-farAway, farAway, wanted.getY()),
                                   juce::jlimit (0, farAway, wanted.getWidth()), juce::jlimit (0, farAway, wanted.getHeight()));

    if (userAreas.isEmpty())
        return { wanted, 1.0f };

    // The screen it overlaps most; when it overlaps none, the nearest one.
    auto area = userAreas.getFirst();
    juce::int64 bestOverlap = -1;
    double bestDistance = std::numeric_limits<double>::max();

    for (const auto& candidate : userAreas)
    {
        const auto overlap = candidate.getIntersection (wanted);
        const auto overlapArea = (juce::int64) overlap.getWidth() * overlap.getHeight();

        if (overlapArea > 0 || bestOverlap > 0)
        {
            if (overlapArea > bestOverlap)
            {
                bestOverlap = overlapArea;
                area = candidate;
            }

            continue;
        }

        const auto centre = wanted.getCentre().toDouble();
        const auto nearest = candidate.toDouble().getConstrainedPoint (centre);
        const auto distance = nearest.getDistanceFrom (centre);

        if (distance < bestDistance)
        {
            bestDistance = distance;
            area = candidate;
        }
    }

    // Larger than the screen: scaled down, in proportion, until it fits.
    float scale = 1.0f;
    const int scalableHeight = wanted.getHeight() - fixedHeight;

    if (wanted.getWidth() > area.getWidth() && wanted.getWidth() > 0)
        scale = juce::jmin (scale, (float) area.getWidth() / (float) wanted.getWidth());

    if (wanted.getHeight() > area.getHeight() && scalableHeight > 0)
        scale = juce::jmin (scale, (float) juce::jmax (1, area.getHeight() - fixedHeight) / (float) scalableHeight);

    const auto size = juce::Point<int> ((int) ((float) wanted.getWidth() * scale),
                                        fixedHeight + (int) ((float) scalableHeight * scale));
    const auto fitted = wanted.withSize (juce::jmin (size.x, area.getWidth()), juce::jmin (size.y, area.getHeight()));

    return { fitted.constrainedWithin (area), scale };
}

void QBStandaloneFilterWindow::restoreWindowPosition()
{
    auto* settings = pluginHolder->settings.get();
    const int x = settings != nullptr ? settings->getIntValue (windowXKey, positionNotSet) : positionNotSet;
    const int y = settings != nullptr ? settings->getIntValue (windowYKey, positionNotSet) : positionNotSet;
    const bool saved = x != positionNotSet && y != positionNotSet;

    const auto& displays = juce::Desktop::getInstance().getDisplays();
    juce::Array<juce::Rectangle<int>> userAreas;

    for (const auto& display : displays.displays)
        userAreas.add (display.userArea);

    // With no saved position the window is centred on the main screen.
    auto wanted = getBounds();

    if (saved)
        wanted.setPosition (x, y);
    else if (const auto* main = displays.getPrimaryDisplay())
        wanted.setCentre (main->userArea.getCentre());

    // A window whose screen has gone goes onto the nearest one, whole; one taller
    // or wider than its screen is shown with its editor scaled down to fit.
    auto* content = dynamic_cast<MainContentComponent*> (getContentComponent());
    auto* editor = content != nullptr ? content->getEditor() : nullptr;
    const int fixedHeight = editor != nullptr ? getHeight() - editor->getHeight() : 0;
    const auto placement = placeOnScreens (wanted, fixedHeight, userAreas);

    if (editor != nullptr && placement.scale < 1.0f)
        editor->setSize (juce::roundToInt ((float) editor->getWidth() * placement.scale),
                         juce::roundToInt ((float) editor->getHeight() * placement.scale));

    setTopLeftPosition (placement.bounds.getPosition());
    positionRestored = true;
}

void QBStandaloneFilterWindow::saveWindowPosition()
{
    if (auto* settings = pluginHolder->settings.get())
    {
        settings->setValue (windowXKey, getX());
        settings->setValue (windowYKey, getY());
    }
}

//==============================================================================
QBStandaloneFilterWindow::MainContentComponent::MainContentComponent (QBStandaloneFilterWindow& window)
    : owner (window)
{
    auto& holder = *owner.getPluginHolder();
    auto& processor = *holder.processor;

    editor.reset (processor.createEditorIfNeeded());

    if (editor == nullptr)
        editor = std::make_unique<juce::GenericAudioProcessorEditor> (processor);

    editor->addComponentListener (this);
    addAndMakeVisible (editor.get());
    addChildComponent (notification);

    if (holder.processorHasPotentialFeedbackLoop)
    {
        holder.shouldMuteInput.addListener (this);
        shouldShowNotification = (bool) holder.shouldMuteInput.getValue();
    }

    updateNotification();
}

QBStandaloneFilterWindow::MainContentComponent::~MainContentComponent()
{
    owner.getPluginHolder()->shouldMuteInput.removeListener (this);
    editor->removeComponentListener (this);
    editor = nullptr;
}

void QBStandaloneFilterWindow::MainContentComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
}

void QBStandaloneFilterWindow::MainContentComponent::resized()
{
    auto bounds = getLocalBounds();

    if (shouldShowNotification)
        notification.setBounds (bounds.removeFromTop (juce::jmin (NotificationArea::height, bounds.getHeight())));

    editor->setTopLeftPosition (bounds.getPosition());
}

void QBStandaloneFilterWindow::MainContentComponent::valueChanged (juce::Value& value)
{
    shouldShowNotification = (bool) value.getValue();
    updateNotification();
}

void QBStandaloneFilterWindow::MainContentComponent::buttonClicked (juce::Button*)
{
    owner.getPluginHolder()->shouldMuteInput.setValue (false);
}

void QBStandaloneFilterWindow::MainContentComponent::componentMovedOrResized (juce::Component&, bool, bool wasResized)
{
    if (wasResized)
        resizeToFitEditor();
}

void QBStandaloneFilterWindow::MainContentComponent::updateNotification()
{
    notification.setVisible (shouldShowNotification);
    resizeToFitEditor();
}

void QBStandaloneFilterWindow::MainContentComponent::resizeToFitEditor()
{
    setSize (editor->getWidth(), editor->getHeight() + (shouldShowNotification ? NotificationArea::height : 0));
    resized();
}

//==============================================================================
QBStandaloneFilterWindow::MainContentComponent::NotificationArea::NotificationArea (juce::Button::Listener& listener)
{
    // The held book face at 15 points, without the kerning the window's other texts use.
    notification.setFont (QBFonts::revereveBook (15.0f).withExtraKerningFactor (0.0f));
    notification.setColour (juce::Label::textColourId, QBColours::yellowFilterColour);
    addAndMakeVisible (notification);

    unmuteButton.setLookAndFeel (&textButtonLAF);
    unmuteButton.addListener (&listener);
    addAndMakeVisible (unmuteButton);

    setOpaque (true);
}

QBStandaloneFilterWindow::MainContentComponent::NotificationArea::~NotificationArea()
{
    unmuteButton.setLookAndFeel (nullptr);
}

void QBStandaloneFilterWindow::MainContentComponent::NotificationArea::paint (juce::Graphics& g)
{
    g.fillAll (QBColours::BGslidersRectangle);

    const auto buttonBounds = unmuteButton.getBounds().toFloat();
    juce::Path plate;
    plate.addRoundedRectangle (buttonBounds, buttonBounds.getHeight() * 0.02f);
    shadow.drawForPath (g, plate);
}

void QBStandaloneFilterWindow::MainContentComponent::NotificationArea::resized()
{
    auto bounds = getLocalBounds().reduced (5);
    unmuteButton.setBounds (bounds.removeFromRight (juce::jmin (100, bounds.getWidth())));
    notification.setBounds (bounds);
}
