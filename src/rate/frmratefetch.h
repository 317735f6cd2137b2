#pragma once

#include <QDialog>

class QDateEdit;
class QRadioButton;
class btnButton;

// "인터넷에서 환율 받기": a day (today unless changed) or a period, then the fetch runs under
// the wait notice with its progress a day at a time; its rows go to the import's preview.
class FrmRateFetch : public QDialog
{
    Q_OBJECT

public:
    explicit FrmRateFetch(QWidget *parent = nullptr);

    QDate fromDay() const;
    QDate toDay() const; // the day itself when one day is chosen

    // the controls the tests reach
    QRadioButton *dayOption() const { return m_day; }
    QRadioButton *periodOption() const { return m_period; }
    QDateEdit *fromBox() const { return m_from; }
    QDateEdit *toBox() const { return m_to; }
    btnButton *fetchButton() const { return m_fetchButton; }
    btnButton *closeButton() const { return m_closeButton; }

signals:
    // The user asked for from..to.
    void fetchRequested(const QDate &from, const QDate &to);

private:
    void updateBoxes();

    QRadioButton *m_day = nullptr;
    QRadioButton *m_period = nullptr;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    btnButton *m_fetchButton = nullptr;
    btnButton *m_closeButton = nullptr;
};
