#include "ConditionsButton.h"

#include "settings/SavedValues.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QSpinBox>
#include <QWidgetAction>

namespace {

QSpinBox *decibels(const char *name, int minimum, int maximum, int value)
{
    auto *box = new QSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(minimum, maximum);
    box->setValue(value);
    box->setSuffix(QStringLiteral(" dB"));
    return box;
}

} // namespace

ConditionsButton::ConditionsButton(QWidget *parent) : QToolButton(parent)
{
    setObjectName(QStringLiteral("btnConditions"));
    setText(QStringLiteral("バンド…"));
    setToolTip(QStringLiteral("雑音 (QRN)・フェージング (QSB)・混信 (QRM)"));
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Opened by hand rather than as the button's own menu, which would take
    // room on the narrow button for its arrow.
    m_menu = new QMenu(this);
    auto *form = new QWidgetAction(m_menu);
    form->setDefaultWidget(createForm());
    m_menu->addAction(form);
    connect(this, &QToolButton::clicked, this, [this] { m_menu->popup(mapToGlobal(rect().bottomLeft())); });
    changed();
}

QWidget *ConditionsButton::createForm()
{
    const BandConditions defaults;
    auto *form = new QWidget;
    auto *grid = new QGridLayout(form);
    chkNoise = new QCheckBox(QStringLiteral("雑音 (QRN)"));
    chkNoise->setObjectName(QStringLiteral("chkNoise"));
    spnSnr = decibels("spnSnr", kMinSnrDb, kMaxSnrDb, defaults.snrDb);
    chkQsb = new QCheckBox(QStringLiteral("フェージング (QSB)"));
    chkQsb->setObjectName(QStringLiteral("chkQsb"));
    spnQsbDepth = decibels("spnQsbDepth", kMinQsbDepthDb, kMaxQsbDepthDb, defaults.qsbDepthDb);
    chkQrm = new QCheckBox(QStringLiteral("混信 (QRM)"));
    chkQrm->setObjectName(QStringLiteral("chkQrm"));
    grid->addWidget(chkNoise, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("S/N (500 Hz)")), 0, 1);
    grid->addWidget(spnSnr, 0, 2);
    grid->addWidget(chkQsb, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("深さ")), 1, 1);
    grid->addWidget(spnQsbDepth, 1, 2);
    grid->addWidget(chkQrm, 2, 0, 1, 3);
    for (QCheckBox *box : {chkNoise, chkQsb, chkQrm})
        connect(box, &QCheckBox::toggled, this, &ConditionsButton::changed);
    for (QSpinBox *box : {spnSnr, spnQsbDepth})
        connect(box, &QSpinBox::valueChanged, this, &ConditionsButton::changed);
    return form;
}

BandConditions ConditionsButton::conditions() const
{
    BandConditions c;
    c.noise = chkNoise->isChecked();
    c.snrDb = spnSnr->value();
    c.qsb = chkQsb->isChecked();
    c.qsbDepthDb = spnQsbDepth->value();
    c.qrm = chkQrm->isChecked();
    return c;
}

void ConditionsButton::setConditions(const BandConditions &c)
{
    chkNoise->setChecked(c.noise);
    spnSnr->setValue(c.snrDb);
    chkQsb->setChecked(c.qsb);
    spnQsbDepth->setValue(c.qsbDepthDb);
    chkQrm->setChecked(c.qrm);
}

void ConditionsButton::changed()
{
    const BandConditions c = conditions();
    // Gold, the house accent, while the band is anything but quiet.
    const QPalette house = QApplication::palette(this);
    QPalette palette = this->palette();
    palette.setColor(QPalette::ButtonText, house.color(c.anyOn() ? QPalette::Link : QPalette::ButtonText));
    setPalette(palette);
    spnSnr->setEnabled(c.noise);
    spnQsbDepth->setEnabled(c.qsb);
    emit conditionsChanged(c);
}

void ConditionsButton::keepSettingsIn(QSettings &settings)
{
    const BandConditions defaults;
    BandConditions c;
    c.noise = savedBool(settings, QStringLiteral("conditions/noise"), defaults.noise);
    c.snrDb = savedInt(settings, QStringLiteral("conditions/snr"), kMinSnrDb, kMaxSnrDb, defaults.snrDb);
    c.qsb = savedBool(settings, QStringLiteral("conditions/qsb"), defaults.qsb);
    c.qsbDepthDb = savedInt(settings, QStringLiteral("conditions/qsbDepth"), kMinQsbDepthDb, kMaxQsbDepthDb,
                            defaults.qsbDepthDb);
    c.qrm = savedBool(settings, QStringLiteral("conditions/qrm"), defaults.qrm);
    setConditions(c);
    connect(this, &ConditionsButton::conditionsChanged, this, [saved = &settings](const BandConditions &now) {
        saved->setValue(QStringLiteral("conditions/noise"), now.noise);
        saved->setValue(QStringLiteral("conditions/snr"), now.snrDb);
        saved->setValue(QStringLiteral("conditions/qsb"), now.qsb);
        saved->setValue(QStringLiteral("conditions/qsbDepth"), now.qsbDepthDb);
        saved->setValue(QStringLiteral("conditions/qrm"), now.qrm);
    });
}
