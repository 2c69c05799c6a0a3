#include "tools/Convertor.h"

#include "numbers/bigint/BigInt.h"
#include "numbers/mersenne/MersenneText.h"

std::size_t Utf8Length(const std::string& text) {
  std::size_t n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

std::size_t ConvertLimit(TConvertRow row) {
  switch (row) {
    case TConvertRow::Integer: return 2500;
    case TConvertRow::Mersenne: return 200;
    case TConvertRow::Fermat: break;
  }
  return 50;
}

std::string ConvertLimitMessage(TConvertRow row) {
  switch (row) {
    case TConvertRow::Integer:
      return "Please, note that integers with  more than 2500 digits are not supported yet.";
    case TConvertRow::Mersenne: return "Please, the Mersenne expression may not exceed 200 characters.";
    case TConvertRow::Fermat: break;
  }
  return "Please, the Fermat expression may not exceed 50 characters.";
}

TConvertResult Convert(TConvertRow from, const std::string& source, const TConvertBoxes& boxes,
                       TProgress* progress, bool bounded) {
  TConvertResult result;
  if (bounded && Utf8Length(source) > ConvertLimit(from)) {
    result.message = ConvertLimitMessage(from);
    return result;
  }
  ReportProgress(progress, 0.0, "Reading the number...");
  TBigInt n;
  switch (from) {
    case TConvertRow::Integer: DecimalToBigInt(source, n); break;
    case TConvertRow::Mersenne: n = MersenneTextToBigInt(source); break;
    case TConvertRow::Fermat: n = FermatTextToBigInt(source); break;
  }
  CheckCancelled(progress);
  // The decimal digits are the dearest step for the large values: last.
  if (from != TConvertRow::Mersenne && boxes.mersenne) {
    ReportProgress(progress, 0.3, "Writing the Mersenne expression...");
    result.mersenne = BigIntToMersenneText(n);
    CheckCancelled(progress);
  }
  if (from != TConvertRow::Fermat && boxes.fermat) {
    ReportProgress(progress, 0.4, "Writing the Fermat expression...");
    result.fermat = BigIntToFermatText(n);
    CheckCancelled(progress);
  }
  if (from != TConvertRow::Integer && boxes.integer) {
    ReportProgress(progress, 0.5, "Writing the decimal digits...");
    result.integer = BigIntToDecimal(n);
    CheckCancelled(progress);
  }
  ReportProgress(progress, 1.0);
  return result;
}
