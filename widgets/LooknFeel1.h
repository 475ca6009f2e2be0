#pragma once

#include <JuceHeader.h>

// The editor window's own style for knobs, text buttons, the name entry's outline, popup menus,
// alert windows and tooltips. Owners write the public fields directly; the next paint uses them.
// Everything not overridden here is drawn by LookAndFeel_V4 with its default dark scheme.
class LooknFeel1 : public juce::LookAndFeel_V4
{
public:
    LooknFeel1();
    ~LooknFeel1() override;

    void drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    juce::Font getTextButtonFont (juce::TextButton& button, int buttonHeight) override;
    void fillTextEditorBackground (juce::Graphics& g, int width, int height,
                                   juce::TextEditor& editor) override;
    void drawTextEditorOutline (juce::Graphics& g, int width, int height, juce::TextEditor& editor) override;

    void drawPopupMenuBackground (juce::Graphics& g, int width, int height) override;
    void drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator,
                            bool isActive, bool isHighlighted, bool isTicked, bool hasSubMenu,
                            const juce::String& text, const juce::String& shortcutKeyText,
                            const juce::Drawable* icon, const juce::Colour* textColour) override;
    void drawPopupMenuSectionHeader (juce::Graphics& g, const juce::Rectangle<int>& area,
                                     const juce::String& sectionName) override;
    juce::Font getPopupMenuFont() override;
    void drawPopupMenuUpDownArrow (juce::Graphics& g, int width, int height, bool isScrollUpArrow) override;
    void getIdealPopupMenuItemSize (const juce::String& text, bool isSeparator, int standardMenuItemHeight,
                                    int& idealWidth, int& idealHeight) override;

    void drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                           float startAngle, float endAngle, juce::Slider& slider) override;

    juce::Rectangle<int> getTooltipBounds (const juce::String& tipText, juce::Point<int> screenPos,
                                           juce::Rectangle<int> parentArea) override;
    void drawTooltip (juce::Graphics& g, const juce::String& text, int width, int height) override;

    // Opacity as a colour's alpha byte, truncating (0.7 gives 0xB3); JUCE 7's own conversion rounds.
    static juce::uint8 opacityToAlpha (float opacity) noexcept;

    int rotaryStyle = 0;
    bool activeColouring = true;
    juce::Colour accentColour{ 0xFF7CB0DB };
    juce::Colour trackColour{ 0xFF415161 };
    juce::Colour menuBackgroundColour{ 0xAA39444E };
    juce::Colour menuTextColour{ 0xFF7CB0DB };
    juce::Colour menuHighlightedTextColour{ 0xFF101010 };
    juce::Colour menuHighlightColour{ 0xFF7CB0DB };
    float ringInnerRadius = 0.9f;
    float rotaryStartAngle = 3.895575f;
    float rotaryEndAngle = 8.670796f;
    float trackAlpha = 0.7f;
    float scale = 1.0f;

    // Written by the layout alongside `scale`; the menu font follows `scale` alone, so a menu never
    // keeps an old size after a scale change.
    float popupFontSize = 11.0f;

private:
    static juce::TextLayout layoutTooltip (const juce::String& text, juce::Colour colour, float s,
                                           float maxWidth);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LooknFeel1)
};
