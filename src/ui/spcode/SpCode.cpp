#include "SpCode.h"

#include "ChartPicture.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

TfrmSpCode::TfrmSpCode(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , img1(new QLabel(this))
    , btnOK(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("frmSpCode"));
    setWindowTitle(QString());
    setFixedSize(577, 357);
    setSizeGripEnabled(false);

    QFont dialogFont(QStringLiteral("Tahoma"));
    dialogFont.setPixelSize(11);
    setFont(dialogFont);

    img1->setObjectName(QStringLiteral("img1"));
    img1->setGeometry(3, 3, 571, 305);
    img1->setScaledContents(true);
    img1->setPixmap(QPixmap::fromImage(ChartPicture::render()));

    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(248, 319, 89, 30);
    btnOK->setDefault(true);
    btnOK->setFocus();
    connect(btnOK, &QPushButton::clicked, this, &TfrmSpCode::btnOKClick);
}

void TfrmSpCode::reject()
{
}

void TfrmSpCode::btnOKClick()
{
    accept();
}
