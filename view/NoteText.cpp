#include "NoteText.h"

#include "core/NumberText.h"

namespace NoteText {

Note OfEquationText(const std::wstring& text)
{
    const NumberText::Reading reading = NumberText::Read(text);
    const std::wstring quoted = L"「" + text + L"」は";
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

} // namespace NoteText
