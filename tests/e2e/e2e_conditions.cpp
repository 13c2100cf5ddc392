// The call-sign drill with the band's conditions on, heard through the real
// sound output.
#include "E2eSession.h"

#include "ui/callsign/ConditionsButton.h"

namespace e2e {
namespace {

// One drill call sign in noise of --snr dB: the noise runs from Start, on
// through the silence while the answer is awaited, and fades out at Stop.
int drillInNoise(const Options &o)
{
    Session s(o);
    BandConditions conditions;
    conditions.noise = true;
    conditions.snrDb = o.number("snr", 10);
    s.child<ConditionsButton>("btnConditions")->setConditions(conditions);
    readYear(s, 2017);
    require(!s.window->callSignPage().callSigns().isEmpty(), QStringLiteral("empty call-sign list"));
    s.window->btnStartClick();
    report("sent", s.window->sequencer().send_text);
    require(waitFor([&] { return s.keyDown(); }, 5000), QStringLiteral("the call sign did not start"));
    require(waitFor([&] { return !s.keyDown(); }, 20000), QStringLiteral("the call sign did not end"));
    QTest::qWait(o.number("gap-ms", 2000));  // waiting for the answer, in noise
    s.window->btnStopClick();
    QTest::qWait(1000);  // the noise fades out; what follows is silence
    s.requireResponsive();
    return 0;
}

} // namespace

void addConditionsScenarios(QHash<QString, Scenario> &scenarios)
{
    scenarios.insert(QStringLiteral("drill-in-noise"), drillInNoise);
}

} // namespace e2e
