#pragma once

class DataAccess;
class SpreadGrid;

namespace RateGridFill {

// Steps 9.2-9.3 of the query on an opened period result: MoveFirst, then every row appended to
// the grid (day, rates as numbers, remark; a rate that is not a number stays empty) and the three
// rates added to sums. Answers RecordCount. The caller switches painting off and on.
long fillRows(DataAccess &da, SpreadGrid *grid, double sums[3]);

} // namespace RateGridFill
