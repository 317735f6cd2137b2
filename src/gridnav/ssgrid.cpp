#include "gridnav/ssgrid.h"

#include "gridnav/navmath.h"
#include "platform/controls/controlinfo.h"
#include "platform/spread/spreadgrid.h"
#include "platform/spread/spreadunits.h"

#include <QAbstractButton>
#include <QScrollBar>

#include <algorithm>

namespace {

const QString kGridFont = QStringLiteral("굴림체");
constexpr int kLightYellow = 0xC0FFFF; // RGB(255, 255, 192), red in the low byte
constexpr int kWhite = 0xFFFFFF;

// Switches painting off on the data grid (and the summary grid) when it was on, and back on at the end.
class RedrawPause
{
public:
    explicit RedrawPause(SS_MOVE_INFO &info)
        : m_grid(info.Grid)
        , m_sum(info.HasSum ? info.SumGrid : nullptr)
        , m_wasOn(info.Grid && info.Grid->Redraw())
    {
        if (!m_wasOn)
            return;
        m_grid->setRedraw(false);
        if (m_sum)
            m_sum->setRedraw(false);
    }
    ~RedrawPause()
    {
        if (!m_wasOn)
            return;
        m_grid->setRedraw(true);
        if (m_sum)
            m_sum->setRedraw(true);
    }
    RedrawPause(const RedrawPause &) = delete;
    RedrawPause &operator=(const RedrawPause &) = delete;

private:
    SpreadGrid *m_grid;
    SpreadGrid *m_sum;
    bool m_wasOn;
};

// Definition arrays sized 0..ColCount (header texts 0..HeaderRows - 1); what was stored stays.
void sizeArrays(SS_MOVE_INFO &info)
{
    const int n = std::max(0, info.ColCount) + 1;
    info.ColKind.resize(n);
    info.ColWidthDef.resize(n);
    info.HeaderText.resize(n);
    info.ColVAlign.resize(n);
    info.ColHAlign.resize(n);
    info.ColOption.resize(n);
    info.ColHiddenDef.resize(n);
    info.ColLockedDef.resize(n);
    info.ColBorder.resize(n);
    const int h = std::max(0, info.HeaderRows);
    for (QStringList &texts : info.HeaderText) {
        while (texts.size() < h)
            texts.append(QString());
        while (texts.size() > h)
            texts.removeLast();
    }
}

bool hiddenDef(const SS_MOVE_INFO &info, int col)
{
    return col < info.ColHiddenDef.size() && info.ColHiddenDef[col];
}

double defWidth(const SS_MOVE_INFO &info, int col)
{
    return col < info.ColWidthDef.size() ? info.ColWidthDef[col] : 0.0;
}

bool gridHidesCol(SpreadGrid *g, int col)
{
    return g->colHidden(col);
}

// The width the grid shows: whole pixels.
double shownWidth(const SpreadGrid *g, int col)
{
    return SpreadUnits::pixelsToWidth(SpreadUnits::widthToPixels(g->ColWidth(col)));
}

void formatColumn(const SS_MOVE_INFO &info, SpreadGrid *g, int c)
{
    g->setRow(-1);
    g->setCol(c);
    g->setColHidden(hiddenDef(info, c));
    if (hiddenDef(info, c))
        return;
    const int kind = c < info.ColKind.size() ? info.ColKind[c] : SpreadGrid::KindStaticText;
    const int decimals = GridNav::numberDecimalsOfKind(kind);
    if (decimals >= 0) {
        g->setCellKind(SpreadGrid::KindNumber);
        g->setNumberShowGroups(true);
        g->setNumberGroupChar(QStringLiteral(","));
        g->setNumberDecimalChar(QStringLiteral("."));
        g->setNumberDecimals(decimals);
    } else {
        g->setCellKind(kind);
    }
    g->setHAlign(c < info.ColHAlign.size() ? info.ColHAlign[c] : 0);
    g->setVAlign(c < info.ColVAlign.size() ? info.ColVAlign[c] : 2);
    const bool locked = c < info.ColLockedDef.size() && info.ColLockedDef[c];
    g->setCellLocked(locked);
    if (info.LockColour)
        g->setBackColor(locked ? kLightYellow : kWhite);
    const bool border = c < info.ColBorder.size() && info.ColBorder[c];
    g->SetCellBorder(c, -1, c, g->MaxRows(), SpreadGrid::BorderLeft, 0,
                     border ? SpreadGrid::BorderSolid : SpreadGrid::BorderNone);
}

void standardRowHeights(SS_MOVE_INFO &info, SpreadGrid *g)
{
    info.RowHeightStd = NavMath::kDataRowHeight;
    if (info.HeaderRows == 1) {
        g->setRowHeight(SpreadGrid::FirstHeaderRow, NavMath::kOneHeaderHeight);
    } else {
        for (int k = 0; k < info.HeaderRows; ++k)
            g->setRowHeight(SpreadGrid::FirstHeaderRow + k, NavMath::kDataRowHeight);
    }
    g->setRowHeight(-1, NavMath::kDataRowHeight);
}

} // namespace

int GridNav::numberDecimalsOfKind(int kind)
{
    const QString text = QString::number(kind);
    if (!text.startsWith(QLatin1String("13")))
        return -1;
    if (kind >= 131 && kind <= 136)
        return kind - 130;
    return 0;
}

void sbSS_DefCol(SS_MOVE_INFO &info, int col, const QString &headerText, double width, int kind, int hAlign, int vAlign,
                 int option, bool hidden, bool locked, bool border)
{
    if (col < 0 || col > info.ColCount)
        return;
    if (info.ColKind.size() != info.ColCount + 1 || info.HeaderText.value(col).size() != std::max(0, info.HeaderRows))
        sizeArrays(info);
    QStringList &texts = info.HeaderText[col];
    if (info.HeaderRows < 2 || !headerText.contains(QLatin1Char('|'))) {
        for (QString &t : texts)
            t = headerText;
    } else {
        const QStringList parts = headerText.split(QLatin1Char('|'));
        for (int k = 0; k < texts.size(); ++k)
            texts[k] = parts.value(k);
    }
    info.ColWidthDef[col] = width;
    info.ColKind[col] = kind;
    info.ColHAlign[col] = hAlign;
    info.ColVAlign[col] = vAlign;
    info.ColOption[col] = option;
    info.ColHiddenDef[col] = hidden;
    info.ColLockedDef[col] = locked;
    info.ColBorder[col] = border;
}

void sbSS_GridSetup(SS_MOVE_INFO &info)
{
    sizeArrays(info);
    if (info.sclMove) {
        ControlInfo::setTag(info.sclMove, QString());
        info.sclMove->setRange(NavMath::kScrollMin, NavMath::kScrollMax);
    }
    for (QAbstractButton *b : {info.cmdGrp, info.cmdRef})
        if (b)
            ControlInfo::setTag(b, QStringLiteral("1"));
    using NavMath::Direction;
    const std::pair<QAbstractButton *, Direction> moves[] = {
        {info.cmdTop, Direction::Top},      {info.cmdPup, Direction::PageUp},   {info.cmd1Up, Direction::LineUp},
        {info.cmd1Dn, Direction::LineDown}, {info.cmdPdn, Direction::PageDown}, {info.cmdEnd, Direction::End}};
    for (const auto &[button, direction] : moves)
        if (button)
            ControlInfo::setTag(button, NavMath::tagOf(direction));

    SpreadGrid *g = info.Grid;
    if (!g)
        return;
    RedrawPause pause(info);
    g->setColHeaderRows(info.HeaderRows);
    g->setFontName(kGridFont);
    g->setFontSize(9);
    g->setMaxCols(info.ColCount);
    g->setTextTipMode(1);
    g->SetTextTipStyle(kGridFont, 10, false, false, kLightYellow, 0);
    if (info.HasSum && info.SumGrid) {
        SpreadGrid *s = info.SumGrid;
        s->setColHeaderRows(0); // the summary line shows no header of its own
        s->setFontName(kGridFont);
        s->setFontSize(9);
        s->setMaxCols(info.ColCount);
        s->setTextTipMode(1);
        s->SetTextTipStyle(kGridFont, 10, false, false, kLightYellow, 0);
        s->setMaxRows(info.SumRows);
    }
}

void sbSS_ColFormat(SS_MOVE_INFO &info)
{
    if (!info.Grid)
        return;
    RedrawPause pause(info);
    for (int c = 1; c <= info.ColCount; ++c) {
        formatColumn(info, info.Grid, c);
        if (info.HasSum && info.SumGrid)
            formatColumn(info, info.SumGrid, c);
    }
}

void sbSS_HeadText(SS_MOVE_INFO &info)
{
    SpreadGrid *g = info.Grid;
    if (!g)
        return;
    RedrawPause pause(info);
    for (int c = 0; c <= info.ColCount && c < info.HeaderText.size(); ++c) {
        if (hiddenDef(info, c))
            continue;
        for (int k = 0; k < info.HeaderRows && k < info.HeaderText[c].size(); ++k)
            g->SetCellText(c, SpreadGrid::FirstHeaderRow + k, info.HeaderText[c][k]);
    }
    info.RowHeightStd = NavMath::kDataRowHeight;
    if (info.HeaderRows == 1)
        g->setRowHeight(SpreadGrid::FirstHeaderRow, NavMath::kOneHeaderHeight);
}

void sbSS_ColSize(SS_MOVE_INFO &info, int fillCol)
{
    SpreadGrid *g = info.Grid;
    if (!g)
        return;
    RedrawPause pause(info);
    SpreadGrid *sum = info.HasSum ? info.SumGrid : nullptr;
    const QString mode = ControlInfo::tag(info.cmdRef).trimmed();
    const int maxCols = g->MaxCols();

    g->setColWidth(0, defWidth(info, 0));

    if (mode == QLatin1String("1")) {
        QVector<double> defs(maxCols + 1, 0.0);
        QVector<bool> hidden(maxCols + 1, false);
        int visible = 0;
        for (int c = 1; c <= maxCols; ++c) {
            defs[c] = defWidth(info, c);
            hidden[c] = hiddenDef(info, c);
            if (!hidden[c])
                ++visible;
        }
        // the grid's width in pixels, counted as the forms count them (15 twips each)
        const double A = NavMath::availableWidth(g->width() * 15.0, visible, g->ColWidth(0));
        const QVector<double> widths = NavMath::fitToWidth(defs, hidden, fillCol, A, [g](int c, double w) {
            g->setColWidth(c, w);
            return shownWidth(g, c);
        });
        if (fillCol >= 1 && fillCol <= maxCols && widths[fillCol] >= 0)
            g->setColWidth(fillCol, widths[fillCol]);
    } else if (mode == QLatin1String("2")) {
        for (int c = 1; c <= maxCols; ++c) {
            if (gridHidesCol(g, c))
                continue;
            double w = g->MaxTextWidth(c);
            if (sum && c <= sum->MaxCols())
                w = std::max(w, sum->MaxTextWidth(c));
            g->setColWidth(c, w + 0.5);
        }
    } else if (mode == QLatin1String("3")) {
        for (int c = 1; c <= maxCols; ++c)
            if (!gridHidesCol(g, c))
                g->setColWidth(c, defWidth(info, c));
    }

    if (sum) {
        for (int c = 0; c <= info.ColCount; ++c)
            if (!hiddenDef(info, c))
                sum->setColWidth(c, g->ColWidth(c));
    }
    standardRowHeights(info, g);
    g->setFirstVisibleCol(1);
    if (sum)
        sum->setFirstVisibleCol(1);
}

void sbSS_GridClear(SS_MOVE_INFO &info, int rows)
{
    if (!info.Grid)
        return;
    info.Grid->setMaxRows(0);
    if (rows > 0)
        info.Grid->setMaxRows(rows);
    if (info.HasSum && info.SumGrid) {
        SpreadGrid *s = info.SumGrid;
        // values only: the summary line keeps its number formats for the next averages
        s->ClearRange(1, 1, s->MaxCols(), s->MaxRows(), true);
    }
}

void sbSS_WidthSync(SS_MOVE_INFO &info, int col1, int col2)
{
    if (!info.Grid || !info.HasSum || !info.SumGrid)
        return;
    SpreadGrid *s = info.SumGrid;
    const bool wasOn = s->Redraw();
    if (wasOn)
        s->setRedraw(false);
    for (int c = std::max(0, col1); c <= col2 && c <= s->MaxCols(); ++c)
        s->setColWidth(c, info.Grid->ColWidth(c));
    if (wasOn)
        s->setRedraw(true);
}

void GridNav::defineRateColumns(SS_MOVE_INFO &info)
{
    if (info.HeaderRows < 1)
        info.HeaderRows = 1;
    if (info.ColCount < 5)
        info.ColCount = 5;
    sizeArrays(info);
    constexpr int centre = SpreadGrid::AlignCenter;
    constexpr int right = SpreadGrid::AlignRight;
    constexpr int left = SpreadGrid::AlignLeft;
    constexpr int text = SpreadGrid::KindStaticText;
    struct Col
    {
        const char *header;
        double width;
        int kind;
        int hAlign;
    };
    const Col cols[] = {
        {"NO", 4, text, centre},     {"일자", 10, text, centre},   {"미달러", 10, 132, right},
        {"베트남동", 10, 13, right}, {"한국원화", 10, 136, right}, {"비고", 50, text, left},
    };
    for (int c = 0; c < 6; ++c)
        sbSS_DefCol(info, c, QString::fromUtf8(cols[c].header), cols[c].width, cols[c].kind, cols[c].hAlign, centre, 0,
                    false, true, false);
}

GridNav::FormatSteps GridNav::formatStepsOf(const QString &flags)
{
    FormatSteps steps;
    const FormatStep inPlace[] = {FormatStep::ColFormat, FormatStep::HeadText, FormatStep::ColSize};
    for (int k = 0; k < 3; ++k)
        if (flags.mid(k, 1) == u"1")
            steps |= inPlace[k];
    return steps;
}
