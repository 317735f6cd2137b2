#include "gridnav/ssmenus.h"

#include "platform/controls/controlinfo.h"
#include "platform/spread/spreadgrid.h"
#include "winui/popupmenu.h"
#include "winui/tooltip.h"

#include <QAbstractButton>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kExportTip = 3; // index of the export button's hint in SS_MOVE_INFO::Tips
constexpr int kRefreshTip = 6; // index of the refresh button's hint in SS_MOVE_INFO::Tips

QString headerText(const SpreadGrid *grid, int col)
{
    const int lastHeaderRow = SpreadGrid::FirstHeaderRow + std::max(grid->ColHeaderRows(), 1) - 1;
    return grid->GetCellText(col, lastHeaderRow);
}

bool columnHidden(const SpreadGrid *grid, int col)
{
    return grid->colHidden(col);
}

} // namespace

namespace GridNav {

QStringList sizeMenuTexts()
{
    return {QStringLiteral("시트 크기에 맞게 정렬"), QStringLiteral("글자 크기에 맞게 정렬"),
            QStringLiteral("기준 크기로 정렬"), QStringLiteral("정렬 안함")};
}

QString refreshHintText(int mode)
{
    return sizeMenuTexts().value(mode - 1) + kCrLf + QStringLiteral("좌클릭 : 새로고침 실행") + kCrLf
        + QStringLiteral("우클릭 : 메뉴표시");
}

QString exportHintText(bool withMenu)
{
    QString text = QStringLiteral("엑셀 형식으로 파일 저장");
    if (withMenu)
        text += kCrLf + QStringLiteral("좌클릭 : 엑셀로 내보내기") + kCrLf + QStringLiteral("우클릭 : 메뉴표시");
    return text;
}

GraphMenuItems graphMenuItems(const SS_MOVE_INFO &info, int keyCol, int firstCol, int lastCol, const QString &keyLabel)
{
    GraphMenuItems items;
    if (!info.Grid)
        return items;
    const QString key = keyLabel.isEmpty() ? headerText(info.Grid, keyCol) : keyLabel;
    for (int c = firstCol; c <= lastCol; ++c) {
        items.texts << key + QStringLiteral(" 별 ") + headerText(info.Grid, c);
        items.enabled << !columnHidden(info.Grid, c);
    }
    return items;
}

int graphColumnInRange(const QString &tag, int firstCol, int lastCol)
{
    bool ok = false;
    const int col = tag.trimmed().toInt(&ok);
    if (!ok || col < firstCol)
        return firstCol;
    return std::min(col, lastCol);
}

} // namespace GridNav

bool fnSS_MOVE_SizeMenu(SS_MOVE_INFO &info, bool allowTextFit)
{
    if (!info.cmdRef)
        return false;
    QString tag = ControlInfo::tag(info.cmdRef).trimmed();
    if (tag.isEmpty()) {
        tag = QStringLiteral("1");
        ControlInfo::setTag(info.cmdRef, tag);
    }
    const QStringList texts = GridNav::sizeMenuTexts();
    QList<bool> enabled;
    QList<bool> checked;
    for (int n = 1; n <= texts.size(); ++n) {
        enabled << (n != 2 || allowTextFit);
        checked << (tag == QString::number(n));
    }
    const int chosen = PopupMenu::CreatPopup(texts, enabled, checked, QStringLiteral("   [ 정렬 방법 지정 ]   "));
    if (chosen <= 0 || QString::number(chosen) == tag)
        return false;
    ControlInfo::setTag(info.cmdRef, QString::number(chosen));
    if (ToolTip *tip = info.Tips[kRefreshTip].get())
        fnSet_ToolTip(tip, info.cmdRef, ToolTip::TipStyle::Balloon, true, GridNav::refreshHintText(chosen),
                      QStringLiteral("새로고침"), ToolTip::TipIcon::None);
    return true;
}

bool fnSS_MOVE_GraphMenu(SS_MOVE_INFO &info, int keyCol, int firstCol, int lastCol, const QString &keyLabel)
{
    if (!info.cmdGrp || !info.Grid || lastCol < firstCol)
        return false;
    const GridNav::GraphMenuItems items = GridNav::graphMenuItems(info, keyCol, firstCol, lastCol, keyLabel);
    const int current = GridNav::graphColumnInRange(ControlInfo::tag(info.cmdGrp), firstCol, lastCol);
    ControlInfo::setTag(info.cmdGrp, QString::number(current));
    QList<bool> checked;
    for (int c = firstCol; c <= lastCol; ++c)
        checked << (c == current);
    const int chosen =
        PopupMenu::CreatPopup(items.texts, items.enabled, checked, QStringLiteral("     [ 그래프 통계 보기 ]     "));
    if (chosen <= 0)
        return false;
    ControlInfo::setTag(info.cmdGrp, QString::number(chosen + firstCol - 1));
    return true;
}

void GridNav::addDataItem(SS_MOVE_INFO &info, const QString &text, std::function<void()> run,
                          std::function<bool()> enabled)
{
    info.DataItems.append({text, std::move(run), std::move(enabled)});
    if (ToolTip *tip = info.Tips[kExportTip].get(); tip && info.cmdXls)
        fnSet_ToolTip(tip, info.cmdXls, ToolTip::TipStyle::Balloon, true, exportHintText(true),
                      QStringLiteral("내보내기"), ToolTip::TipIcon::None);
}

bool GridNav::dataMenu(SS_MOVE_INFO &info)
{
    if (info.DataItems.isEmpty())
        return false;
    QStringList texts;
    QList<bool> enabled;
    QList<bool> checked;
    for (const GridNav::DataItem &item : std::as_const(info.DataItems)) {
        texts << item.text;
        enabled << (!item.enabled || item.enabled());
        checked << false;
    }
    const int chosen = PopupMenu::CreatPopup(texts, enabled, checked, QStringLiteral("[ 자료 관리 ]"));
    if (chosen <= 0 || chosen > info.DataItems.size())
        return false;
    // a copy: the command may rebuild the menu (a window that binds its record anew)
    const std::function<void()> run = info.DataItems[chosen - 1].run;
    if (run)
        run();
    return true;
}
