#pragma once

#include "rate/ratefeed.h"
#include "rate/rateimport.h"

// A fetch shown and applied as an import: each day a row of the import's preview with its
// services named, the values rounded to the input boxes' decimals and checked as the panel
// checks them; a day not published is "게시되지 않음", a day that could not be got or whose
// second opinion differs is refused with the reason.
namespace RateFeedImport {

// The configuration of this machine: registry.ini and the system folder's rate-sources.ini.
RateFeed::Config machineConfig();

// The rows of a run, still to be compared with the stored days (RateImport::compareWithStored).
RateImport::Preview preview(const RateFeed::Run &run);

// "미달러 1,385.50 : ecb 의 1,420.12 와 2.43% 다릅니다 (허용 1%)"
QString disagreementText(const RateFeed::Disagreement &d, double mine, double tolerancePercent);

} // namespace RateFeedImport
