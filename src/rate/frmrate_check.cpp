// The rate window's checks and history: the jump question at save, the missing days and jumps
// of the queried period, the history of a day, and the start-up notice of a database that keeps
// no history.

#include "rate/frmrate.h"

#include "rate/ratecheck.h"
#include "rate/ratecheckreads.h"
#include "rate/ratelistwindow.h"
#include "rate/ratewriter.h"

#include "msgscr/msgscr.h"
#include "platform/controls/cfloat.h"
#include "platform/controls/ddate.h"
#include "platform/db/connspec.h"
#include "platform/db/dataaccess.h"
#include "platform/db/dbconnection.h"
#include "platform/spread/spreadgrid.h"
#include "platform/spread/spreadsearch.h"
#include "platform/win/pointer.h"

#include <QLineEdit>
#include <QTableView>

namespace {

const QString CRLF = QStringLiteral("\r\n");

using Column = RateListWindow::Column;

// "1,156.21 → 1,274.00" for a change, the one value when the other side has none.
QString changeText(int currency, const QString &before, const QString &after)
{
    auto shown = [currency](const QString &v) {
        double d = 0;
        bool ok = false;
        d = v.toDouble(&ok);
        return ok ? RateCheck::currencyText(currency, d) : v;
    };
    if (before.isEmpty())
        return shown(after);
    if (after.isEmpty() || before == after)
        return shown(before);
    return shown(before) + QStringLiteral(" → ") + shown(after);
}

QString remarkChange(const QString &before, const QString &after, const QString &action)
{
    if (action == u"I")
        return after;
    if (action == u"D" || before == after)
        return before;
    return before + QStringLiteral(" → ") + after;
}

} // namespace

bool FrmRate::confirmJumps(const QString &date)
{
    DataAccess *da = m_dataAccess.get();
    // a day kept as a holiday carries the last rates or none: nothing to compare
    if (!da || RateCheck::isHolidayRemark(m_txtREMARK->text()))
        return true;
    const RateCheck::Limits limits = RateCheck::registryLimits();
    RateCheck::Neighbours near;
    // a failed read is left to the save itself, which reports it
    if (!RateCheckReads::neighbours(*da, date, limits, &near))
        return true;
    cFloat *boxes[RateCheck::CurrencyCount] = {m_txtUSD, m_txtVND, m_txtKRW};
    std::array<double, RateCheck::CurrencyCount> rates{};
    for (int c = 0; c < RateCheck::CurrencyCount; ++c)
        rates[size_t(c)] = boxes[c]->value().toDouble();
    // one question for the whole save, every jump a line of it
    const QList<RateCheck::SaveJump> jumps = RateCheck::saveJumps(rates, near, limits);
    if (jumps.isEmpty())
        return true;
    const MsgScr::Answer answer = MsgScr::question(MsgScr::Kind::Warning, RateCheck::SaveQuestionTitle,
                                                   RateCheck::saveQuestionText(jumps), MsgScr::Answer::No);
    if (answer == MsgScr::Answer::Yes)
        return true;
    boxes[jumps.first().currency]->setFocus();
    return false;
}

void FrmRate::showHistoryNotice()
{
    if (!m_writer || !m_dataAccess->connection())
        return;
    const ConnSpec::Backend backend = m_dataAccess->connection()->conn().backend;
    if (backend == ConnSpec::Backend::Sqlite || m_writer->historyOn())
        return;
    const QString script = backend == ConnSpec::Backend::Postgres ? QStringLiteral("sql/postgresql.sql")
        : backend == ConnSpec::Backend::SqlServer                 ? QStringLiteral("sql/mssql.sql")
                                                                  : QStringLiteral("sql/ 의 스크립트");
    MsgScr::notice(MsgScr::Kind::Info, QStringLiteral("변경 이력이 기록되지 않습니다."),
                   QStringLiteral("데이타베이스에 EX_RATE_LOG 테이블이 없어") + CRLF
                       + QStringLiteral("환율의 저장·수정·삭제 이력이 기록되지 않습니다.") + CRLF + CRLF
                       + QStringLiteral("기록하려면 관리자가 ") + script + QStringLiteral(" 를") + CRLF
                       + QStringLiteral("이 데이타베이스에 한 번 실행하여 주십시오."));
}

void FrmRate::openRateCheck()
{
    if (m_mode != Mode::Query || !m_dataAccess) {
        if (m_SS)
            m_SS->setFocus();
        return;
    }
    QList<RateCheck::Finding> findings;
    bool read = false;
    {
        const Pointer::Busy busy;
        read = RateCheckReads::periodFindings(*m_dataAccess, m_queryFrom, m_queryTo, &findings);
    }
    if (!read) {
        showUnexpectedError(QStringLiteral("조회중 에러가 발생하여 실행하지 못했습니다."));
        return;
    }
    if (!m_checkWindow) {
        const QList<Column> cols = {{QStringLiteral("일자"), 10, SpreadGrid::AlignCenter},
                                    {QStringLiteral("구분"), 9, SpreadGrid::AlignCenter},
                                    {QStringLiteral("통화"), 9, SpreadGrid::AlignCenter},
                                    {QStringLiteral("이전 값"), 12, SpreadGrid::AlignRight},
                                    {QStringLiteral("새 값"), 12, SpreadGrid::AlignRight},
                                    {QStringLiteral("변동률(%)"), 9, SpreadGrid::AlignRight}};
        m_checkWindow = new RateListWindow(this, QStringLiteral("빠진 날짜 · 급변 점검"), cols);
        m_checkWindow->setObjectName(QStringLiteral("FrmRateCheck"));
        connect(m_checkWindow, &RateListWindow::rowDoubleClicked, this, [this](int row) {
            SpreadGrid *g = m_checkWindow->grid();
            if (g->GetCellText(2, row) == RateCheck::kindText(RateCheck::FindingKind::Jump))
                showDayInPanel(g->GetCellText(1, row));
        });
    }
    QList<QStringList> rows;
    rows.reserve(findings.size());
    for (const RateCheck::Finding &f : std::as_const(findings))
        rows.append(RateCheck::findingColumns(f));
    m_checkWindow->setRows(rows);
    m_checkWindow->setWindowTitle(QStringLiteral("빠진 날짜 · 급변 점검 (") + m_queryFrom + QStringLiteral(" ~ ")
                                  + m_queryTo + QStringLiteral(", ") + QString::number(findings.size())
                                  + QStringLiteral(" 건)"));
    m_checkWindow->show();
    m_checkWindow->raise();
    m_checkWindow->activateWindow();
}

void FrmRate::showDayInPanel(const QString &day)
{
    // the day is one of the queried rows: the grid's own click copies it into the panel
    const int row = m_SS->SearchCol(1, 0, m_SS->MaxRows(), day, SpreadSearch::EqualValue);
    if (row > 0) {
        SS_Click(1, row);
        m_SS->setRow(row);
        m_SS->setCol(1);
        m_SS->setAction(0);
    } else {
        m_txtSTD_DATE->setValue(day);
    }
    activateWindow();
    m_txtUSD->setFocus();
}

bool FrmRate::gridRightPress(const QPoint &viewportPos)
{
    if (m_mode != Mode::Query)
        return false;
    const int row = m_SS->view()->rowAt(viewportPos.y()) + 1;
    if (row < 1 || row > m_SS->MaxRows())
        return false;
    const QString day = m_SS->GetCellText(1, row).trimmed();
    if (day.isEmpty())
        return false;
    openRateLog(day);
    return true;
}

void FrmRate::openRateLog(const QString &day)
{
    if (!m_writer)
        return;
    QList<RateHistory::Entry> entries;
    if (!m_writer->readDay(day, &entries)) {
        MsgScr::notice(MsgScr::Kind::Info, QStringLiteral("변경 이력이 없습니다."),
                       QStringLiteral("이 데이타베이스에는 변경 이력이 기록되지 않습니다."));
        return;
    }
    if (entries.isEmpty()) { // an empty list would look like a failed read
        MsgScr::notice(MsgScr::Kind::Info, QStringLiteral("변경 이력이 없습니다."),
                       QStringLiteral("변경 이력이 없습니다.\r\n\r\n기준일 : ") + day);
        return;
    }
    if (!m_logWindow) {
        const QList<Column> cols = {{QStringLiteral("변경일시"), 19, SpreadGrid::AlignCenter},
                                    {QStringLiteral("구분"), 5, SpreadGrid::AlignCenter},
                                    {QStringLiteral("미달러"), 18, SpreadGrid::AlignRight},
                                    {QStringLiteral("베트남동"), 16, SpreadGrid::AlignRight},
                                    {QStringLiteral("한국원화"), 22, SpreadGrid::AlignRight},
                                    {QStringLiteral("사용자"), 8, SpreadGrid::AlignCenter},
                                    {QStringLiteral("컴퓨터"), 10, SpreadGrid::AlignLeft},
                                    {QStringLiteral("비고"), 20, SpreadGrid::AlignLeft}};
        // wide enough for every column at its own width (about 1,000 pixels)
        m_logWindow = new RateListWindow(this, QStringLiteral("변경 이력"), cols, 15000);
        m_logWindow->setObjectName(QStringLiteral("FrmRateLog"));
    }
    QList<QStringList> rows;
    for (const RateHistory::Entry &e : std::as_const(entries))
        rows.append({e.when, RateHistory::actionText(e.action), changeText(0, e.before.usd, e.after.usd),
                     changeText(1, e.before.vnd, e.after.vnd), changeText(2, e.before.krw, e.after.krw), e.user, e.host,
                     remarkChange(e.before.remark, e.after.remark, e.action)});
    m_logWindow->setRows(rows);
    m_logWindow->setWindowTitle(QStringLiteral("변경 이력 - ") + day);
    m_logWindow->show();
    m_logWindow->raise();
    m_logWindow->activateWindow();
}
