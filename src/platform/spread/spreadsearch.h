#pragma once

// How a column search compares each cell with the text; letter case is ignored in both.
namespace SpreadSearch {

enum Flag : int {
    Contains = 2, // the cell's text holds the text
    EqualValue = 4, // the cell's text is the text
};

} // namespace SpreadSearch
