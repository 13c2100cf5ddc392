#include "SettingsPanel.h"

#include "settings/SavedValues.h"
#include "keying/RatioCheck.h"
#include "ui/style/UiFonts.h"
#include "UpDownSpinner.h"
#include "ui/style/WidgetPlacement.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSlider>

namespace {

const QStringList kSpacingEntries = {
    QStringLiteral("3 短点 (標準)"), QStringLiteral("4 短点"), QStringLiteral("5 短点"),
    QStringLiteral("6 短点 (標準×2)"), QStringLiteral("7 短点"), QStringLiteral("8 短点"),
    QStringLiteral("9 短点 (標準×3)"), QStringLiteral("標準×4"), QStringLiteral("標準×5"),
    QStringLiteral("標準×6"), QStringLiteral("標準×7"), QStringLiteral("標準×8"),
    QStringLiteral("標準×9"), QStringLiteral("標準×10"),
};

constexpr int kPitchStep = 50;

// Text the program cannot use, in a red that reads well on the dark boxes.
const QColor kBadInputColor(0xFF, 0x6B, 0x5E);

} // namespace

SettingsPanel::SettingsPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("設定"), parent)
    , sine_table(std::make_unique<TSineTable>())
{
    m_keying.sine_table = sine_table.get();
    createControls();
    connectEvents();
}

SettingsPanel::~SettingsPanel() = default;

void SettingsPanel::createControls()
{
    placed(this, "grp2", 527, 8, 194, 289);
    setFont(uiFont(UiFace::MeiryoUi, 13));

    placedLabel(this, "lbl1", QStringLiteral("速度："), 16, 30, 39, 17);
    edtSpeed = placed(new QLineEdit(this), "edtSpeed", 72, 27, 57, 25);
    edtSpeed->setReadOnly(true);
    udSpeed = placed(new UpDownSpinner(10, 60, 1, 25, this), "udSpeed", 129, 27, 16, 25);
    udSpeed->attachTo(edtSpeed);
    placedLabel(this, "lbl2", QStringLiteral("wpm"), 150, 30, 31, 17);

    placedLabel(this, "lbl3", QStringLiteral("周波数："), 16, 66, 52, 17);
    edtPitch = placed(new QLineEdit(QStringLiteral("700"), this), "edtPitch", 72, 63, 57, 25);
    edtPitch->setReadOnly(true);
    // The tone moves in 50 Hz steps, so each click moves it by one step.
    udPitch = placed(new UpDownSpinner(400, 1500, kPitchStep, 700, this), "udPitch", 129, 63, 17, 25);
    udPitch->listenTo(edtPitch);
    placedLabel(this, "lbl4", QStringLiteral("Hz"), 150, 66, 17, 17);

    placedLabel(this, "lbl5", QStringLiteral("スペース："), 16, 102, 55, 17);
    cbbSpacing = placed(new QComboBox(this), "cbbSpacing", 72, 101, 114, 23);
    cbbSpacing->setFont(uiFont(UiFace::MeiryoUi, 12));
    cbbSpacing->addItems(kSpacingEntries);
    cbbSpacing->setCurrentIndex(0);

    placedLabel(this, "lbl6", QStringLiteral("音量："), 16, 138, 39, 17);
    tbVolume = placed(new QSlider(Qt::Horizontal, this), "tbVolume", 61, 134, 127, 31);
    tbVolume->setRange(0, 8);
    tbVolume->setValue(4);
    tbVolume->setTickPosition(QSlider::TicksBelow);
    tbVolume->setTickInterval(2);
    tbVolume->setPageStep(1);

    placedLabel(this, "lbl9", QStringLiteral("符号比率：　1："), 16, 226, 95, 17)->setFont(uiFont(UiFace::MeiryoUi, 11));
    edtRatio = placed(new QLineEdit(this), "edtRatio", 99, 223, 30, 25);
    ud1 = placed(new UpDownSpinner(2, 10, 1, 3, this), "ud1", 129, 223, 16, 25);
    ud1->attachTo(edtRatio);
}

void SettingsPanel::connectEvents()
{
    connect(edtSpeed, &QLineEdit::textChanged, this, &SettingsPanel::edtSpeedChange);
    connect(udPitch, &UpDownSpinner::changing, this, &SettingsPanel::udPitchChanging);
    connect(tbVolume, &QSlider::valueChanged, this, &SettingsPanel::tbVolumeChange);
    connect(cbbSpacing, &QComboBox::currentIndexChanged, this, &SettingsPanel::cbbSpacingChange);
    connect(edtRatio, &QLineEdit::textChanged, this, &SettingsPanel::edtRatioChange);
}

void SettingsPanel::applyStartValues()
{
    m_keying.freq = 700;
    edtSpeedChange();
    cbbSpacingChange();
    tbVolumeChange();
}

void SettingsPanel::keepSettingsIn(QSettings &settings)
{
    udSpeed->setPosition(savedInt(settings, QStringLiteral("speed"), udSpeed->minimum(), udSpeed->maximum(),
                                  udSpeed->position()));
    setPitchPosition(savedInt(settings, QStringLiteral("pitch"), udPitch->minimum(), udPitch->maximum(),
                              udPitch->position()));
    cbbSpacing->setCurrentIndex(savedInt(settings, QStringLiteral("spacing"), 0, cbbSpacing->count() - 1,
                                         cbbSpacing->currentIndex()));
    tbVolume->setValue(savedInt(settings, QStringLiteral("volume"), tbVolume->minimum(), tbVolume->maximum(),
                                tbVolume->value()));
    ud1->setPosition(savedInt(settings, QStringLiteral("ratio"), ud1->minimum(), ud1->maximum(), ud1->position()));

    QSettings *saved = &settings;
    connect(udSpeed, &UpDownSpinner::changed, this, [saved](int wpm) { saved->setValue(QStringLiteral("speed"), wpm); });
    connect(udPitch, &UpDownSpinner::changed, this, [saved](int hz) { saved->setValue(QStringLiteral("pitch"), hz); });
    connect(cbbSpacing, &QComboBox::currentIndexChanged, this,
            [saved](int index) { saved->setValue(QStringLiteral("spacing"), index); });
    connect(tbVolume, &QSlider::valueChanged, this,
            [saved](int volume) { saved->setValue(QStringLiteral("volume"), volume); });
    connect(edtRatio, &QLineEdit::textChanged, this, [this, saved] {
        // Only a ratio the spinner could show is kept; a half-typed one is not.
        bool ok = false;
        const int ratio = edtRatio->text().toInt(&ok);
        if (ok && ratio >= ud1->minimum() && ratio <= ud1->maximum())
            saved->setValue(QStringLiteral("ratio"), ratio);
    });
}

void SettingsPanel::edtRatioChange()
{
    // A typo is marked and explained where it was made; sending goes on with
    // the last good ratio meanwhile.
    QString why;
    const bool good = ratioRenderable(&why);
    if (good)
        edtRatio->setPalette(QPalette());
    else
        setTextColor(edtRatio, kBadInputColor);
    edtRatio->setToolTip(good ? QString() : why);
    if (good)
        emit ratioAccepted(edtRatio->text());
}

bool SettingsPanel::ratioRenderable(QString *why) const
{
    return RatioRenderable(edtRatio->text(), why);
}

void SettingsPanel::edtSpeedChange()
{
    m_keying.dot_samples = DotSamplesForSpeed(speedSent());
    emit keyingChanged();
}

int SettingsPanel::speedSent() const { return m_ownSpeed.value_or(edtSpeed->text().toInt()); }

void SettingsPanel::sendAtOwnSpeed(int wpm)
{
    m_ownSpeed = wpm;
    m_keying.dot_samples = DotSamplesForSpeed(wpm);
}

void SettingsPanel::sendAtSetSpeed()
{
    m_ownSpeed.reset();
    m_keying.dot_samples = DotSamplesForSpeed(speedSent());
}

void SettingsPanel::udPitchChanging(int newPosition)
{
    m_keying.freq = FreqForPitchPosition(newPosition);
    edtPitch->setText(QString::number(m_keying.freq));
    emit toneChanged();
    emit keyingChanged();
}

void SettingsPanel::cbbSpacingChange()
{
    m_keying.space_extra = SpaceExtraForIndex(cbbSpacing->currentIndex(), m_keying.space_extra);
    emit spacingChanged();
    emit keyingChanged();
}

void SettingsPanel::tbVolumeChange()
{
    m_keying.amplitude = MakeSineTable(*sine_table, tbVolume->value());
    emit toneChanged();
    emit keyingChanged();
}

QString SettingsPanel::speedText() const { return edtSpeed->text(); }
int SettingsPanel::speedPosition() const { return udSpeed->position(); }
void SettingsPanel::setSpeedPosition(int wpm) { udSpeed->setPosition(wpm); }
// The spinner stays on the pitch heard, so the next click is a whole step.
void SettingsPanel::setPitchPosition(int hz) { udPitch->setPosition(FreqForPitchPosition(hz)); }
QString SettingsPanel::ratioText() const { return edtRatio->text(); }

void SettingsPanel::orderTabsBetween(QWidget *before, QWidget *after)
{
    setTabOrder(before, edtSpeed);
    setTabOrder(edtSpeed, edtPitch);
    setTabOrder(edtPitch, cbbSpacing);
    setTabOrder(cbbSpacing, tbVolume);
    setTabOrder(tbVolume, edtRatio);
    setTabOrder(edtRatio, after);
}
