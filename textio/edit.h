// The edit descriptors' conversions, one function per descriptor and direction. They work
// on a record and a field, never on a unit, so they can be tried on plain strings.
#pragma once

#include "textio/failure.h"
#include "textio/record.h"

namespace textio::detail {

enum class Conversion { ok, bad, integerOverflow, realOverflow };

// A or Aw input into a text of `length` characters (field width >= length: the field's
// rightmost `length` characters; narrower: the field, then blanks).
void readA(const Record& record, Field field, char* text, int length);
// Iw input: blanks ignored, optional sign, digits; an all-blank field gives 0.
Conversion readI(const Record& record, Field field, int& value);
// Fw.d input: blanks ignored; optional sign, digits with an optional point, optional
// exponent by E, D or Q (either case) or by a sign alone. Without a point the last d
// digits are the fraction. An all-blank field gives 0; a field without any digit (a lone
// sign, a lone point) is bad. Single items are rounded once from the exact decimal value.
// Beyond the item's range is realOverflow; below it the value goes to 0 (no failure).
Conversion readF(const Record& record, Field field, int decimals, float& value);
Conversion readF(const Record& record, Field field, int decimals, double& value);

// Free-form values, whole (the token has no blanks): an integer is an optional sign and
// digits only; a real an optional sign, digits with an optional point and an optional
// exponent by E, D or Q (either case).
Conversion convertListInteger(std::string_view token, int& value);
Conversion convertListReal(std::string_view token, float& value);

// Output: each writes exactly `width` columns at `out`.
// Aw: width > length: blanks, then the text; otherwise the text's leftmost columns.
void writeA(char* out, int width, std::string_view text);
// Iw: right-justified, minus sign for negatives; asterisks when it does not fit.
void writeI(char* out, int width, long long value);
// Fw.d: rounded half away from zero at d decimals on the exact binary value,
// right-justified; the zero before the point only when there is room (always when d is 0);
// no minus sign on a value that rounds to zero; asterisks when it does not fit or is not
// finite.
void writeF(char* out, int width, int decimals, double value);

// The descriptor as written in a layout, e.g. "F12.8", for diagnostics.
void addDescriptor(Message& message, const EditDescriptor& descriptor);

// Ends the run for a field that would reach past column 1024 (code 106), the one message of
// its kind: "field beyond the record: <what> ... would reach past column 1024", `what` being
// the descriptor ("F30.2") or "a free-form line". A field being read is placed after the
// message by the unit's line and its columns; a field being written gives its columns before.
[[noreturn]] void failBeyondRecord(Unit unit, std::string_view what, Field field, bool reading);

} // namespace textio::detail
