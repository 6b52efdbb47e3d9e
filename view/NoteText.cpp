#include "NoteText.h"

#include "core/NumberText.h"

namespace NoteText {

Note OfEquationText(const std::wstring& text)
{
    const NumberText::Reading reading = NumberText::Read(text);
    const std::wstring quoted = L"「" + text + L"」は";
    const NumberText::Range range = NumberText::RangeOf(reading);
    // A zero denominator is said as such even beside a part too large ("1e999/0").
    if (range == NumberText::Range::kTinyDenominator)
        return {Mark::kError, quoted + L"分母が小さすぎて 0 とみなされるので計算できません。"};
    if (range == NumberText::Range::kTooLarge &&
        reading.kind != NumberText::Reading::kZeroDenominator)
        return {Mark::kError, quoted + L"大きすぎて計算できません。"};
    if (range == NumberText::Range::kTinyNumerator)
        return {Mark::kWarning, quoted + L"小さすぎて 0 として計算します。"};
    switch (reading.kind) {
    case NumberText::Reading::kPrefix:
        return {Mark::kWarning, quoted + L" " + reading.read + L" として計算します。"};
    case NumberText::Reading::kNoNumber:
        return {Mark::kWarning, quoted + L"数ではないので 0 として計算します。"};
    case NumberText::Reading::kZeroDenominator:
        return {Mark::kError, quoted + L" 0 で割っているので計算できません。"};
    case NumberText::Reading::kNumber:
        if (reading.bPercent) {
            std::wstring hundredths =
                reading.read.substr(0, reading.read.find_last_not_of(L" %") + 1);
            return {Mark::kWarning, quoted + L" " + hundredths + L" / 100 として計算します。"};
        }
        return {};
    default:
        return {};
    }
}

std::wstring NoValueReason(const std::wstring& text)
{
    const NumberText::Reading reading = NumberText::Read(text);
    if (NumberText::HasValue(reading))
        return {};
    if (reading.kind != NumberText::Reading::kZeroDenominator)
        return L"大きすぎて計算できません。";
    return NumberText::RangeOf(reading) == NumberText::Range::kTinyDenominator
               ? L"分母が小さすぎて 0 とみなされます。"
               : L"0 で割っています。";
}

} // namespace NoteText
