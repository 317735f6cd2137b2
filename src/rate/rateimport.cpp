#include "rate/rateimport.h"

#include "rate/ratecheck.h"
#include "rate/rateinputcheck.h"
#include "rate/ratestatements.h"
#include "rate/ratevalue.h"
#include "rate/ratewriter.h"

#include "platform/controls/numbertext.h"
#include "platform/db/dataaccess.h"

#include <QHash>

#include <charconv>

namespace RateImport {

namespace {

constexpr int HeaderSearchRows = 20; // a title or a note or two may stand above the header

struct Stored
{
    std::array<QString, 3> rate;
    QString remark;
};

// The stored days from..to (the period query), keyed by day. False when the query failed.
bool readStored(DataAccess &da, const QString &from, const QString &to, QHash<QString, Stored> *out, QString *error)
{
    if (!da.OpenQuery(RateStatements::periodStatement(from, to), 1, 3)) {
        if (error)
            *error = da.lastError();
        return false;
    }
    if (!da.IsEof()) {
        da.MoveFirst();
        const long n = da.RecordCount();
        out->reserve(qsizetype(n));
        for (long i = 0; i < n; ++i) {
            Stored s;
            for (int k = 0; k < 3; ++k)
                s.rate[size_t(k)] = storedRate(k, da.FieldValue(k + 1));
            s.remark = da.FieldValue(4);
            out->insert(da.FieldValue(0).trimmed(), s);
            da.MoveNext();
        }
    }
    da.CloseQuery();
    return true;
}

QString normalHeader(const QString &text)
{
    QString t = text;
    t.remove(u' ');
    t.remove(u'\t');
    return t.toLower();
}

QString plainValue(int index, const NumberText::Number &n)
{
    QString fixed = NumberText::format(n, RateInputCheck::rateDecimals(index), true, false);
    if (index != 2)
        return fixed;
    // the won is written in general number form, as the save writes it (numberText of the
    // box's value); with few digits and no exponent that is the fixed text without its trailing
    // zeros, which spares a round trip through binary floating point for every row
    const qsizetype digits = n.integerDigits.size() + n.fractionDigits.size();
    const bool small = n.integerDigits == u"0" && !n.isZero() && fixed.mid(n.negative ? 3 : 2, 3) == u"000";
    if (digits > 15 || small)
        return RateStatements::numberText(fixed.toDouble());
    if (fixed.contains(u'.')) {
        while (fixed.endsWith(u'0'))
            fixed.chop(1);
        if (fixed.endsWith(u'.'))
            fixed.chop(1);
    }
    return fixed == u"-0" ? QStringLiteral("0") : fixed;
}

// A number cell's value in the form a person types (up to 15 significant digits).
QString numberCellText(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    return QString::fromLatin1(buf, r.ptr - buf);
}

// What one text number says of the decimal mark.
enum class Says { Nothing, Point, Comma, PointOrGroup, CommaOrGroup };

// Integer digits in groups of three after the first one to three: "1.234.567" with '.'.
bool grouped(QStringView whole, QChar sep)
{
    if (whole.startsWith(u'-') || whole.startsWith(u'+'))
        whole = whole.sliced(1);
    const QList<QStringView> groups = whole.split(sep);
    for (qsizetype i = 0; i < groups.size(); ++i)
        if (groups[i].isEmpty() || groups[i].size() > 3 || (i > 0 && groups[i].size() != 3))
            return false;
    return groups.size() > 1;
}

Says says(QStringView t)
{
    const qsizetype points = t.count(u'.');
    const qsizetype commas = t.count(u',');
    if (points == 0 && commas == 0)
        return Says::Nothing;
    if (points > 0 && commas > 0) { // the last one is the decimal mark, the other one groups
        const bool point = t.lastIndexOf(u'.') > t.lastIndexOf(u',');
        const QChar mark = point ? u'.' : u',';
        if (t.count(mark) != 1 || !grouped(t.first(t.indexOf(mark)), point ? u',' : u'.'))
            return Says::Nothing;
        return point ? Says::Point : Says::Comma;
    }
    const bool isPoint = points > 0;
    const QChar mark = isPoint ? u'.' : u',';
    if ((isPoint ? points : commas) > 1) // groups only: "1.234.567"
        return grouped(t, mark) ? (isPoint ? Says::Comma : Says::Point) : Says::Nothing;
    const qsizetype at = t.indexOf(mark);
    QStringView whole = t.first(at);
    if (whole.startsWith(u'-') || whole.startsWith(u'+'))
        whole = whole.sliced(1);
    const QStringView after = t.sliced(at + 1);
    // a group has three digits after it and one to three before, not a lone 0
    const bool group = after.size() == 3 && !whole.isEmpty() && whole.size() <= 3 && whole != u"0";
    if (!group)
        return isPoint ? Says::Point : Says::Comma;
    return isPoint ? Says::PointOrGroup : Says::CommaOrGroup;
}

// A text number written with a decimal comma, in the form NumberText reads ("1.234,5" -> "1234.5").
QString fromDecimalComma(QString t)
{
    const qsizetype comma = t.indexOf(u',');
    const QStringView whole = QStringView(t).first(comma < 0 ? t.size() : comma);
    if (whole.contains(u'.') && !grouped(whole, u'.'))
        return t; // not groups: left for the number check to refuse
    t.remove(u'.');
    t.replace(u',', u'.');
    return t;
}

bool isNumberText(QStringView t)
{
    bool digit = false;
    for (const QChar c : t) {
        if (c.isDigit())
            digit = true;
        else if (c != u'.' && c != u',' && c != u'-' && c != u'+' && c != u' ' && c != u'e' && c != u'E')
            return false;
    }
    return digit;
}

// A remark without the blanks around it; line breaks, tabs and control characters are its own.
QString withoutBlanks(const QString &text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == u' ')
        ++from;
    while (to > from && text.at(to - 1) == u' ')
        --to;
    return text.mid(from, to - from);
}

void periodOf(const QVector<const Row *> &rows, QString *from, QString *to)
{
    for (const Row *r : rows) {
        if (from->isEmpty() || r->date < *from)
            *from = r->date;
        if (to->isEmpty() || r->date > *to)
            *to = r->date;
    }
}

} // namespace

QString fieldCaption(int field)
{
    static const char *const captions[FieldCount] = {"일자", "미달러", "베트남동", "한국원화", "비고"};
    return field >= 0 && field < FieldCount ? QString::fromUtf8(captions[field]) : QString();
}

int fieldOfHeader(const QString &text)
{
    static const QHash<QString, int> names = {
        {QStringLiteral("일자"), FieldDate},     {QStringLiteral("기준일"), FieldDate},
        {QStringLiteral("date"), FieldDate},     {QStringLiteral("미달러"), FieldUsd},
        {QStringLiteral("usd"), FieldUsd},       {QStringLiteral("베트남동"), FieldVnd},
        {QStringLiteral("vnd"), FieldVnd},       {QStringLiteral("한국원화"), FieldKrw},
        {QStringLiteral("krw"), FieldKrw},       {QStringLiteral("비고"), FieldRemark},
        {QStringLiteral("remark"), FieldRemark},
    };
    return names.value(normalHeader(text), -1);
}

bool ColumnMap::usable() const
{
    return col[FieldDate] >= 0 && (col[FieldUsd] >= 0 || col[FieldVnd] >= 0 || col[FieldKrw] >= 0);
}

ColumnMap findColumns(const SheetTable &table)
{
    for (int r = 0; r < std::min(table.rowCount(), HeaderSearchRows); ++r) {
        ColumnMap m;
        m.headerRow = r;
        for (int c = 0; c < table.columnCount(r); ++c) {
            if (table.kind(r, c) != SheetTable::Kind::Text)
                continue;
            const int f = fieldOfHeader(table.text(r, c));
            if (f >= 0 && m.col[size_t(f)] < 0)
                m.col[size_t(f)] = c;
        }
        if (m.usable())
            return m;
    }
    return {};
}

QList<int> fittingSheets(const SheetReader::Result &file)
{
    QList<int> fit;
    for (std::size_t i = 0; i < file.sheets.size(); ++i)
        if (findColumns(file.sheets[i].table).usable())
            fit << int(i);
    return fit;
}

DecimalMark decimalMark(const SheetTable &table, const ColumnMap &map)
{
    bool point = false;
    bool comma = false;
    for (int r = map.headerRow + 1; r < table.rowCount() && !(point && comma); ++r) {
        for (int i = FieldUsd; i <= FieldKrw; ++i) {
            const int c = map.col[size_t(i)];
            if (c < 0 || table.kind(r, c) != SheetTable::Kind::Text)
                continue;
            const QString t = table.text(r, c).trimmed();
            if (!isNumberText(t))
                continue;
            const Says s = says(t);
            point = point || s == Says::Point;
            comma = comma || s == Says::Comma;
        }
    }
    if (point && comma)
        return DecimalMark::Mixed;
    return point ? DecimalMark::Point : comma ? DecimalMark::Comma : DecimalMark::Unknown;
}

QString dayText(const SheetTable &table, int row, int col)
{
    switch (table.kind(row, col)) {
    case SheetTable::Kind::Date: {
        const QDate d = table.date(row, col);
        return QString::asprintf("%04d/%02d/%02d", d.year(), d.month(), d.day());
    }
    case SheetTable::Kind::Number: {
        const double v = table.number(row, col);
        if (v >= 10000101 && v <= 99991231 && v == double(qint64(v))) { // YYYYMMDD as a number
            const QString s = QString::number(qint64(v));
            return s.left(4) + u'/' + s.mid(4, 2) + u'/' + s.mid(6, 2);
        }
        return table.text(row, col);
    }
    default:
        break;
    }
    QString t = table.text(row, col).trimmed();
    // a time of day after the day says nothing more
    if (t.size() > 10 && (t.at(10) == u' ' || t.at(10) == u'T'))
        t.truncate(10);
    auto digits = [](QStringView s) {
        for (const QChar ch : s)
            if (ch < u'0' || ch > u'9')
                return false;
        return !s.isEmpty();
    };
    if (t.size() == 8 && digits(t))
        return t.left(4) + u'/' + t.mid(4, 2) + u'/' + t.mid(6, 2);
    if (t.size() == 10 && t.at(4) == u'-' && t.at(7) == u'-')
        return QString(t).replace(u'-', u'/');
    return t;
}

QString outcomeText(Outcome o)
{
    switch (o) {
    case Outcome::Add:
        return QStringLiteral("추가");
    case Outcome::Change:
        return QStringLiteral("수정");
    case Outcome::Same:
        return QStringLiteral("동일");
    case Outcome::Refused:
        return QStringLiteral("거부");
    case Outcome::Unpublished:
        return QStringLiteral("게시되지 않음");
    }
    return {};
}

bool comparable(Outcome o)
{
    return o == Outcome::Add || o == Outcome::Change || o == Outcome::Same;
}

QString Row::rateToWrite(int i) const
{
    if (!rate[size_t(i)].isEmpty())
        return rate[size_t(i)];
    if (stored && !oldRate[size_t(i)].isEmpty())
        return oldRate[size_t(i)];
    return i == 0 ? QStringLiteral("0.00") : QStringLiteral("0"); // the panel's empty boxes
}

QString Row::remarkToWrite() const
{
    if (remarkGiven)
        return remark;
    return stored ? oldRemark : QString();
}

bool rateValue(int index, const SheetTable &table, int row, int col, QString *value, QString *reason, DecimalMark mark)
{
    const QString caption = RateInputCheck::rateCaption(index);
    const bool isText = table.kind(row, col) == SheetTable::Kind::Text;
    QString text = isText ? table.text(row, col).trimmed() : numberCellText(table.number(row, col));
    if (isText && isNumberText(text)) {
        const Says s = says(text);
        if (mark == DecimalMark::Mixed && s != Says::Nothing) {
            *reason = caption + QStringLiteral(" : 파일의 숫자에 소수점 '.'과 ','이 섞여 있어 ") + text
                + QStringLiteral(" 의 소수점을 알 수 없습니다.");
            return false;
        }
        // a lone "23.807" in a file that says nothing else: a decimal the box would round away,
        // or a thousands group
        if (mark == DecimalMark::Unknown && s == Says::PointOrGroup && RateInputCheck::rateDecimals(index) < 3) {
            *reason = caption + QStringLiteral(" : ") + text
                + QStringLiteral(" 의 '.'이 소수점인지 천 단위 구분 기호인지 알 수 없습니다.");
            return false;
        }
        if (mark == DecimalMark::Comma)
            text = fromDecimalComma(text);
    }
    NumberText::Number n;
    NumberText::Limits limits;
    limits.decimalPlaces = RateInputCheck::rateDecimals(index);
    NumberText::Problem p =
        table.kind(row, col) == SheetTable::Kind::Date ? NumberText::Problem::NotANumber : NumberText::parse(text, &n);
    if (p == NumberText::Problem::None)
        p = NumberText::fit(&n, limits);
    if (p != NumberText::Problem::None) {
        *reason = caption + QStringLiteral(" : ") + NumberText::message(p, limits);
        return false;
    }
    if (const RateInputCheck::Refusal r = RateInputCheck::checkRate(index, n.negative && !n.isZero() ? -1.0 : 0.0)) {
        *reason = r.firstLine();
        return false;
    }
    *value = plainValue(index, n);
    return true;
}

QString storedRate(int index, const QString &field)
{
    double v = 0;
    if (!RateValue::parse(field, &v))
        return {};
    NumberText::Number n;
    NumberText::Limits limits;
    limits.decimalPlaces = RateInputCheck::rateDecimals(index);
    limits.maxIntegerDigits = 28;
    if (NumberText::parse(numberCellText(v), &n) != NumberText::Problem::None
        || NumberText::fit(&n, limits) != NumberText::Problem::None)
        return RateStatements::numberText(v);
    return plainValue(index, n);
}

Preview readRows(const SheetTable &table, const ColumnMap &map)
{
    Preview p;
    p.map = map;
    if (!map.usable())
        return p;
    QHash<QString, int> seen; // day -> line of its first row
    seen.reserve(table.rowCount());
    p.rows.reserve(table.rowCount() - map.headerRow - 1);
    const auto &col = map.col;
    p.mark = decimalMark(table, map);
    for (int r = map.headerRow + 1; r < table.rowCount(); ++r) {
        bool blank = true;
        for (int f = 0; f < FieldCount && blank; ++f)
            blank = col[size_t(f)] < 0 || table.kind(r, col[size_t(f)]) == SheetTable::Kind::Empty;
        const bool text = table.kind(r, col[FieldDate]) == SheetTable::Kind::Text;
        const QString first = text ? table.text(r, col[FieldDate]).trimmed() : QString();
        if (blank || (text && first == u"평균")) { // our own export ends with the averages
            ++p.skipped;
            continue;
        }
        Row row;
        row.line = r + 1;
        row.date = dayText(table, r, col[FieldDate]);
        row.outcome = Outcome::Add;
        if (const RateInputCheck::Refusal ref = RateInputCheck::checkDate(row.date)) {
            row.date = text ? first : table.text(r, col[FieldDate]);
            row.reason = ref.firstLine();
        } else if (const int earlier = seen.value(row.date); earlier > 0) {
            row.reason = QStringLiteral("같은 기준일이 %1행에 있습니다.").arg(earlier);
        } else {
            seen.insert(row.date, row.line);
        }
        for (int i = 0; i < 3 && row.reason.isEmpty(); ++i) {
            const int c = col[size_t(FieldUsd) + size_t(i)];
            if (c >= 0 && table.kind(r, c) != SheetTable::Kind::Empty)
                rateValue(i, table, r, c, &row.rate[size_t(i)], &row.reason, p.mark);
        }
        if (col[FieldRemark] >= 0 && table.kind(r, col[FieldRemark]) != SheetTable::Kind::Empty) {
            row.remark = withoutBlanks(table.text(r, col[FieldRemark]));
            row.remarkGiven = true;
            if (row.reason.isEmpty())
                if (const RateInputCheck::Refusal ref = RateInputCheck::checkRemark(row.remark))
                    row.reason = ref.firstLine();
        }
        if (!row.reason.isEmpty()) {
            row.outcome = Outcome::Refused;
            // a refused row shows what the file holds, for the user to find and mend it
            for (int i = 0; i < 3; ++i) {
                const int c = col[size_t(FieldUsd) + size_t(i)];
                row.rate[size_t(i)] = c >= 0 ? table.text(r, c).trimmed() : QString();
            }
        }
        p.rows.append(std::move(row));
    }
    recount(p);
    return p;
}

void recount(Preview &preview)
{
    preview.count = {0, 0, 0, 0, 0};
    for (const Row &r : std::as_const(preview.rows))
        ++preview.count[size_t(r.outcome)];
}

QString countText(const Preview &p)
{
    QStringList parts;
    for (int o = 0; o < 4; ++o)
        parts << outcomeText(Outcome(o)) + QStringLiteral(" %L1건").arg(p.count[size_t(o)]);
    if (const int unpublished = p.count[size_t(Outcome::Unpublished)])
        parts << outcomeText(Outcome::Unpublished) + QStringLiteral(" %L1건").arg(unpublished);
    return parts.join(QStringLiteral("   "));
}

QString appliedText(const Preview &p, int inserted, int updated)
{
    QString text = QStringLiteral("추가 %L1건, 수정 %L2건").arg(inserted).arg(updated);
    if (const int refused = p.count[size_t(Outcome::Refused)]; refused > 0)
        text += QStringLiteral(", 거부 %L1건 제외").arg(refused);
    return text;
}

namespace {

// Each row to be written whose rates jump against its neighbours (the stored days of the period
// as the import would leave them) is marked with the words of the save's question.
void markJumps(Preview &preview, const QHash<QString, Stored> &stored)
{
    QMap<QString, RateCheck::SeriesDay> series;
    for (auto it = stored.cbegin(); it != stored.cend(); ++it)
        series.insert(it.key(), RateCheck::seriesDay(it->rate, it->remark));
    for (const Row &r : std::as_const(preview.rows))
        if (comparable(r.outcome))
            series.insert(
                r.date,
                RateCheck::seriesDay({r.rateToWrite(0), r.rateToWrite(1), r.rateToWrite(2)}, r.remarkToWrite()));
    const RateCheck::Limits limits = RateCheck::registryLimits();
    for (Row &r : preview.rows) {
        r.jump.clear();
        if ((r.outcome != Outcome::Add && r.outcome != Outcome::Change)
            || RateCheck::isHolidayRemark(r.remarkToWrite()))
            continue;
        // the values the write would send, as the save compares the panel's
        const RateCheck::SeriesDay &d = series.value(r.date);
        std::array<double, RateCheck::CurrencyCount> rates{};
        for (int c = 0; c < RateCheck::CurrencyCount; ++c)
            rates[size_t(c)] = d.rate[size_t(c)].value_or(0);
        const QList<RateCheck::SaveJump> jumps =
            RateCheck::saveJumps(rates, RateCheck::neighboursIn(series, r.date), limits);
        if (!jumps.isEmpty())
            r.jump = RateCheck::jumpSentence(jumps.first());
    }
}

} // namespace

bool compareWithStored(DataAccess &da, Preview &preview, QString *error)
{
    QVector<const Row *> accepted;
    for (const Row &r : std::as_const(preview.rows))
        if (comparable(r.outcome))
            accepted << &r;
    QHash<QString, Stored> stored;
    if (!accepted.isEmpty()) {
        QString from;
        QString to;
        periodOf(accepted, &from, &to);
        if (!readStored(da, from, to, &stored, error))
            return false;
    }
    for (Row &r : preview.rows) {
        if (!comparable(r.outcome))
            continue;
        const auto it = stored.constFind(r.date);
        r.stored = it != stored.cend();
        if (!r.stored) {
            r.outcome = Outcome::Add;
            // a new day takes its rates from the file alone: a rate it does not give is never 0
            for (int i = 0; i < 3 && r.outcome == Outcome::Add; ++i) {
                if (r.rate[size_t(i)].isEmpty()) {
                    r.outcome = Outcome::Refused;
                    r.reason = RateInputCheck::rateMissing(i).firstLine();
                }
            }
            continue;
        }
        r.oldRate = it->rate;
        r.oldRemark = it->remark;
        bool same = r.remarkToWrite() == r.oldRemark;
        for (int i = 0; i < 3 && same; ++i)
            same = r.rateToWrite(i) == r.oldRate[size_t(i)];
        r.outcome = same ? Outcome::Same : Outcome::Change;
    }
    markJumps(preview, stored);
    recount(preview);
    return true;
}

bool chosen(const Row &row, Scope scope)
{
    return row.outcome == Outcome::Add || (scope == Scope::NewAndChanged && row.outcome == Outcome::Change);
}

ApplyResult apply(DataAccess &da, RateWriter &writer, const Preview &preview, Scope scope,
                  const std::function<void(int, int)> &progress)
{
    ApplyResult res;
    QVector<const Row *> todo;
    for (const Row &r : preview.rows)
        if (chosen(r, scope))
            todo << &r;
    if (todo.isEmpty()) {
        res.ok = true;
        return res;
    }
    writer.historyOn(); // asked before the transaction opens
    if (!da.BeginTrans()) {
        res.error = da.lastError();
        return res;
    }
    // each chosen day must still be as the preview showed it: nothing is overwritten unseen
    QString from;
    QString to;
    periodOf(todo, &from, &to);
    QHash<QString, Stored> now;
    if (!readStored(da, from, to, &now, &res.error)) {
        da.RollbackTrans();
        return res;
    }
    for (const Row *r : std::as_const(todo)) {
        const auto it = now.constFind(r->date);
        bool same = (it != now.cend()) == r->stored;
        if (same && r->stored) {
            same = it->remark == r->oldRemark;
            for (int i = 0; i < 3 && same; ++i)
                same = it->rate[size_t(i)] == r->oldRate[size_t(i)];
        }
        if (!same)
            res.movedDays << r->date;
    }
    if (!res.movedDays.isEmpty()) {
        da.RollbackTrans();
        return res;
    }
    const int total = int(todo.size());
    const int step = std::max(1, total / 100);
    for (int i = 0; i < total; ++i) {
        const Row &r = *todo[i];
        const RateHistory::DayValues v{r.rateToWrite(0), r.rateToWrite(1), r.rateToWrite(2), r.remarkToWrite()};
        const auto action = r.outcome == Outcome::Add ? RateHistory::Action::Insert : RateHistory::Action::Update;
        writer.setSource(r.source.isEmpty() ? preview.source : r.source);
        const bool written = writer.applyInTransaction(action, r.date, v);
        writer.setSource({});
        if (!written) {
            res.error = r.date + QStringLiteral(" : ") + da.lastError();
            da.RollbackTrans();
            res.inserted = res.updated = 0;
            return res;
        }
        ++(r.outcome == Outcome::Add ? res.inserted : res.updated);
        if (progress && (i + 1) % step == 0)
            progress(i + 1, total);
    }
    if (!da.CommitTrans()) {
        res.error = da.lastError();
        res.inserted = res.updated = 0;
        return res;
    }
    if (progress)
        progress(total, total);
    res.ok = true;
    return res;
}

QString failureText(SheetReader::Failure failure)
{
    switch (failure) {
    case SheetReader::Failure::None:
        return {};
    case SheetReader::Failure::Unreadable:
        return QStringLiteral("파일을 열 수 없습니다.");
    case SheetReader::Failure::TooLarge:
        return QStringLiteral("파일이 너무 큽니다. 50MB 이하의 파일만 가져올 수 있습니다.");
    case SheetReader::Failure::TooMuchContent:
        return QStringLiteral("파일의 내용이 가져올 수 있는 한도를 넘습니다. "
                              "(행 %L1개, 셀 %L2개, 글자 %L3MB, 압축을 푼 크기 %L4MB까지)")
            .arg(SheetReader::MaxRows)
            .arg(SheetReader::MaxCells)
            .arg(SheetReader::MaxTextBytes / (qsizetype(1024) * 1024))
            .arg(SheetReader::MaxUnpackedBytes / (qint64(1024) * 1024));
    case SheetReader::Failure::Empty:
        return QStringLiteral("파일에 가져올 내용이 없습니다.");
    case SheetReader::Failure::Damaged:
        return QStringLiteral("파일이 손상되어 읽을 수 없습니다.");
    case SheetReader::Failure::WrongFormat:
        return QStringLiteral("엑셀(.xlsx, .xls) 또는 CSV 형식의 파일이 아닙니다.");
    }
    return {};
}

} // namespace RateImport
