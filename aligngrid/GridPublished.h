#pragma once
// The base grid's own published properties in a form: ColCount, RowCount,
// FixedCols, FixedRows, DefaultColWidth, DefaultRowHeight and Options (a
// list of option identifiers). Counts come first in a form, because the
// fixed counts are limited by them.

#include "Grid.h"
#include "PropertyStream.h"

#include <string>

// False for a name that is not one of these. Throws EReadError for a value
// out of range or an unknown option.
bool ReadGridPublished(TCustomGrid& grid, const std::string& name, TReader& reader);
// The values that differ from a new grid's.
void WriteGridPublished(const TCustomGrid& grid, TWriter& writer);
