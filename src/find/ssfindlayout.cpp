#include "ssfindlayout.h"

namespace SSFindLayout {

QList<Placed> controls()
{
    return {
        {"cboSSFind", cboSSFind},    {"cmdSSFind", cmdSSFind},    {"chkSSFind_0", chkSSFind0},
        {"chkSSFind_1", chkSSFind1}, {"cmdNEXT", cmdNEXT},        {"cmdClose", cmdClose},
        {"lblSSFind_0", lblSSFind0}, {"lblSSFind_1", lblSSFind1}, {"txtSSFind", txtSSFind},
    };
}

} // namespace SSFindLayout
