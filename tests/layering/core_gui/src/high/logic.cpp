#include "high/logic.h"

#include <QWidget>

int logic()
{
    return 0;
}
