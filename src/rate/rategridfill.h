#pragma once

class DataAccess;
class SpreadGrid;

namespace RateGridFill {

// Steps 9.2-9.3 of the query on an opened period result: MoveFirst, then every row appended to
// the grid (day, rates as numbers, remark; a rate that is not a number stays empty) and the three
// rates added to sums. Answers RecordCount. The caller switches painting off and on.
// The sums are long double: rates near the largest double add up beyond it.
long fillRows(DataAccess &da, SpreadGrid *grid, long double sums[3]);

// The average shown under the grid: the sum over the rows, back in double range.
double average(long double sum, long count);

} // namespace RateGridFill
