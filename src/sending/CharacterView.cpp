#include "CharacterView.h"

namespace {

void syncTickerVisibility(CharacterView &view)
{
    // The ticker gives way to the call-sign input box whenever that holds text.
    view.setTickerVisible(view.callInputText().isEmpty());
}

} // namespace

void ShowCharacterStarting(CharacterView &view, char16_t c)
{
    if (view.activeTab() == CharacterView::CallSignTab && view.callStreamTicked()) {
        if (c == u' ')
            view.setCallInputText(QString());
        else if (c > u' ')
            view.setCallInputText(view.callInputText() + QChar(c));
    }
    if (CharacterView::sendsText(view.activeTab())) {
        syncTickerVisibility(view);
        if (!view.tickerAfterSending() && c >= u' ')
            view.appendTicker(QChar(c));
        view.countTextChar();
    }
}

void ShowCharacterHeard(CharacterView &view, char16_t c)
{
    if (!CharacterView::sendsText(view.activeTab()))
        return;
    syncTickerVisibility(view);
    if (view.tickerAfterSending() && c >= u' ')
        view.appendTicker(QChar(c));
}
