#include "QBTempoPanel.h"

#include "QBColours.h"
#include "QBFonts.h"

QBTempoPanel::QBTempoPanel()
{
    tempoField.setJustification (juce::Justification::centred);
    tempoField.setColour (juce::TextEditor::backgroundColourId, QBColours::editorBackground);
    tempoField.setColour (juce::TextEditor::outlineColourId, juce::Colours::transparentBlack);
    tempoField.setColour (juce::TextEditor::focusedOutlineColourId, juce::Colours::transparentBlack);
    tempoField.setColour (juce::TextEditor::textColourId, QBColours::whiteText);
    tempoField.setColour (juce::TextEditor::highlightedTextColourId, QBColours::whiteText);
    tempoField.onReturnKey = [this] { setButton.triggerClick(); };
    tempoField.onEscapeKey = [this] { listeners.call ([] (Listener& l) { l.clickOnTempoPaneToClose(); }); };
    addAndMakeVisible (tempoField);

    setButton.setLookAndFeel (&setButtonLAF);
    setButton.onClick = [this] { clickOnSet(); };
    addAndMakeVisible (setButton);
}

QBTempoPanel::~QBTempoPanel()
{
    setButton.setLookAndFeel (nullptr);
}

std::optional<double> QBTempoPanel::tempoFromText (const juce::String& text)
{
    const auto trimmed = text.trim();

    if (! trimmed.initialSectionContainingOnly ("+-.0123456789").containsAnyOf ("0123456789"))
        return std::nullopt;

    return trimmed.getDoubleValue();
}

void QBTempoPanel::clickOnSet()
{
    if (const auto value = tempoFromText (tempoField.getText()))
    {
        const auto tempo = (float) *value;
        listeners.call ([tempo] (Listener& l) { l.setTempoFromTextToSliderTempo (tempo); });
    }

    listeners.call ([] (Listener& l) { l.clickOnTempoPaneToClose(); });
}

void QBTempoPanel::mouseDown (const juce::MouseEvent&)
{
    listeners.call ([] (Listener& l) { l.clickOnTempoPaneToClose(); });
}

void QBTempoPanel::paint (juce::Graphics& g)
{
    const auto w = (float) getWidth();
    g.setColour (QBColours::BGslidersRectangle);
    g.fillRoundedRectangle (getLocalBounds().toFloat(), 0.02f * w);
}

void QBTempoPanel::resized()
{
    const int W = getWidth(), H = getHeight();
    const float h = (float) H;

    const int c = (int) (0.2f * (float) W), d = (int) (0.1f * h), e = (int) (0.05f * h), o = (int) (0.08f * h);
    const int bw = juce::jmax (0, W - 2 * c);
    const int avail = juce::jmax (0, H - 2 * d);
    const int f = juce::jmin ((int) (0.4f * h), avail);

    tempoField.setBounds (c, d + e, bw, juce::jmax (0, f - 2 * e));

    const auto font = QBFonts::revereveBold (0.53f * (float) tempoField.getHeight());
    tempoField.setFont (font);
    tempoField.applyFontToAllText (font);
    const int top = (int) (((float) tempoField.getHeight() - font.getHeight()
                            - (float) tempoField.getBorder().getTopAndBottom()) / 2.0f);
    tempoField.setIndents (4, juce::jmax (0, top));

    setButton.setBounds (c, d + f + o, bw, juce::jmax (0, avail - f - 2 * o));
}
