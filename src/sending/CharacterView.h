#pragma once

#include <QString>

// What the window shows of a character as it is sent: the stream echo into the
// call-sign input box and the tickers of the plain-text and course tabs. The window
// implements it; the domain code never touches a widget.
class CharacterView
{
public:
    enum Tab { CallSignTab = 0, PlainTextTab = 1, CourseTab = 2 };

    // The plain-text and course tabs each send a text of their own to its
    // end, with the ticker and the rate meter; the call-sign tab does not.
    static bool sendsText(int tab) { return tab == PlainTextTab || tab == CourseTab; }

    virtual ~CharacterView() = default;

    virtual int activeTab() const = 0;
    virtual bool callStreamTicked() const = 0;      // "Call Sign 流し聞き"
    virtual bool tickerAfterSending() const = 0;    // display after the Morse is sent

    virtual QString callInputText() const = 0;
    virtual void setCallInputText(const QString &text) = 0;

    virtual void setTickerVisible(bool visible) = 0;
    virtual void appendTicker(QChar c) = 0;
    virtual void countTextChar() = 0;               // one more character for the rate meter
};

// The on-screen steps for a character whose sound begins now: the stream echo
// on the call-sign tab, the ticker (before-sending timing) and the character
// count on the plain-text tab. Runs even for characters without Morse.
void ShowCharacterStarting(CharacterView &view, char16_t c);

// The ticker step once a character and its closing gap have been heard, for
// the after-sending timing.
void ShowCharacterHeard(CharacterView &view, char16_t c);
