#include "ssfindgrid.h"

SSFindGrid::~SSFindGrid() = default;
