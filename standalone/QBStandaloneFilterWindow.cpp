#include "QBStandaloneFilterWindow.h"

#include "QBColours.h"
#include "QBFonts.h"

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

void QBStandaloneFilterWindow::restoreWindowPosition()
{
    auto* settings = pluginHolder->settings.get();
    const int x = settings != nullptr ? settings->getIntValue (windowXKey, positionNotSet) : positionNotSet;
    const int y = settings != nullptr ? settings->getIntValue (windowYKey, positionNotSet) : positionNotSet;

    if (x == positionNotSet || y == positionNotSet)
    {
        centreWithSize (getWidth(), getHeight());
        return;
    }

    // A position saved on a screen that is no longer there, or beyond the
    // edge of a smaller one, is brought back whole onto the nearest screen.
    const juce::Rectangle<int> saved { x, y, getWidth(), getHeight() };

    if (const auto* display = juce::Desktop::getInstance().getDisplays().getDisplayForRect (saved))
        setBounds (saved.constrainedWithin (display->userArea));
    else
        setBounds (saved);
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
