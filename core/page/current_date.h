#pragma once

namespace kivrel {

// Today's local date at midnight as a date-time: whole days since 1899-12-30.
double CurrentDate();

}  // namespace kivrel
