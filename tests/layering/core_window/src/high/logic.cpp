#include "high/logic.h"
#include "high/window.h"

int logic()
{
    return 0;
}
