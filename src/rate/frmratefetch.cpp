#include "rate/frmratefetch.h"

#include "platform/controls/btnbutton.h"
#include "platform/controls/ltitle.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

FrmRateFetch::FrmRateFetch(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmRateFetch"));
    setWindowTitle(QStringLiteral("인터넷에서 환율 받기"));
    setWindowModality(Qt::WindowModal);
    auto *top = new QVBoxLayout(this);
    auto *choice = new QHBoxLayout;
    m_day = new QRadioButton(QStringLiteral("하루"), this);
    m_day->setObjectName(QStringLiteral("dayOption"));
    m_period = new QRadioButton(QStringLiteral("기간"), this);
    m_period->setObjectName(QStringLiteral("periodOption"));
    m_day->setChecked(true);
    choice->addWidget(m_day);
    choice->addWidget(m_period);
    choice->addStretch(1);
    top->addLayout(choice);

    auto *days = new QHBoxLayout;
    days->addWidget(new lTitle(QStringLiteral("일자"), this));
    for (QDateEdit **box : {&m_from, &m_to}) {
        *box = new QDateEdit(QDate::currentDate(), this);
        (*box)->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        (*box)->setCalendarPopup(true);
        days->addWidget(*box);
        if (box == &m_from)
            days->addWidget(new lTitle(QStringLiteral("~"), this));
    }
    m_from->setObjectName(QStringLiteral("fromBox"));
    m_to->setObjectName(QStringLiteral("toBox"));
    top->addLayout(days);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_fetchButton = new btnButton(QStringLiteral("받  기"), this);
    m_fetchButton->setObjectName(QStringLiteral("fetchButton"));
    m_closeButton = new btnButton(QStringLiteral("닫  기"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    for (btnButton *b : {m_fetchButton, m_closeButton}) {
        b->setMinimumSize(82, 26);
        buttons->addWidget(b);
    }
    top->addLayout(buttons);

    connect(m_day, &QRadioButton::toggled, this, &FrmRateFetch::updateBoxes);
    connect(m_closeButton, &btnButton::Click, this, &QDialog::reject);
    connect(m_fetchButton, &btnButton::Click, this, [this] {
        accept();
        emit fetchRequested(fromDay(), toDay());
    });
    updateBoxes();
}

QDate FrmRateFetch::fromDay() const
{
    return m_period->isChecked() ? std::min(m_from->date(), m_to->date()) : m_from->date();
}

QDate FrmRateFetch::toDay() const
{
    return m_period->isChecked() ? std::max(m_from->date(), m_to->date()) : m_from->date();
}

void FrmRateFetch::updateBoxes()
{
    m_to->setEnabled(m_period->isChecked());
}
